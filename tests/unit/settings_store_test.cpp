#include "startup/settings_store.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/cp932.h"

namespace gyra {
namespace {

// Key names in Shift-JIS by their UTF-8 text.
std::string Key(const char* utf8) { return Utf8ToCp932(utf8).value(); }

std::string Ini(const std::string& lines) { return "[Section]\r\n" + lines; }

std::string Line(const char* utf8_key, const std::string& value) {
  return Key(utf8_key) + "=" + value + "\r\n";
}

bool AnyFileOpens(const std::string&) { return true; }
bool NoFileOpens(const std::string&) { return false; }

// Every member, in key order, for comparing whole records.
std::vector<int> Numbers(const Settings& s) {
  return {s.Stretch_On, s.Flame_Count, s.Disp_Size, s.BGM_Sel, s.BGM_Rep, s.Move_Ptn,
          s.Kaiten_Ptn, s.Speed,       s.Trim_On,   s.Trim_Y};
}

const std::vector<int> kDefaults = {0, 64, 100, 1, 0, 2, 0, 1, 0, 0};

TEST(SettingKeys, AreTheJapaneseNamesInFileOrder) {
  const char* names[] = {"ｵﾘｼﾞﾅﾙ画像", "横ｽﾄﾚｯﾁ", "ﾌﾚｰﾑ数",   "表示画像のｻｲｽﾞ", "BGM有無", "BGMﾘﾋﾟｰﾄ",
                         "移動ﾊﾟﾀｰﾝ",  "回転ﾊﾟﾀｰﾝ", "速さ", "ﾄﾘﾐﾝｸﾞ",         "ﾄﾘﾐﾝｸﾞ_Y"};
  ASSERT_EQ(kSettingKeys.size(), 11u);
  for (size_t i = 0; i < kSettingKeys.size(); ++i)
    EXPECT_EQ(Cp932ToUtf8(kSettingKeys[i].name), std::optional<std::string>(names[i])) << i;
  EXPECT_EQ(kSettingKeys[0].number, nullptr);
  EXPECT_EQ(std::string(kSettingKeys[kFirstOptionKey].name), Key("BGM有無"));
}

TEST(LoadSettings, MissingOrEmptyFileGivesTheDefaults) {
  for (const std::optional<std::string>& file :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    const Settings s = LoadSettings(file, AnyFileOpens);
    EXPECT_EQ(s.Orgn_Path, "");
    EXPECT_EQ(Numbers(s), kDefaults);
  }
}

TEST(LoadSettings, EmptyValuesGiveTheDefaults) {
  std::string lines;
  for (const SettingKey& key : kSettingKeys) lines += std::string(key.name) + "=\r\n";
  EXPECT_EQ(Numbers(LoadSettings(Ini(lines), AnyFileOpens)), kDefaults);
}

TEST(LoadSettings, TakesTheIntegerPartOfNumbersThatFit) {
  struct Case {
    const char* stored;
    int16_t expected;
  };
  const Case cases[] = {
      {"12.9", 12},      {"-2.5", -3},         {"500", 500},       {"abc", 0},     {"40000", 0},
      {"-0.5", -1},      {"32767.9", 32767},   {"-32768", -32768}, {"-32768.5", 0}, {"32768", 0},
      {"12abc", 0},      {"1,5", 0},           {" 7 ", 7},         {"1e2", 100},   {"2.5D1", 25},
      {"&H10", 16},      {"&HFFFF", -1},       {"&O17", 15},       {"\"64\"", 64}, {"+8", 8},
      {"1e400", 0},      {"\x82\x50\x82\x51", 0},  // full-width "１２"
  };
  for (const Case& c : cases) {
    const Settings s = LoadSettings(Ini(Line("ﾌﾚｰﾑ数", c.stored)), AnyFileOpens);
    EXPECT_EQ(s.Flame_Count, c.expected) << c.stored;
  }
}

TEST(LoadSettings, ReadsEveryKey) {
  const std::string file =
      Ini(Line("ｵﾘｼﾞﾅﾙ画像", "C:\\pic.bmp") + Line("横ｽﾄﾚｯﾁ", "1") + Line("ﾌﾚｰﾑ数", "8") +
          Line("表示画像のｻｲｽﾞ", "200") + Line("BGM有無", "0") + Line("BGMﾘﾋﾟｰﾄ", "99") +
          Line("移動ﾊﾟﾀｰﾝ", "1") + Line("回転ﾊﾟﾀｰﾝ", "1") + Line("速さ", "1000") +
          Line("ﾄﾘﾐﾝｸﾞ", "1") + Line("ﾄﾘﾐﾝｸﾞ_Y", "-7"));
  const Settings s = LoadSettings(file, AnyFileOpens);
  EXPECT_EQ(s.Orgn_Path, "C:\\pic.bmp");
  EXPECT_EQ(Numbers(s), (std::vector<int>{1, 8, 200, 0, 99, 1, 1, 1000, 1, -7}));
}

TEST(LoadSettings, KeysOfAnotherSectionAreNotSeen) {
  const Settings s = LoadSettings("[Other]\r\n" + Line("ﾌﾚｰﾑ数", "12"), AnyFileOpens);
  EXPECT_EQ(s.Flame_Count, 64);
}

TEST(LoadSettings, KeepsAPictureOnlyWhenItOpens) {
  const std::string stored = "C:\\\x83\x5C\x95\x5C\\a.bmp";  // C:\ソ表\a.bmp
  std::vector<std::string> asked;
  const auto record = [&asked](const std::string& path) {
    asked.push_back(path);
    return true;
  };
  EXPECT_EQ(LoadSettings(Ini(Line("ｵﾘｼﾞﾅﾙ画像", stored)), record).Orgn_Path, "C:\\ソ表\\a.bmp");
  EXPECT_EQ(asked, std::vector<std::string>{"C:\\ソ表\\a.bmp"});
  EXPECT_EQ(LoadSettings(Ini(Line("ｵﾘｼﾞﾅﾙ画像", stored)), NoFileOpens).Orgn_Path, "");

  asked.clear();
  EXPECT_EQ(LoadSettings(Ini(Line("ｵﾘｼﾞﾅﾙ画像", "C:\\\x85\x40.bmp")), record).Orgn_Path, "");
  EXPECT_EQ(LoadSettings(Ini(Line("ｵﾘｼﾞﾅﾙ画像", "")), record).Orgn_Path, "");
  EXPECT_TRUE(asked.empty()) << "undecodable or empty paths are not looked up";
}

TEST(LoadSettings, TrimYNeedsAPictureAndTrimming) {
  struct Case {
    const char* name;
    std::string picture;
    std::string trim_on;
    std::string trim_y;
    bool picture_opens;
    int16_t expected;
  };
  const Case cases[] = {
      {"trimming off", "C:\\a.bmp", "0", "30", true, 0},
      {"trimming on", "C:\\a.bmp", "1", "30", true, 30},
      {"trimming on, value 2", "C:\\a.bmp", "2", "30.7", true, 30},
      {"no picture", "", "1", "30", true, 0},
      {"picture gone", "C:\\a.bmp", "1", "30", false, 0},
      {"not a number", "C:\\a.bmp", "1", "x", true, 0},
      {"empty", "C:\\a.bmp", "1", "", true, 0},
      {"trimming missing (default 0)", "C:\\a.bmp", "", "30", true, 0},
  };
  for (const Case& c : cases) {
    const std::string file = Ini(Line("ｵﾘｼﾞﾅﾙ画像", c.picture) + Line("ﾄﾘﾐﾝｸﾞ", c.trim_on) +
                                 Line("ﾄﾘﾐﾝｸﾞ_Y", c.trim_y));
    const Settings s = LoadSettings(file, c.picture_opens ? AnyFileOpens : NoFileOpens);
    EXPECT_EQ(s.Trim_Y, c.expected) << c.name;
  }
}

TEST(LoadSettings, LongPathIsCutTo255Bytes) {
  std::string seen;
  const auto record = [&seen](const std::string& path) {
    seen = path;
    return true;
  };
  LoadSettings(Ini(Line("ｵﾘｼﾞﾅﾙ画像", "C:\\" + std::string(297, 'x'))), record);
  EXPECT_EQ(seen, "C:\\" + std::string(252, 'x'));
}

Settings Sample() {
  Settings s;
  s.Orgn_Path = "C:\\写真\\ソ表.bmp";
  s.Stretch_On = 1;
  s.Flame_Count = 128;
  s.Disp_Size = 150;
  s.BGM_Sel = 0;
  s.BGM_Rep = 12;
  s.Move_Ptn = 1;
  s.Kaiten_Ptn = 1;
  s.Speed = 1000;
  s.Trim_On = 1;
  s.Trim_Y = -32768;
  return s;
}

TEST(WriteSettings, WritesAllElevenAsTheProgramDoes) {
  const std::string expected =
      Ini(Line("ｵﾘｼﾞﾅﾙ画像", Key("C:\\写真\\ソ表.bmp")) + Line("横ｽﾄﾚｯﾁ", "1") +
          Line("ﾌﾚｰﾑ数", "128") + Line("表示画像のｻｲｽﾞ", "150") + Line("BGM有無", "0") +
          Line("BGMﾘﾋﾟｰﾄ", "12") + Line("移動ﾊﾟﾀｰﾝ", "1") + Line("回転ﾊﾟﾀｰﾝ", "1") +
          Line("速さ", "1000") + Line("ﾄﾘﾐﾝｸﾞ", "1") + Line("ﾄﾘﾐﾝｸﾞ_Y", "-32768"));
  EXPECT_EQ(WriteSettings("", Sample(), true), std::optional<std::string>(expected));
}

TEST(WriteSettings, ApplyWritesTheLastSevenOnly) {
  const std::string before = "; mine\r\n" + Ini(Line("ﾌﾚｰﾑ数", " 64 ") + Line("速さ", "5"));
  const std::string expected = "; mine\r\n" +
      Ini(Line("ﾌﾚｰﾑ数", " 64 ") + Line("速さ", "1000") + Line("BGM有無", "0") +
          Line("BGMﾘﾋﾟｰﾄ", "12") + Line("移動ﾊﾟﾀｰﾝ", "1") + Line("回転ﾊﾟﾀｰﾝ", "1") +
          Line("ﾄﾘﾐﾝｸﾞ", "1") + Line("ﾄﾘﾐﾝｸﾞ_Y", "-32768"));
  EXPECT_EQ(WriteSettings(before, Sample(), false), std::optional<std::string>(expected));
}

TEST(WriteSettings, RefusesAPathShiftJisCannotHold) {
  for (const char* path : {"C:\\¥.bmp", "C:\\€.bmp", "C:\\a\r\nb.bmp"}) {
    Settings s = Sample();
    s.Orgn_Path = path;
    EXPECT_EQ(WriteSettings("", s, true), std::nullopt) << path;
    EXPECT_TRUE(WriteSettings("", s, false).has_value()) << "Apply does not write the path";
  }
}

TEST(WriteSettings, LoadsBackTheSame) {
  const Settings written = Sample();
  const std::optional<std::string> file = WriteSettings("", written, true);
  ASSERT_TRUE(file.has_value());
  const Settings read = LoadSettings(*file, AnyFileOpens);
  EXPECT_EQ(read.Orgn_Path, written.Orgn_Path);
  EXPECT_EQ(Numbers(read), Numbers(written));
  EXPECT_EQ(WriteSettings(*file, read, true), file) << "saving again changes no byte";
}

}  // namespace
}  // namespace gyra
