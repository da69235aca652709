// Windows layer: the mouse pointer of a whole set of windows: a window, the
// windows it owns and their controls. While it is set to anything but the
// default it stands for the pointer of every one of them that asks for it
// (the hourglass while the program works), whatever the window's own.
#pragma once

#include <windows.h>

namespace gyra {

enum class ScreenPointer { kDefault, kHourglass };

// Sets the pointer for the windows `window` belongs with (its root owner
// keeps it) and shows it at once. A null window only shows it.
void SetScreenPointer(HWND window, ScreenPointer pointer);

// For a window's WM_SETCURSOR: shows the pointer set for its windows and
// returns true, or returns false when it is the default and the window's own
// applies.
bool ShowScreenPointer(HWND window);

}  // namespace gyra
