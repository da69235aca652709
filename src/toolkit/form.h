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
  // windows of the thread are disabled meanwhile. A WM_QUIT arriving
  // meanwhile is passed on to the outer loop.
  void ShowModal();
  // Closes the form as a whole (its children with it). A modal form enables
  // the windows it disabled first, so that its owner becomes the active
  // window again as the form goes, as after a system dialog.
  void Unload();

  // Centres an outer size of width x height on the primary screen.
  static RECT CentredOnScreen(int width, int height);

 private:
  void EnableDisabled();

  std::vector<HWND> disabled_;
};

}  // namespace gyra
