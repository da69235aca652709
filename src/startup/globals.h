// The state the program's windows share, set up by Main and living for the
// whole process. Only Main and the windows use it; core functions take what
// they need as arguments and return their results.
#pragma once

#include <string>
#include <vector>

#include "startup/frame_files.h"
#include "startup/settings_store.h"

namespace gyra {

// The eleven settings as loaded from Data.ini and as the dialog edits them.
inline Settings Config;

// Data folder, its two frame folders and the settings file.
inline DataPaths Paths;

// The frame catalogue: full paths of the frames, in playback order.
inline std::vector<std::string> File_List;

// True once the rendering window has written every frame of its run.
inline bool Render_Done = false;

// The cursor display count after the last hide or show request.
inline int Cursor_Count = 0;

}  // namespace gyra
