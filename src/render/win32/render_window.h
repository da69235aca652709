// Windows layer: the rendering window.
#pragma once

#include <windows.h>

#include <string>

#include "render/render_plan.h"

namespace gyra {

// Shows the rendering window modally, owned by `owner`. It renders the
// picture at `picture_path` with `options` into the frame folder `folder`,
// showing each frame as it is made; Esc cancels. True only when the folder
// holds every frame of the run; a failure has been explained to the user in
// a message box. The owner is the active window again afterwards.
bool ShowRenderWindow(HWND owner, const RenderOptions& options, const std::string& picture_path,
                      const std::string& folder);

}  // namespace gyra
