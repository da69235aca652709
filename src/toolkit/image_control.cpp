#include "toolkit/image_control.h"

namespace gyra {

ImageControl::~ImageControl() {
  Destroy();
  if (picture_) DeleteObject(picture_);
  if (background_) DeleteObject(background_);
}

bool ImageControl::Create(HWND parent, int left, int top, int width, int height, COLORREF background) {
  background_ = CreateSolidBrush(background);
  return Window::Create({.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                         .bounds = {left, top, left + width, top + height},
                         .parent = parent});
}

void ImageControl::SetPicture(HBITMAP picture) {
  if (picture_) DeleteObject(picture_);
  picture_ = picture;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void ImageControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  BITMAP bm{};
  if (picture_ && GetObjectW(picture_, sizeof(bm), &bm)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture_);
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    ExcludeClipRect(dc, 0, 0, bm.bmWidth, bm.bmHeight);
  }
  FillRect(dc, &client, background_);
}

LRESULT ImageControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      Paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks belong to the form, like a windowless image
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra
