// Windows layer: a picture box. A child window that owns a persistent
// picture, a 32-bit bottom-up DIB section selected into its own memory device
// context. Drawing and block transfers go to that context, the core reads and
// writes the very same pixels through View(), and Refresh() repaints the
// window from the picture, so what was drawn survives repaints.
#pragma once

#include "core/surface.h"
#include "toolkit/window.h"

namespace gyra {

class PictureSurface : public Window {
 public:
  ~PictureSurface() override;

  bool Create(HWND parent, int left, int top, int width, int height, bool visible = true);
  // New size for the window and its picture; the part of the old picture that
  // still fits is kept, the rest is black.
  bool Resize(int width, int height);
  void Move(int left, int top);

  int width() const { return width_; }
  int height() const { return height_; }
  HDC dc() const { return dc_; }
  SurfaceView View() const { return {pixels_, width_, height_}; }

  // Repaints the window from the picture.
  void Refresh();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool MakePicture(int width, int height);
  void FreePicture();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ original_bitmap_ = nullptr;
  Pixel* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace gyra
