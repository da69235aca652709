#include "dialog/saved_settings.h"

#include <optional>

#include "core/numbers.h"

namespace gyra {

int16_t RepeatTrackNumber(std::string_view text, int16_t previous) {
  const std::optional<double> number = TextToNumber(text);
  if (!number) return 0;
  return RoundToInt16(*number).value_or(previous);
}

Settings SettingsToSave(Settings settings, const ControlValues& controls) {
  settings.frame_count = static_cast<int16_t>(-controls.frame_count_spinner);
  settings.radius = static_cast<int16_t>(-controls.radius_spinner);
  settings.speed = static_cast<int16_t>(controls.speed_slider);
  settings.repeat_track = RepeatTrackNumber(controls.repeat_text, settings.repeat_track);
  return settings;
}

}  // namespace gyra
