// Windows layer: answering WM_PAINT for the windows that draw themselves.
#pragma once

#include <windows.h>

namespace gyra {

// Begins painting, lets paint(dc, area) draw the invalid area, ends painting.
template <typename Paint>
LRESULT PaintWindow(HWND hwnd, Paint paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  paint(dc, ps.rcPaint);
  EndPaint(hwnd, &ps);
  return 0;
}

}  // namespace gyra
