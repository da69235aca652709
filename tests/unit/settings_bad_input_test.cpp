// Damaged, foreign and out-of-range Data.ini files: the load always gives a
// record to work with, and saving that record over the damaged file (OK
// writes all eleven keys, Apply the last seven) gives a file that loads back
// as saved and that a second save leaves byte for byte.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "startup/settings_store.h"

namespace gyra {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).value(); }

// A literal with the NULs inside it.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

const std::string kFrames = Sjis("ﾌﾚｰﾑ数");
const std::string kPicture = Sjis("ｵﾘｼﾞﾅﾙ画像");

bool Opens(const std::string&) { return true; }

std::vector<int> Numbers(const Settings& s) {
  return {s.Stretch_On, s.Flame_Count, s.Disp_Size, s.BGM_Sel, s.BGM_Rep, s.Move_Ptn,
          s.Kaiten_Ptn, s.Speed,       s.Trim_On,   s.Trim_Y};
}

const std::vector<int> kDefaults = {0, 64, 100, 1, 0, 2, 0, 1, 0, 0};

std::vector<int> DefaultsWithFrames(int frames) {
  std::vector<int> numbers = kDefaults;
  numbers[1] = frames;
  return numbers;
}

void ExpectSavesCleanly(const std::string& file, const Settings& loaded, const std::string& name) {
  for (const bool all_eleven : {true, false}) {
    const std::optional<std::string> saved = WriteSettings(file, loaded, all_eleven);
    ASSERT_TRUE(saved.has_value()) << name;
    const Settings reloaded = LoadSettings(*saved, Opens);
    EXPECT_EQ(reloaded.Orgn_Path, loaded.Orgn_Path) << name;
    EXPECT_EQ(Numbers(reloaded), Numbers(loaded)) << name;
    EXPECT_EQ(WriteSettings(*saved, reloaded, all_eleven), saved) << name << ": a second save changed bytes";
  }
}

std::string Garbage(size_t size) {
  std::mt19937 random(1);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string Utf16(const std::u16string& text, bool big_endian) {
  std::string bytes;
  for (char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

const std::string kMegabyte(1 << 20, 'x');

TEST(DamagedDataIni, LoadsUsableSettingsAndSavesACleanFile) {
  const struct {
    const char* name;
    std::string file;
    std::vector<int> numbers;
    std::string picture;
  } cases[] = {
      {"binary garbage", Garbage(4096), kDefaults, ""},
      {"garbage around the section", Garbage(300) + "\r\n[Section]\r\n" + kFrames + "=12\r\n" + Garbage(300),
       DefaultsWithFrames(12), ""},
      {"NUL bytes only", std::string(1000, '\0'), kDefaults, ""},
      {"NUL inside a number: not a number, so 0", "[Section]\r\n" + kFrames + Bytes("=12\0" "34\r\n"),
       DefaultsWithFrames(0), ""},
      {"NUL in the section name", Bytes("[Sec\0tion]\r\n") + kFrames + "=12\r\n", kDefaults, ""},
      {"NUL in the picture path: no picture", "[Section]\r\n" + kPicture + Bytes("=C:\\a.bmp\0.jpg\r\n"),
       kDefaults, ""},
      {"a 1 MB line before the section", kMegabyte + "\r\n[Section]\r\n" + kFrames + "=12\r\n",
       DefaultsWithFrames(12), ""},
      {"a 1 MB number: read as 255 digits, too large, so 0",
       "[Section]\r\n" + kFrames + "=" + std::string(1 << 20, '1') + "\r\n", DefaultsWithFrames(0), ""},
      {"a 1 MB picture path: cut to 255 bytes", "[Section]\r\n" + kPicture + "=C:\\" + kMegabyte + "\r\n", kDefaults,
       "C:\\" + std::string(252, 'x')},
      {"one 1 MB line and no line break", kMegabyte, kDefaults, ""},
      {"section name in other case", "[SECTION]\r\n" + kFrames + "=12\r\n", DefaultsWithFrames(12), ""},
      {"duplicate sections: the first counts",
       "[Section]\r\n" + kFrames + "=12\r\n[Section]\r\n" + kFrames + "=30\r\n", DefaultsWithFrames(12), ""},
      {"duplicate keys: the first counts", "[Section]\r\n" + kFrames + "=12\r\n" + kFrames + "=30\r\n",
       DefaultsWithFrames(12), ""},
      {"UTF-8 with a byte-order mark: nothing matches",
       "\xEF\xBB\xBF[Section]\r\n\xEF\xBE\x8C\xEF\xBE\x9A\xEF\xBD\xB0\xEF\xBE\x91\xE6\x95\xB0=12\r\n", kDefaults, ""},
      {"UTF-8 without a byte-order mark: keys do not match",
       "[Section]\r\n\xEF\xBE\x8C\xEF\xBE\x9A\xEF\xBD\xB0\xEF\xBE\x91\xE6\x95\xB0=12\r\n", kDefaults, ""},
      {"UTF-16 little-endian", Utf16(u"\uFEFF[Section]\r\nﾌﾚｰﾑ数=12\r\n", false), kDefaults, ""},
      {"UTF-16 big-endian", Utf16(u"\uFEFF[Section]\r\nﾌﾚｰﾑ数=12\r\n", true), kDefaults, ""},
  };
  for (const auto& c : cases) {
    const Settings loaded = LoadSettings(c.file, Opens);
    EXPECT_EQ(Numbers(loaded), c.numbers) << c.name;
    EXPECT_EQ(loaded.Orgn_Path, c.picture) << c.name;
    ExpectSavesCleanly(c.file, loaded, c.name);
  }
}

// What the load makes of numbers the dialog would never write: a 16-bit
// number is kept as it is (the windows that use it decide what it means);
// anything beyond 16 bits is not a number and leaves 0, not the default.
TEST(DamagedDataIni, NumbersOutOfRangeForEveryKey) {
  const struct {
    const char* stored;
    int kept;
  } values[] = {
      {"-5", -5}, {"0", 0}, {"7", 7}, {"30000", 30000}, {"32767", 32767}, {"-32768", -32768},
      {"40000", 0}, {"-32769", 0}, {"1e9", 0}, {"-1e400", 0},
  };
  const std::string picture_and_trimming =
      kPicture + "=C:\\a.bmp\r\n" + Sjis("ﾄﾘﾐﾝｸﾞ") + "=1\r\n";  // else Trim_Y is not read
  for (size_t k = 1; k < kSettingKeys.size(); ++k) {
    const SettingKey& key = kSettingKeys[k];
    for (const auto& v : values) {
      const std::string name = Cp932ToUtf8(key.name).value() + "=" + v.stored;
      const std::string line = std::string(key.name) + "=" + v.stored + "\r\n";
      const std::string file = "[Section]\r\n" + line + picture_and_trimming;
      const Settings loaded = LoadSettings(file, Opens);
      EXPECT_EQ(loaded.*key.number, v.kept) << name;
      ExpectSavesCleanly(file, loaded, name);
    }
  }
}

TEST(DamagedDataIni, APictureTheLoadDropsIsNotSavedBack) {
  const std::string file = "[Section]\r\n" + kPicture + Bytes("=C:\\a.bmp\0x\r\n");
  const Settings loaded = LoadSettings(file, Opens);
  const std::optional<std::string> saved = WriteSettings(file, loaded, true);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->substr(0, 11 + kPicture.size() + 3), "[Section]\r\n" + kPicture + "=\r\n");
}

}  // namespace
}  // namespace gyra
