// Windows layer: asking the system to leave the display and the preview at
// the screen's own pixels instead of stretching them on a scaled display.
#pragma once

#include <windows.h>

namespace gyra {

// Declares the process aware of each monitor's DPI, with the newest call the
// system offers; must come before the first window. The settings dialog,
// laid out in pixels, does not call it and is scaled by the system.
void DeclarePerMonitorDpiAware();

// The preview's window lives in the host's window: the thread takes the
// host window's awareness, so that both count the same pixels (Windows 10
// 1607 and later; before, nothing is declared).
void MatchDpiAwarenessOf(HWND host);

}  // namespace gyra
