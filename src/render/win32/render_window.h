// Windows layer: the rendering window Vorten_R.
#pragma once

#include <windows.h>

namespace gyra {

// Shows the rendering window modally, owned by `owner`. It renders the picture Config.Orgn_Path
// with the frame count, radius and strip mode of Config into the frame folder
// Paths.Image2_Path, showing each frame as it is made; Esc cancels. Afterwards
// Render_Done is true only when the folder holds every frame of the run; a
// failure has been explained to the user in a message box. The owner is the
// active window again afterwards.
void ShowRenderWindow(HWND owner);

}  // namespace gyra
