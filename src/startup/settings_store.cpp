#include "startup/settings_store.h"

#include <cmath>

#include "core/cp932.h"
#include "core/numbers.h"
#include "startup/private_profile.h"

namespace gyra {

namespace {

// A stored number's integer part, rounded toward minus infinity ("-2.5" ->
// -3); nothing when the text is not a number or the result does not fit.
std::optional<int16_t> StoredInteger(std::string_view text) {
  const std::optional<double> number = TextToNumber(text);
  if (!number) return std::nullopt;
  const double whole = std::floor(*number);
  if (!(whole >= -32768.0 && whole <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(whole);
}

// The stored picture path, kept only when it decodes and the file opens. A
// NUL names no file (a system call would see a shorter path) and could not be
// saved again.
std::string StoredPicture(std::string_view value,
                          const std::function<bool(const std::string&)>& can_open_for_reading) {
  if (value.empty() || value.find('\0') != std::string_view::npos) return "";
  const std::optional<std::string> path = Cp932ToUtf8(value);
  return path && can_open_for_reading(*path) ? *path : "";
}

}  // namespace

Settings LoadSettings(const std::optional<std::string>& ini_bytes,
                      const std::function<bool(const std::string& utf8_path)>& can_open_for_reading) {
  const std::string_view file = ini_bytes ? std::string_view(*ini_bytes) : std::string_view();
  Settings settings;
  for (const SettingKey& key : kSettingKeys) {
    const std::string value = ReadIni(file, kSettingsSection, key.name);
    if (!key.number) {
      settings.Orgn_Path = StoredPicture(value, can_open_for_reading);
    } else if (value.empty()) {
      settings.*key.number = key.default_value;
    } else if (const std::optional<int16_t> number = StoredInteger(value)) {
      settings.*key.number = *number;
    }
  }
  if (settings.Orgn_Path.empty() || settings.Trim_On == 0) settings.Trim_Y = 0;
  return settings;
}

std::optional<std::string> WriteSettings(std::string file_bytes, const Settings& settings, bool all_eleven) {
  for (size_t i = all_eleven ? 0 : kFirstOptionKey; i < kSettingKeys.size(); ++i) {
    const SettingKey& key = kSettingKeys[i];
    const std::optional<std::string> value =
        key.number ? std::to_string(settings.*key.number) : Utf8ToCp932(settings.Orgn_Path);
    if (!value) return std::nullopt;
    std::optional<std::string> written = WriteIni(file_bytes, kSettingsSection, key.name, *value);
    if (!written) return std::nullopt;
    file_bytes = std::move(*written);
  }
  return file_bytes;
}

}  // namespace gyra
