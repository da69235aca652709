#include "settings/saved_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"
#include "memory_file_system.h"

namespace gyra {
namespace {

const std::string kData = "C:\\ジラフォト";
const std::string kIni = kData + "\\Data.ini";

// One line of Data.ini: the key in Shift-JIS, CRLF.
std::string Line(const char* utf8_key, const std::string& value) {
  return Utf8ToCp932(utf8_key).value() + "=" + value + "\r\n";
}

// Settings as the dialog's handlers may have left them.
Settings Chosen() {
  Settings s;
  s.Orgn_Path = "C:\\写真\\ソ表.jpg";
  s.Flame_Count = 64;
  s.Disp_Size = 100;
  s.BGM_Sel = 1;
  s.BGM_Rep = 3;
  s.Move_Ptn = 2;
  s.Speed = 300;
  return s;
}

TEST(RepeatTrackNumber, TakesNumbersAsAWholeRoundedHalfToEven) {
  const struct {
    const char* text;
    int16_t expected;
  } cases[] = {
      {"12", 12},  {"", 0},      {"abc", 0},  {"3.5", 4},     {"2.5", 2},     {"0.5", 0},
      {"1.5", 2},  {" 7 ", 7},   {"12abc", 0}, {"1,5", 0},    {"-3", -3},     {"&H10", 16},
      {"1e1", 10}, {"99", 99},   {"32767", 32767}, {"-32768.4", -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(RepeatTrackNumber(c.text, 5), c.expected) << c.text;
}

TEST(RepeatTrackNumber, ANumberOutOf16BitsKeepsTheTrackItHad) {
  for (const char* text : {"32768", "-32769", "1e9", "32767.5"}) EXPECT_EQ(RepeatTrackNumber(text, 5), 5) << text;
}

TEST(SettingsToSave, TakesTheControlsValuesOverTheGlobals) {
  const Settings globals = Chosen();
  const Settings saved = SettingsToSave(globals, {.scroll_flame = -8, .scroll_radius = -200, .scroll_fast = 250,
                                                  .repeat_text = "2.5"});
  EXPECT_EQ(saved.Flame_Count, 8);
  EXPECT_EQ(saved.Disp_Size, 200);
  EXPECT_EQ(saved.Speed, 250);
  EXPECT_EQ(saved.BGM_Rep, 2);
  EXPECT_EQ(saved.Orgn_Path, globals.Orgn_Path);
  EXPECT_EQ(saved.Move_Ptn, 2);
  EXPECT_EQ(SettingsToSave(globals, {.repeat_text = "40000"}).BGM_Rep, 3);
}

class WriteSettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_.AddFolder("C:");
    fs_.AddFolder(kData);
  }

  MemoryFileSystem fs_;
  Settings settings_ = Chosen();
};

TEST_F(WriteSettingsFileTest, OkWritesAllElevenKeysInOrder) {
  ASSERT_TRUE(WriteSettingsFile(fs_, kIni, settings_, true));
  EXPECT_EQ(fs_.Bytes(kIni), "[Section]\r\n" + Line("ｵﾘｼﾞﾅﾙ画像", Utf8ToCp932(settings_.Orgn_Path).value()) +
                                 Line("横ｽﾄﾚｯﾁ", "0") + Line("ﾌﾚｰﾑ数", "64") + Line("表示画像のｻｲｽﾞ", "100") +
                                 Line("BGM有無", "1") + Line("BGMﾘﾋﾟｰﾄ", "3") + Line("移動ﾊﾟﾀｰﾝ", "2") +
                                 Line("回転ﾊﾟﾀｰﾝ", "0") + Line("速さ", "300") + Line("ﾄﾘﾐﾝｸﾞ", "0") +
                                 Line("ﾄﾘﾐﾝｸﾞ_Y", "0"));
}

TEST_F(WriteSettingsFileTest, ApplyKeepsThePictureAndFrameKeys) {
  const std::string before = "[Section]\r\n" + Line("ｵﾘｼﾞﾅﾙ画像", "C:\\a.bmp") + Line("ﾌﾚｰﾑ数", "32") +
                             Line("速さ", "1");
  fs_.AddFile(kIni, before);
  ASSERT_TRUE(WriteSettingsFile(fs_, kIni, settings_, false));
  EXPECT_EQ(fs_.Bytes(kIni), "[Section]\r\n" + Line("ｵﾘｼﾞﾅﾙ画像", "C:\\a.bmp") + Line("ﾌﾚｰﾑ数", "32") +
                                 Line("速さ", "300") + Line("BGM有無", "1") + Line("BGMﾘﾋﾟｰﾄ", "3") +
                                 Line("移動ﾊﾟﾀｰﾝ", "2") + Line("回転ﾊﾟﾀｰﾝ", "0") + Line("ﾄﾘﾐﾝｸﾞ", "0") +
                                 Line("ﾄﾘﾐﾝｸﾞ_Y", "0"));
}

TEST_F(WriteSettingsFileTest, AFileThatCannotBeWrittenOrReadIsLeftAsItWas) {
  const std::string before = "[Section]\r\n" + Line("速さ", "1");
  fs_.AddFile(kIni, before);
  fs_.read_only_folders.insert(kData);
  EXPECT_FALSE(WriteSettingsFile(fs_, kIni, settings_, true));
  EXPECT_EQ(fs_.Bytes(kIni), before);

  fs_.read_only_folders.clear();
  fs_.AddFile(kData + "\\DATA.INI", before, {.readable = false});
  EXPECT_FALSE(WriteSettingsFile(fs_, kData + "\\data.ini", settings_, false)) << "unread keys would be lost";
  EXPECT_FALSE(fs_.HasFile(kData + "\\data.ini"));

  settings_.Orgn_Path = "C:\\€.jpg";
  EXPECT_FALSE(WriteSettingsFile(fs_, kIni, settings_, true));
  EXPECT_EQ(fs_.Bytes(kIni), before);
}

}  // namespace
}  // namespace gyra
