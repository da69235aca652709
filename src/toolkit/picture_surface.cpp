#include "toolkit/picture_surface.h"

#include <algorithm>

namespace gyra {

PictureSurface::~PictureSurface() {
  Destroy();
  FreePicture();
}

bool PictureSurface::Create(HWND parent, int left, int top, int width, int height, bool visible) {
  if (!MakePicture(width, height)) return false;
  return Window::Create({.style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0u),
                         .bounds = {left, top, left + width, top + height},
                         .parent = parent});
}

bool PictureSurface::MakePicture(int width, int height) {
  if (!SurfacePixelCount(std::max(width, 1), std::max(height, 1))) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = std::max(width, 1);
  info.bmiHeader.biHeight = std::max(height, 1);  // positive: bottom-up, like the core's surfaces
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    DeleteObject(bitmap);
    return false;
  }
  const HGDIOBJ original = SelectObject(dc, bitmap);
  if (dc_) BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), dc_, 0, 0, SRCCOPY);
  FreePicture();
  dc_ = dc;
  bitmap_ = bitmap;
  original_bitmap_ = original;
  pixels_ = static_cast<Pixel*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void PictureSurface::FreePicture() {
  if (!dc_) return;
  SelectObject(dc_, original_bitmap_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  pixels_ = nullptr;
}

bool PictureSurface::Resize(int width, int height) {
  if (!MakePicture(width, height)) return false;
  SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Refresh();
  return true;
}

void PictureSurface::Move(int left, int top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureSurface::Refresh() {
  GdiFlush();  // pixels written through View() must reach the bitmap first
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

LRESULT PictureSurface::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC target = BeginPaint(hwnd(), &ps);
      const RECT& r = ps.rcPaint;
      BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, dc_, r.left, r.top, SRCCOPY);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra
