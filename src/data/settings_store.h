// The eleven user settings and the Data.ini file that keeps them: one section
// "Section", Japanese keys in Shift-JIS, every value as text. Portable: the
// caller reads and writes the file's bytes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.h"

namespace gyra {

// The settings as the program holds them; all zero or empty at process start.
struct Settings {
  std::string picture_path;   // the user's picture (UTF-8), empty when none
  int16_t stretch = 0;  // stretch the picture horizontally
  int16_t frame_count = 0; // frames rendered for one turn
  int16_t radius = 0;   // radius of the displayed ball
  int16_t music_off = 0;     // 0 = play the audio CD
  int16_t repeat_track = 0;     // track to repeat, 0 = none
  int16_t motion = 0;    // 0 centre, 1 bounce, 2 springs
  int16_t turn_left = 0;  // 0 turn right, 1 turn left
  int16_t speed = 0;       // 1 fast .. 1000 slow
  int16_t trim = 0;     // use only the trimmed part of the picture
  int16_t trim_top = 0;      // top of the trimming frame
};

inline constexpr std::string_view kSettingsSection = "Section";

struct SettingKey {
  std::string_view name;       // as stored in Data.ini: Shift-JIS bytes
  int16_t default_value;       // taken when the stored value is empty
  int16_t Settings::*number;   // nullptr for the picture path
};

// The keys in file order. The dialog's Apply writes only those from
// kFirstOptionKey on; OK writes all.
inline constexpr std::array<SettingKey, 11> kSettingKeys = {{
    {"\xB5\xD8\xBC\xDE\xC5\xD9\x89\xE6\x91\x9C", 0, nullptr},                      // ｵﾘｼﾞﾅﾙ画像
    {"\x89\xA1\xBD\xC4\xDA\xAF\xC1", 0, &Settings::stretch},                     // 横ｽﾄﾚｯﾁ
    {"\xCC\xDA\xB0\xD1\x90\x94", 64, &Settings::frame_count},                       // ﾌﾚｰﾑ数
    {"\x95\x5C\x8E\xA6\x89\xE6\x91\x9C\x82\xCC\xBB\xB2\xBD\xDE", 100, &Settings::radius},  // 表示画像のｻｲｽﾞ
    {"BGM\x97\x4C\x96\xB3", 1, &Settings::music_off},                                 // BGM有無
    {"BGM\xD8\xCB\xDF\xB0\xC4", 0, &Settings::repeat_track},                             // BGMﾘﾋﾟｰﾄ
    {"\x88\xDA\x93\xAE\xCA\xDF\xC0\xB0\xDD", 2, &Settings::motion},               // 移動ﾊﾟﾀｰﾝ
    {"\x89\xF1\x93\x5D\xCA\xDF\xC0\xB0\xDD", 0, &Settings::turn_left},             // 回転ﾊﾟﾀｰﾝ
    {"\x91\xAC\x82\xB3", 1, &Settings::speed},                                      // 速さ
    {"\xC4\xD8\xD0\xDD\xB8\xDE", 0, &Settings::trim},                            // ﾄﾘﾐﾝｸﾞ
    {"\xC4\xD8\xD0\xDD\xB8\xDE_Y", 0, &Settings::trim_top},                           // ﾄﾘﾐﾝｸﾞ_Y
}};
inline constexpr size_t kFirstOptionKey = 4;

// The settings as Data.ini holds them (nothing = no file = every default).
// An empty value gives the key's default; a value that is not a 16-bit number
// leaves the process-start 0. A picture path that is not valid Shift-JIS,
// holds a NUL or names a file that cannot be opened becomes empty; trim_top
// counts only with a picture and trimming on.
Settings LoadSettings(const std::optional<std::string>& ini_bytes,
                      const std::function<bool(const std::string& utf8_path)>& can_open_for_reading);

// The file bytes after writing the settings in file order: all eleven keys,
// or only those from kFirstOptionKey on. Numbers as decimal text. Nothing
// when the picture path cannot be written in Shift-JIS.
std::optional<std::string> WriteSettings(std::string file_bytes, const Settings& settings,
                                         bool all_eleven);

// Writes the settings into the file at `path` (all eleven keys, or the
// option keys only), keeping whatever else it holds. False, leaving the file
// as it was, when it is there but cannot be read, cannot be written, or the
// picture path cannot be stored in Shift-JIS.
bool WriteSettingsFile(FileSystem& fs, const std::string& path, const Settings& settings, bool all_eleven);

}  // namespace gyra
