// Windows layer: the full-screen display window.
#pragma once

#include <string>
#include <vector>

#include "data/frame_files.h"
#include "data/settings_store.h"
#include "display/pacing.h"

namespace gyra {

// Plays the frames (full paths, in playback order) full screen with the
// settings' motion, turn, speed and music until the user comes back, then
// ends the process; without a frame that can be decoded, the screen says
// that the frames have to be rendered first. Returns only when the window
// cannot be made. The steps wait on `clock` (display/win32/message_clock.h on
// the performance counter). With hide_pointer the pointer stays hidden over
// the window.
void PlayFullScreen(const std::vector<std::string>& frame_files, const Settings& settings, const DataPaths& paths,
                    StepClock& clock, bool hide_pointer = false);

}  // namespace gyra
