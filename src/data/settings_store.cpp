#include "data/settings_store.h"

#include <algorithm>
#include <cmath>

#include "core/ascii.h"
#include "core/cp932.h"
#include "core/numbers.h"
#include "data/frame_files.h"
#include "data/private_profile.h"

namespace gyra {

namespace {

// Whether the folder lists an entry of that name (Windows ignores the case
// of Latin letters).
bool IsListed(const FileSystem& fs, const std::string& path) {
  const std::string name = path.substr(path.rfind('\\') + 1);
  const auto entries = fs.ListFolder(ParentFolder(path));
  return entries && std::any_of(entries->begin(), entries->end(),
                                [&](const FolderEntry& e) { return EqualIgnoringAsciiCase(e.name, name); });
}

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
    const std::string value = ReadProfileString(file, kSettingsSection, key.name);
    if (!key.number) {
      settings.picture_path = StoredPicture(value, can_open_for_reading);
    } else if (value.empty()) {
      settings.*key.number = key.default_value;
    } else if (const std::optional<int16_t> number = StoredInteger(value)) {
      settings.*key.number = *number;
    }
  }
  if (settings.picture_path.empty() || settings.trim == 0) settings.trim_top = 0;
  return settings;
}

std::optional<std::string> WriteSettings(std::string file_bytes, const Settings& settings, bool all_eleven) {
  for (size_t i = all_eleven ? 0 : kFirstOptionKey; i < kSettingKeys.size(); ++i) {
    const SettingKey& key = kSettingKeys[i];
    const std::optional<std::string> value =
        key.number ? std::to_string(settings.*key.number) : Utf8ToCp932(settings.picture_path);
    if (!value) return std::nullopt;
    std::optional<std::string> written = WriteProfileString(file_bytes, kSettingsSection, key.name, *value);
    if (!written) return std::nullopt;
    file_bytes = std::move(*written);
  }
  return file_bytes;
}

bool WriteSettingsFile(FileSystem& fs, const std::string& path, const Settings& settings, bool all_eleven) {
  std::optional<std::string> bytes = fs.ReadFile(path);
  // Writing over a file that could not be read would lose the keys not written.
  if (!bytes && IsListed(fs, path)) return false;
  const std::optional<std::string> written = WriteSettings(bytes.value_or(""), settings, all_eleven);
  return written && fs.WriteFileReplacing(path, *written);
}

}  // namespace gyra
