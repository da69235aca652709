#include "toolkit/container.h"

#include "toolkit/bitmap.h"
#include "toolkit/control_pointer.h"
#include "toolkit/native_control.h"

namespace gyra {

namespace {

constexpr int kSunkenEdge = 2;

}  // namespace

bool Container::Create(HWND parent, int left, int top, int width, int height, bool sunken_edge) {
  const int edge = sunken_edge ? kSunkenEdge : 0;
  if (!PictureSurface::Create(parent, left, top, width - 2 * edge, height - 2 * edge)) return false;
  SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
  if (sunken_edge) {
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return true;
}

void Container::DrawPicture(HBITMAP picture, int left, int top) { DrawBitmap(dc(), picture, left, top); }

void Container::RefreshArea(const RECT& area) {
  GdiFlush();
  RedrawWindow(hwnd(), &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT Container::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (NativeControl::Reflect(message, wparam, lparam)) return 0;
      return Default(message, wparam, lparam);
    case WM_SETCURSOR:
      if (ShowControlPointer(reinterpret_cast<HWND>(wparam), hwnd())) return TRUE;
      return Default(message, wparam, lparam);
    default:
      return PictureSurface::OnMessage(message, wparam, lparam);
  }
}

}  // namespace gyra
