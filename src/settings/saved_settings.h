// What the dialog's OK and Apply write into the settings file, and the
// writing itself. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_system.h"
#include "startup/settings_store.h"

namespace gyra {

// The values that only the dialog's controls hold until saving.
struct ControlValues {
  int scroll_flame = 0;      // Scroll_Flame: minus the frame count
  int scroll_radius = 0;     // Scroll_Radius: minus the displayed size
  int scroll_fast = 0;       // Scroll_Fast: the speed
  std::string repeat_text;   // BGM_Repeat's text, UTF-8
};

// The combo's text as the track to repeat: a text that is a number as a
// whole (TextToNumber: blanks round it allowed, "12abc" is none) rounded
// half to even; 0 for any other text; `previous` for a number that does not
// fit in 16 bits.
int16_t RepeatTrackNumber(std::string_view text, int16_t previous);

// The settings as saved: the globals, with the frame count and the size
// from the negated spinners, the speed from its bar and the track to repeat
// from the combo's text.
Settings SettingsToSave(Settings globals, const ControlValues& controls);

// Writes the settings into the file at `path` (all eleven keys, or the
// option keys only), keeping whatever else it holds. False, leaving the file
// as it was, when it is there but cannot be read, cannot be written, or the
// picture path cannot be stored in Shift-JIS.
bool WriteSettingsFile(FileSystem& fs, const std::string& path, const Settings& settings, bool all_eleven);

}  // namespace gyra
