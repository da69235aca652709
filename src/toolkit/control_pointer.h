// Windows layer: controls with their own mouse pointer (a hand over what can
// be clicked). The pointer is kept with the control's window; the control's
// container shows it, since a child asks its parent first on WM_SETCURSOR.
#pragma once

#include <windows.h>

namespace gyra {

// The pointer shown over the control and every window inside it (the edit
// field of a combo box). The caller keeps the cursor alive.
void SetControlPointer(HWND control, HCURSOR pointer);

// For a container's WM_SETCURSOR with the window under the mouse: shows the
// screen-wide pointer when one is set (the hourglass), else the pointer of
// that window or of its nearest ancestor below the container that has one.
// False when neither applies and the window's own pointer should show.
bool ShowControlPointer(HWND under_mouse, HWND container);

}  // namespace gyra
