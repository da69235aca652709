#include "toolkit/window_effects.h"

#include "core/numbers.h"

namespace gyra {

namespace {

RECT PointRect(int16_t X, int16_t Y) { return {X, Y, X, Y}; }

// An empty rectangle at 0,0 when the window's cannot be read.
RECT WindowRect(HWND window) {
  RECT r{0, 0, 0, 0};
  if (!GetWindowRect(window, &r)) r = {0, 0, 0, 0};
  return r;
}

}  // namespace

ZoomAnchor ReadZoomAnchor() {
  POINT p;
  if (!GetCursorPos(&p)) return {};
  return {RoundToInt16(p.x).value_or(0), RoundToInt16(p.y).value_or(0)};
}

void ZoomOutOfPoint(HWND window, int16_t X, int16_t Y) {
  const RECT from = PointRect(X, Y);
  const RECT to = WindowRect(window);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomIntoPoint(HWND window, int16_t X, int16_t Y) {
  const RECT from = WindowRect(window);
  const RECT to = PointRect(X, Y);
  DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void DrawEdgeRound(PictureSurface& box, UINT edge) {
  if (!box.dc()) return;
  RECT whole{0, 0, box.width(), box.height()};
  DrawEdge(box.dc(), &whole, edge, BF_RECT);
  box.Refresh();
}

}  // namespace gyra
