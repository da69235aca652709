// Windows layer: a top-level window of the program (dialog, rendering window,
// full-screen display, preview), shown modelessly or modally.
#pragma once

#include <vector>

#include "toolkit/window.h"

namespace gyra {

class Form : public Window {
 public:
  void Show();
  // Shows the form and runs the message loop until it is destroyed. The other
  // windows of the thread, and the owner (which may be another program's
  // window, the screen-saver host's), are disabled meanwhile. A WM_QUIT
  // arriving meanwhile is passed on to the outer loop.
  void ShowModal();
  // Closes the form as a whole (its children with it). A modal form enables
  // the windows it disabled first, so that its owner becomes the active
  // window again as the form goes, as after a system dialog.
  void Unload();

  // Sizes the form so that its client area is width x height and centres it
  // over its owner's monitor. The frame is measured rather than assumed,
  // since its size depends on the system's metrics and theme.
  void FitClientAndCentre(int width, int height);

  // An outer size of width x height centred in the work area of the
  // window's monitor (the primary monitor for nullptr).
  static RECT CentredOver(HWND window, int width, int height);

 private:
  void EnableDisabled();

  std::vector<HWND> disabled_;
};

}  // namespace gyra
