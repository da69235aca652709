// Windows layer: telling presses and releases of any mouse button apart. The
// second press of a double click arrives as a double click, not as a down.
#pragma once

#include <windows.h>

namespace gyra {

// A press that is not the second of a double click.
inline bool IsMouseDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

// Any press, the second of a double click too.
inline bool IsMousePress(UINT message) {
  return IsMouseDown(message) || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
         message == WM_MBUTTONDBLCLK;
}

inline bool IsMouseRelease(UINT message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

}  // namespace gyra
