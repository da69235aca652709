// Windows layer: asking the system to leave the display and the preview at
// the screen's own pixels instead of stretching them on a scaled display.
#pragma once

namespace gyra {

// Declares the process aware of each monitor's DPI, with the newest call the
// system offers; must come before the first window. The settings dialog,
// laid out in pixels, does not call it and is scaled by the system.
void DeclarePerMonitorDpiAware();

}  // namespace gyra
