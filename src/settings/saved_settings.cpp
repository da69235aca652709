#include "settings/saved_settings.h"

#include <algorithm>
#include <optional>

#include "core/numbers.h"
#include "startup/frame_files.h"

namespace gyra {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the folder lists an entry of that name (Windows ignores the case
// of Latin letters).
bool IsListed(const FileSystem& fs, const std::string& path) {
  const std::string name = path.substr(path.rfind('\\') + 1);
  const auto entries = fs.ListFolder(FolderOf(path));
  return entries && std::any_of(entries->begin(), entries->end(), [&](const FolderEntry& e) {
           return std::equal(e.name.begin(), e.name.end(), name.begin(), name.end(),
                             [](char a, char b) { return Lower(a) == Lower(b); });
         });
}

}  // namespace

int16_t RepeatTrackNumber(std::string_view text, int16_t previous) {
  const std::optional<double> number = TextToNumber(text);
  if (!number) return 0;
  return RoundToInt16(*number).value_or(previous);
}

Settings SettingsToSave(Settings globals, const ControlValues& controls) {
  globals.Flame_Count = static_cast<int16_t>(-controls.scroll_flame);
  globals.Disp_Size = static_cast<int16_t>(-controls.scroll_radius);
  globals.Speed = static_cast<int16_t>(controls.scroll_fast);
  globals.BGM_Rep = RepeatTrackNumber(controls.repeat_text, globals.BGM_Rep);
  return globals;
}

bool WriteSettingsFile(FileSystem& fs, const std::string& path, const Settings& settings, bool all_eleven) {
  std::optional<std::string> bytes = fs.ReadFile(path);
  // Writing over a file that could not be read would lose the keys not written.
  if (!bytes && IsListed(fs, path)) return false;
  const std::optional<std::string> written = WriteSettings(bytes.value_or(""), settings, all_eleven);
  return written && fs.WriteFileReplacing(path, *written);
}

}  // namespace gyra
