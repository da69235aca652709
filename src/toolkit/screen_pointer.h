// Windows layer: the screen-wide mouse pointer. While it is set to anything
// but the default it stands for the pointer of every window that asks for it
// (the hourglass while the program works), whatever the window's own.
#pragma once

namespace gyra {

enum class ScreenPointer { kDefault, kHourglass };

// Sets the pointer and shows it at once.
void SetScreenPointer(ScreenPointer pointer);
ScreenPointer CurrentScreenPointer();

// For a window's WM_SETCURSOR: shows the screen-wide pointer and returns
// true, or returns false when it is the default and the window's own applies.
bool ShowScreenPointer();

}  // namespace gyra
