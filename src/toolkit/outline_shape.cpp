#include "toolkit/outline_shape.h"

#include <cstdint>

#include "toolkit/paint.h"

namespace gyra {

namespace {

constexpr int kLineWidth = 1;
constexpr int kDash = 4;  // pixels of each colour along the line

// The window's region: its rectangle less the inside of the frame.
void ShapeToFrame(HWND window, int width, int height) {
  HRGN frame = CreateRectRgn(0, 0, width, height);
  HRGN inside = CreateRectRgn(kLineWidth, kLineWidth, width - kLineWidth, height - kLineWidth);
  CombineRgn(frame, frame, inside, RGN_DIFF);
  DeleteObject(inside);
  SetWindowRgn(window, frame, TRUE);  // the window owns the region now
}

}  // namespace

bool OutlineShape::Create(HWND parent, int left, int top, int width, int height, COLORREF dash, COLORREF gap,
                          bool visible) {
  dash_ = dash;
  gap_ = gap;
  if (!Window::Create({.style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0u),
                       .bounds = {left, top, left + width, top + height},
                       .parent = parent}))
    return false;
  ShapeToFrame(hwnd(), width, height);
  return true;
}

void OutlineShape::Place(int left, int top, int width, int height) {
  SetBounds(left, top, width, height);
  ShapeToFrame(hwnd(), width, height);
}

// Diagonal stripes kDash wide: along any level or upright line they give
// dashes of kDash pixels.
void OutlineShape::Paint(HDC dc, const RECT& area) {
  constexpr int kPeriod = 2 * kDash;
  uint32_t pixels[kPeriod * kPeriod];
  for (int y = 0; y < kPeriod; ++y)
    for (int x = 0; x < kPeriod; ++x) {
      const COLORREF c = (x + y) % kPeriod < kDash ? dash_ : gap_;
      pixels[y * kPeriod + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  HBITMAP pattern = CreateBitmap(kPeriod, kPeriod, 1, 32, pixels);
  HBRUSH brush = CreatePatternBrush(pattern);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  DeleteObject(pattern);
}

void OutlineShape::Show(bool visible) { ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

LRESULT OutlineShape::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(hwnd(), [this](HDC dc, const RECT& area) { Paint(dc, area); });
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra
