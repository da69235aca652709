// Windows layer: the preview mode, PreviewWindow embedded in the host's window.
#pragma once

#include <windows.h>

namespace gyra {

// Shows the fixed preview picture inside the host window, scaled to its
// preview area, and runs until the host destroys it. Returns at once when the handle names no window.
int RunPreview(HWND host);

}  // namespace gyra
