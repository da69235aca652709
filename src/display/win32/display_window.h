// Windows layer: the full-screen display window.
#pragma once

#include <string>
#include <vector>

#include "data/frame_files.h"
#include "data/settings_store.h"

namespace gyra {

enum class DisplayOutcome {
  kNoFrames,  // no frame file could be decoded; nothing was shown
  kGaveUp,    // the window could not be made or its loop ended
};

// Plays the frames (full paths, in playback order) full screen with the
// settings' motion, turn, speed and music until the user comes back, then
// ends the process; returns only when it cannot play. With hide_pointer the
// pointer stays hidden over the window.
DisplayOutcome PlayFullScreen(const std::vector<std::string>& frame_files, const Settings& settings,
                              const DataPaths& paths, bool hide_pointer = false);

}  // namespace gyra
