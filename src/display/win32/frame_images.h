// Windows layer: the display's frames, every one decoded into memory before
// playback starts, so that no step ever reads the disk.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/file_system.h"

namespace gyra {

class FrameImages {
 public:
  FrameImages() = default;
  FrameImages(const FrameImages&) = delete;
  FrameImages& operator=(const FrameImages&) = delete;
  ~FrameImages();

  // Decodes the bitmap files in order, calling `between` after each. A file
  // that cannot be read whole or decoded keeps its place as an empty frame:
  // its step shows nothing.
  void Load(const std::vector<std::string>& utf8_paths, const FileSystem& files, const std::function<void()>& between);

  // How many frames there are, at most the 16-bit frame counter's range.
  int16_t count() const;
  bool AnyDecoded() const;

  // Copies frame number `frame` (1 ... count()) at its own size onto target
  // with its top-left corner at (left, top). Returns the rectangle covered.
  RECT Draw(int16_t frame, HDC target, int left, int top);

 private:
  struct Frame {
    HBITMAP bitmap;  // nullptr when the file could not be decoded
    int width;
    int height;
  };

  std::vector<Frame> frames_;
  // One memory context serves all frames: the frame to copy is selected
  // into it, so drawing creates no graphics objects.
  HDC dc_ = nullptr;
  HGDIOBJ original_bitmap_ = nullptr;
};

}  // namespace gyra
