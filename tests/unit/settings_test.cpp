// Data.ini: the private-profile rules, the settings load and save, OK and Apply.
#include <gtest/gtest.h>

#include <random>

#include "core/cp932.h"
#include "data/private_profile.h"
#include "data/settings_store.h"
#include "dialog/repeat_track.h"
#include "dialog/saved_settings.h"
#include "memory_file_system.h"

namespace gyra {
namespace {

const std::string kSo = "\x83\x5C", kHyo = "\x95\x5C";  // ソ, 表: trail byte '\'
const std::string kA = "\x83\x41", kDi = "\x83\x61";    // ア, ヂ: trail bytes 'A', 'a'

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).value(); }
std::string Line(const char* utf8_key, const std::string& value) { return Sjis(utf8_key) + "=" + value + "\r\n"; }
std::string Ini(const std::string& lines) { return "[Section]\r\n" + lines; }
std::string Times(int n, const std::string& s) { return n > 0 ? s + Times(n - 1, s) : ""; }

TEST(ReadProfileString, FollowsThePrivateProfileRules) {
  const struct { const char* name; std::string file, section, key, expected; } cases[] = {
      {"before any section", "k=v\r\n[S]", "S", "k", ""}, {"ASCII case", "[SECTION]\r\nKey=v", "section", "kEY", "v"},
      {"blanks, LF and CR", "  [ S ]  \nx=1\r \t k \t=  \t v w \t ", " S ", " k ", "v w"},
      {"no '=', then a duplicate", "[S]\nk\nk=v", "S", "k", ""}, {"quotes", "[S]\nk= \"a=b\" ", "S", "k", "a=b"},
      {"first duplicate section", "[S]\r\na=1\r\n[T]\r\n[S]\r\nk=3\r\n", "S", "k", ""},
      {"no half kanji at the cut", "[S]\r\nk=" + Times(150, kHyo), "S", "k", Times(127, kHyo)},
      {"trail '\\' in a value", "[S]\r\nk=C:\\" + kSo + kHyo + "\\x\r\n", "S", "k", "C:\\" + kSo + kHyo + "\\x"},
      {"trail 'A' is not folded", "[" + kA + "]\r\n" + kA + "=1\r\n", kA, kDi, ""},
      {"trail ']' in a section name", "[x\x81\x5D]\r\nk=1\r\n", "x\x81\x5D", "k", "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadProfileString(c.file, c.section, c.key), c.expected) << c.name;
}

TEST(WriteProfileString, EditsOnlyTheEntry) {
  const struct { const char* name; std::string file, section, key, value, expected; } cases[] = {
      {"new key before blank lines", "[S]\r\na=1\r\n; c\r\n\r\n[T]\r\n", "S", "k", "v",
       "[S]\r\na=1\r\n; c\r\nk=v\r\n\r\n[T]\r\n"},
      {"new key into the first of two", "[S]\r\n[T]\r\n[S]\r\nk=0", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n[S]\r\nk=0"},
      {"replace the first, keeping its spelling", "[s]\n  K = 0  \nk=2", "S", "k", "1", "[s]\nK=1\r\nk=2"},
      {"new section", "k=1\r\n[T]\r\nb=2", "S", "k", "v", "k=1\r\n[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
      {"others kept byte for byte", ";top\n[S] ;c\r\n x = 1\n;k=9\r\nk = 2 \r\n\r\n[T]\r\nk=3", "S", "k", "4",
       ";top\n[S] ;c\r\n x = 1\n;k=9\r\nk=4\r\n\r\n[T]\r\nk=3"},
  };
  for (const auto& c : cases) EXPECT_EQ(WriteProfileString(c.file, c.section, c.key, c.value), c.expected) << c.name;
}

// Refused: entries that could not be read back; a trail byte '\' is fine.
TEST(WriteProfileString, WritesOnlyWhatReadsBack) {
  const struct { std::string section, key, value; bool written; } cases[] = {
      {"S", "k", "a\r\nb=c", false}, {"S", "k", "a\nb", false},     {"S", "k", std::string("a\0b", 3), false},
      {"S", "k\r\n[T]", "v", false}, {"S]\r\nx", "k", "v", false},   {"S", "a=b", "v", false},
      {"S", "[T]", "v", false},      {"S", " ", "v", false},        {"", "k", "v", false},
      {"S\x83", "k", "v", false},    {"S", "k\x83  ", "v", false},  {kSo, kHyo, "v", true},
      {"a" + kSo, "\x83\x83", "C:\\" + kSo + "\\x", true},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> file = WriteProfileString("", c.section, c.key, c.value);
    EXPECT_EQ(file ? ReadProfileString(*file, c.section, c.key) : "refused", c.written ? c.value : "refused") << c.key;
  }
}

std::vector<int> Numbers(const Settings& s) {
  return {s.stretch, s.frame_count, s.radius, s.music_off, s.repeat_track, s.motion, s.turn_left, s.speed, s.trim,
          s.trim_top};
}
bool Opens(const std::string&) { return true; }

TEST(LoadSettings, DefaultsForMissingFileOrEmptyValues) {
  std::string empty_values;
  for (const SettingKey& key : kSettingKeys) empty_values += std::string(key.name) + "=\r\n";
  for (const std::optional<std::string>& file : {std::optional<std::string>(), std::optional(Ini(empty_values))})
    EXPECT_EQ(Numbers(LoadSettings(file, Opens)), (std::vector<int>{0, 64, 100, 1, 0, 2, 0, 1, 0, 0}));
}

TEST(LoadSettings, KeepsAPictureOnlyWhenItOpensAndTrimYOnlyWithIt) {
  const struct { std::string picture, trim; bool opens; const char* path; int16_t trim_top; size_t asked; } cases[] = {
      {"C:\\" + kSo + kHyo + "\\a.bmp", "1", true, "C:\\ソ表\\a.bmp", 30, 1}, {"C:\\a.bmp", "1", false, "", 0, 1},
      {"C:\\a.bmp", "0", true, "C:\\a.bmp", 0, 1}, {"C:\\\x85\x40.bmp", "1", true, "", 0, 0}, {"", "1", true, "", 0, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> asked;  // only decodable paths are looked up
    const Settings s = LoadSettings(Ini(Line("ｵﾘｼﾞﾅﾙ画像", c.picture) + Line("ﾄﾘﾐﾝｸﾞ", c.trim) +
                                        Line("ﾄﾘﾐﾝｸﾞ_Y", "30.7")),
                                    [&](const std::string& path) { asked.push_back(path); return c.opens; });
    EXPECT_EQ(std::tuple(s.picture_path, s.trim_top, asked.size()), std::tuple(c.path, c.trim_top, c.asked)) << c.picture;
  }
}

Settings Sample() {
  return {.picture_path = "C:\\写真\\ソ表.bmp", .stretch = 1, .frame_count = 128, .radius = 150, .music_off = 0,
          .repeat_track = 12, .motion = 1, .turn_left = 1, .speed = 1000, .trim = 1, .trim_top = -32768};
}

TEST(WriteSettings, OkWritesAllElevenApplyTheLastSevenAndAPathShiftJisCannotHoldIsRefused) {
  const std::string options = Line("BGM有無", "0") + Line("BGMﾘﾋﾟｰﾄ", "12") + Line("移動ﾊﾟﾀｰﾝ", "1") +
                              Line("回転ﾊﾟﾀｰﾝ", "1") + Line("速さ", "1000") + Line("ﾄﾘﾐﾝｸﾞ", "1") +
                              Line("ﾄﾘﾐﾝｸﾞ_Y", "-32768");
  const std::string ok = Ini(Line("ｵﾘｼﾞﾅﾙ画像", Sjis("C:\\写真\\ソ表.bmp")) + Line("横ｽﾄﾚｯﾁ", "1") +
                             Line("ﾌﾚｰﾑ数", "128") + Line("表示画像のｻｲｽﾞ", "150") + options);
  EXPECT_EQ(WriteSettings("", Sample(), true), ok);
  const std::string before = "; mine\r\n" + Ini(Line("ﾌﾚｰﾑ数", " 64 "));
  EXPECT_EQ(WriteSettings(before, Sample(), false), before + options);
  for (const char* path : {"C:\\¥.bmp", "C:\\€.bmp", "C:\\a\r\nb.bmp"}) {
    Settings s = Sample();
    s.picture_path = path;
    EXPECT_EQ(WriteSettings("", s, true), std::nullopt) << path;
    EXPECT_TRUE(WriteSettings("", s, false).has_value()) << "Apply does not write the path";
  }
}

TEST(DamagedDataIni, LoadsUsableSettings) {
  const std::string frames = "[Section]\r\n" + Sjis("ﾌﾚｰﾑ数"), picture = "[Section]\r\n" + Sjis("ｵﾘｼﾞﾅﾙ画像");
  std::string garbage(4096, '\0');
  for (std::mt19937 random(1); char& c : garbage) c = char(random());
  const std::string utf8 = "[Section]\r\n\xEF\xBE\x8C\xEF\xBE\x9A\xEF\xBD\xB0\xEF\xBE\x91\xE6\x95\xB0=12\r\n";
  const struct { const char* name; std::string file; int frames; std::string picture; } cases[] = {
      {"binary garbage", garbage, 64, ""}, {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8, 64, ""},
      {"NUL in the section name", std::string("[Sec\0tion]\r\n", 12) + frames.substr(11) + "=12", 64, ""},
      {"garbage around", garbage.substr(0, 300) + "\r\n" + frames + "=12\r\n" + garbage, 12, ""},
      {"NUL inside a number", frames + std::string("=12\0" "34", 5), 0, ""},
      {"a 1 MB number", frames + "=" + std::string(1 << 20, '1'), 0, ""},
      {"NUL in the picture path", picture + std::string("=C:\\a.bmp\0.jpg", 14), 64, ""},
      {"a 1 MB path", picture + "=C:\\" + std::string(1 << 20, 'x'), 64, "C:\\" + std::string(252, 'x')},
      {"UTF-16", std::string("\xFF\xFE[\0S\0e\0c\0t\0i\0o\0n\0]\0", 20), 64, ""},
  };
  for (const auto& c : cases) {
    const Settings loaded = LoadSettings(c.file, Opens);
    EXPECT_EQ(std::tuple(loaded.frame_count, loaded.picture_path), std::tuple(c.frames, c.picture)) << c.name;
  }
}

// Any 16-bit number is kept, whatever the key; anything else is 0, not the default.
TEST(DamagedDataIni, NumbersOutOfRangeForEveryKey) {
  const struct { const char* stored; int kept; } values[] = {
      {"-5", -5}, {"32767", 32767}, {"-32768", -32768}, {"40000", 0}, {"-32769", 0}, {"-1e400", 0}, {"12.9", 12},
      {"-2.5", -3}, {"-32768.5", 0}, {"12abc", 0}, {"2.5D1", 25}, {"&HFFFF", -1}, {"\"64\"", 64}, {"\x82\x50", 0},
  };
  for (size_t k = 1; k < kSettingKeys.size(); ++k)
    for (const auto& v : values) {
      const std::string file = Ini(std::string(kSettingKeys[k].name) + "=" + v.stored + "\r\n" +
                                   Line("ｵﾘｼﾞﾅﾙ画像", "C:\\a.bmp") + Line("ﾄﾘﾐﾝｸﾞ", "1"));
      EXPECT_EQ(LoadSettings(file, Opens).*kSettingKeys[k].number, v.kept) << k << " " << v.stored;
    }
}

TEST(SavedSettings, RepeatTrackTextRoundsHalfToEvenAndKeepsTheTrackOutside16Bits) {
  const struct { const char* text; int16_t expected; } cases[] = {
      {"12", 12}, {"", 0},   {"abc", 0}, {"3.5", 4},   {"2.5", 2},         {" 7 ", 7},   {"12abc", 0},
      {"-3", -3}, {"&H10", 16}, {"1e1", 10}, {"-32768.4", -32768}, {"32768", 5}, {"32767.5", 5}, {"1e9", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(RepeatTrackNumber(c.text, 5), c.expected) << c.text;
  const Settings saved = SettingsToSave(Sample(), {.frame_count_spinner = -8, .radius_spinner = -200, .speed_slider = 250,
                                                   .repeat_text = "2.5"});
  EXPECT_EQ(Numbers(saved), (std::vector<int>{1, 8, 200, 0, 2, 1, 1, 250, 1, -32768}));
}

TEST(SavedSettings, WritesTheFileOrLeavesItAsItWas) {
  const std::string ini = "C:\\Data.ini", before = Ini(Line("ｵﾘｼﾞﾅﾙ画像", "C:\\a.bmp"));
  MemoryFileSystem fs;
  fs.AddFolder("C:");
  fs.AddFile(ini, before, {.readable = false});
  EXPECT_FALSE(WriteSettingsFile(fs, ini, Sample(), false)) << "unread keys would be lost";
  fs.AddFile(ini, before);
  fs.failing_paths.insert(ini);
  EXPECT_FALSE(WriteSettingsFile(fs, ini, Sample(), true));
  EXPECT_EQ(fs.Bytes(ini), before);
  fs.failing_paths.clear();
  EXPECT_TRUE(WriteSettingsFile(fs, ini, Sample(), false));
  EXPECT_EQ(fs.Bytes(ini), WriteSettings(before, Sample(), false)) << "Apply keeps the picture";
}

}  // namespace
}  // namespace gyra
