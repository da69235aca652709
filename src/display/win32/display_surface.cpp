#include "display/win32/display_surface.h"

#include "toolkit/font.h"

namespace gyra {

namespace {

// Asked for by name with the Japanese character set, so that a Japanese
// font stands in where this face is missing.
constexpr wchar_t kTextFace[] = L"ＭＳ Ｐゴシック";
constexpr double kTextPoints = 14;

}  // namespace

// Only the previous picture is not black, so clearing its rectangle clears
// the whole surface, and only it and the new picture's rectangle need to
// reach the screen: a full clear and repaint would look the same at many
// times the cost on a large screen.
void DisplaySurface::ShowFrame(FrameImages& frames, int16_t frame, int left, int top) {
  FillRect(dc(), &shown_, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const RECT drawn = frames.Draw(frame, dc(), left, top);
  RECT changed;
  UnionRect(&changed, &shown_, &drawn);
  shown_ = drawn;
  Present(changed);
}

void DisplaySurface::ShowText(const wchar_t* text, const RECT& area) {
  FillRect(dc(), &shown_, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  // Scaled by hand: the display draws at the screen's own pixels.
  const HFONT font = CreateNamedFont(kTextFace, kTextPoints * GetDeviceCaps(dc(), LOGPIXELSY) / 96, SHIFTJIS_CHARSET);
  const HGDIOBJ previous = SelectObject(dc(), font);
  SetTextColor(dc(), RGB(255, 255, 255));
  SetBkMode(dc(), TRANSPARENT);
  RECT drawn = area;
  DrawTextW(dc(), text, -1, &drawn, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc(), previous);
  DeleteObject(font);
  shown_ = area;
  Present(area);
}

void DisplaySurface::Present(const RECT& changed) {
  // Straight to the window in one copy of the finished picture; going
  // through a repaint message costs many times more. Drawing calls may wait
  // in the thread's batch, and the picture is due on the screen before the
  // step's pause.
  HDC screen = GetDC(hwnd());
  BitBlt(screen, changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top, dc(),
         changed.left, changed.top, SRCCOPY);
  ReleaseDC(hwnd(), screen);
  GdiFlush();
}

LRESULT DisplaySurface::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEMOVE:
      if (on_mouse_) on_mouse_(message, lparam);
      return 0;
    default:
      return PictureSurface::OnMessage(message, wparam, lparam);
  }
}

}  // namespace gyra
