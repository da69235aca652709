#include "toolkit/mark.h"

#include "toolkit/bitmap.h"
#include "toolkit/mouse_buttons.h"
#include "toolkit/paint.h"

namespace gyra {

bool Mark::Create(HWND parent, int left, int top, HBITMAP off, HBITMAP on) {
  off_ = off;
  on_picture_ = on;
  const SIZE size = BitmapSize(off);
  return Window::Create({.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                         .bounds = {left, top, left + size.cx, top + size.cy},
                         .parent = parent});
}

void Mark::SetOn(bool on) {
  on_ = on;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void ShowChosen(std::span<Mark> group, int chosen) {
  for (size_t i = 0; i < group.size(); ++i) group[i].SetOn(static_cast<int>(i) == chosen);
}

LRESULT Mark::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // A double click acts once: its second press is no mouse down.
  if (IsMouseDown(message)) {
    if (on_mouse_down) on_mouse_down();
    return 0;
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(hwnd(), [this](HDC dc, const RECT&) {
        DrawBitmap(dc, on_ ? on_picture_ : off_, 0, 0);
      });
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra
