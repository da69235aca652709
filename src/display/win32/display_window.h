// Windows layer: the full-screen display window Vorten_A.
#pragma once

namespace gyra {

// Plays the committed frames (File_List) full screen until the user comes
// back, then ends the process. Returns false at once, showing nothing, when
// no frame file can be decoded; true if playback gives up.
bool LoadDisplayWindow();

}  // namespace gyra
