#include "display/win32/frame_images.h"

#include <limits>

#include "display/frame_bitmap.h"

namespace gyra {

namespace {

// The picture of a whole bitmap file's bytes, made from the bytes already
// read; nullptr when the system refuses it.
HBITMAP BitmapOf(const std::string& file) {
  const auto& header = *reinterpret_cast<const BITMAPFILEHEADER*>(file.data());
  const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof(BITMAPFILEHEADER));
  HDC screen = GetDC(nullptr);
  const HBITMAP bitmap =
      CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, file.data() + header.bfOffBits, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

FrameImages::~FrameImages() {
  if (dc_ && original_bitmap_) SelectObject(dc_, original_bitmap_);
  if (dc_) DeleteDC(dc_);
  for (const Frame& frame : frames_)
    if (frame.bitmap) DeleteObject(frame.bitmap);
}

void FrameImages::Load(const std::vector<std::string>& utf8_paths, const FileSystem& files,
                       const std::function<void()>& between) {
  if (!dc_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return;
  }
  for (const std::string& path : utf8_paths) {
    if (frames_.size() == static_cast<size_t>(std::numeric_limits<int16_t>::max())) break;
    const std::optional<std::string> bytes = files.ReadFile(path);
    const HBITMAP bitmap = bytes && IsWholeBitmap(*bytes) ? BitmapOf(*bytes) : nullptr;
    BITMAP info{};
    if (bitmap) GetObjectW(bitmap, sizeof(info), &info);
    frames_.push_back({bitmap, info.bmWidth, info.bmHeight});
    between();
  }
}

int16_t FrameImages::count() const { return static_cast<int16_t>(frames_.size()); }

bool FrameImages::AnyDecoded() const {
  for (const Frame& frame : frames_)
    if (frame.bitmap) return true;
  return false;
}

RECT FrameImages::Draw(int16_t frame, HDC target, int left, int top) {
  if (frame < 1 || frame > count() || !frames_[frame - 1].bitmap) return {left, top, left, top};
  const Frame& f = frames_[frame - 1];
  const HGDIOBJ previous = SelectObject(dc_, f.bitmap);
  if (!original_bitmap_) original_bitmap_ = previous;
  BitBlt(target, left, top, f.width, f.height, dc_, 0, 0, SRCCOPY);
  return {left, top, left + f.width, top + f.height};
}

}  // namespace gyra
