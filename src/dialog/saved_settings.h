// What the dialog's OK and Apply write into the settings file, and the
// writing itself. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/settings_store.h"

namespace gyra {

// The values that only the dialog's controls hold until saving.
struct ControlValues {
  int frame_count_spinner = 0;  // minus the frame count
  int radius_spinner = 0;       // minus the ball's radius
  int speed_slider = 0;         // the speed
  std::string repeat_text;   // repeat_combo_'s text, UTF-8
};

// The combo's text as the track to repeat: a text that is a number as a
// whole (TextToNumber: blanks round it allowed, "12abc" is none) rounded
// half to even; 0 for any other text; `previous` for a number that does not
// fit in 16 bits.
int16_t RepeatTrackNumber(std::string_view text, int16_t previous);

// The settings as saved: the dialog's settings, with the frame count and the size
// from the negated spinners, the speed from its bar and the track to repeat
// from the combo's text.
Settings SettingsToSave(Settings settings, const ControlValues& controls);

}  // namespace gyra
