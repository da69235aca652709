// Text: code page 932, Basic-style numbers, and the host's command line.
#include <gtest/gtest.h>

#include <cfenv>
#include <string>

#include "app/command_line.h"
#include "core/cp932.h"
#include "core/numbers.h"

namespace gyra {
namespace {

TEST(Cp932, WorkedCharacters) {
  const struct { const char* cp932; const char* utf8; } both_ways[] = {
      {"C:\\a~b", "C:\\a~b"}, {"\xB5\xD8\xBC\xDE", "ｵﾘｼﾞ"}, {"\x83\x5C\x95\x5C", "ソ表"},  // trail byte 0x5C
      {"\x81\x60", "～"},         {"\x87\x54", "Ⅰ"},          {"\xFA\x40", "ⅰ"},  // not their 0xFA4A, 0xEEEF copies
      {"\x81\xCA", "￢"},         {"\xF0\x40", "\xEE\x80\x80"},  {"\xA0", "\xEF\xA3\xB0"},  // user-defined, odd byte
  };
  for (const auto& p : both_ways)
    EXPECT_EQ(std::tuple(Cp932ToUtf8(p.cp932), Utf8ToCp932(p.utf8)), std::tuple(p.utf8, p.cp932)) << p.utf8;
  EXPECT_EQ(Cp932ToUtf8("\xFA\x4A\xEE\xEF\xEE\xF9"), "Ⅰⅰ￢");  // copies decode to the same characters
}

TEST(Cp932, RejectsBytesWithoutCharacterAndTextWithoutCode) {
  for (const char* bytes : {"\x81", "a\x95", "\x81\x20", "\x81\x7F", "\x81\xFD", "\x85\x40", "\x81\xAD"})
    EXPECT_EQ(Cp932ToUtf8(bytes), std::nullopt) << bytes;
  for (const char* text : {"¥", "〜", "€", "\xF0\x9F\x98\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\x80"})
    EXPECT_EQ(Utf8ToCp932(text), std::nullopt) << text;
}

// Whatever rounding mode a DLL loaded into the process has left behind.
TEST(Numbers, RoundHalfEvenInEveryRoundingMode) {
  const struct { double in, out; } ties[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999999, 2}, {2.5000001, 3}, {1023.0 / 2, 512},
      {0.49999999999999994, 0}, {-0.7, -1}, {4503599627370495.5, 4503599627370496}, {1e300, 1e300},
  };
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (const auto& c : ties) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in << " in mode " << mode;
  }
  std::fesetround(FE_TONEAREST);
}

TEST(Numbers, TextAsBasicReadsIt) {
  const struct { const char* text; double value; } numbers[] = {
      {" 12.9 ", 12.9}, {"+7", 7}, {".5", 0.5}, {"5.", 5}, {"&hFFFF", -1}, {"&H10000", 65536}, {"&O17", 15},
  };
  for (const auto& c : numbers) EXPECT_EQ(TextToNumber(c.text), c.value) << c.text;
  for (const char* text : {"", " ", "1,5", "1e", "--1", "&H", "&HG", "1 2", "."})
    EXPECT_FALSE(TextToNumber(text)) << text;
}

using namespace std::string_view_literals;

// Every blank but the one after the program's name stays for the mode rules to see.
TEST(ArgumentsOf, DropsTheProgramNameAndOneBlank) {
  const struct { std::u16string_view whole, arguments; } cases[] = {
      {u"Gyrafoto.scr /s", u"/s"},          {u"Gyrafoto.scr  /s", u" /s"},  {u"Gyrafoto.scr\t/s", u"/s"},
      {u"\"C:\\My Savers\\Gyrafoto.scr\"  /p 1", u" /p 1"},  {u"C:\\\"My Savers\"\\Gyrafoto.scr /c", u"/c"},
      {u"Gyrafoto.scr ", u""},              {u"\"C:\\Gyrafoto.scr", u""},  {u"", u""},  // an open quote runs to the end
  };
  for (const auto& c : cases) EXPECT_EQ(ArgumentsOf(c.whole), c.arguments) << "row " << &c - cases;
}

// One character alone plays full screen with the pointer shown. A window handle is 32 bits, written
// unsigned; a signed reading names the same bits.
TEST(ParseCommandLine, TheSecondCharacterPicksTheModeAndPreviewAndSettingsTakeAHandle) {
  using enum StartMode;
  const struct { std::u16string_view line; uint32_t handle; StartMode mode = Preview; bool hides = false; } cases[] = {
      {u"/s", 0, FullScreen, true}, {u"-S", 0, FullScreen, true}, {u"写s", 0, FullScreen, true},
      {u"/C 99", 99, Settings}, {u"", 0, Settings}, {u"/", 0, FullScreen}, {u"x", 0, FullScreen}, {u"/x", 0, None},
      {u" /s", 0, None}, {u"/ｓ", 0, None}, {u"/\u017F", 0, None}, {u"\xFEFF/s", 0, None},
      {u"/p 1234", 1234},      {u"/P:1234", 1234},      {u"/p  56 7\t8", 5678},  {u"/p 12ab", 12},
      {u"/p", 0},              {u"/p abc", 0},          {u"/p 2147483647", 2147483647}, {u"/p 2147483648", 2147483648},
      {u"/p 4294967295", 4294967295}, {u"/p 4294967296", 0}, {u"/p 4294967295.5", 0}, {u"/p -2147483648", 2147483648},
      {u"/p -2147483649", 0},  {u"/p 1e9", 1000000000}, {u"/p -1", 4294967295}, {u"/p 1e400", 0}, {u"/p --5", 0},
      {u"/p 12.5", 12},        {u"/p 13.5", 14},        {u"/p &HFFFFFFFF", 4294967295}, {u"/p &HFFFF", 4294967295},
      {u"/p &H7FFFFFFF", 2147483647}, {u"/p 0x1F", 0}, {u"/p &O777", 511}, {u"/p inf", 0}, {u"/p 12\u000034"sv, 12},
      {u"/p １２３", 0},       {u"/p \xD800" u"5", 0}, {u"/p \U0001F600", 0}, {u"/c:3000000000", 3000000000, Settings},
      {u"/c", 0, Settings},
  };
  for (const auto& c : cases) {
    const StartRequest r = ParseCommandLine(c.line);
    EXPECT_EQ(std::tuple(r.mode, r.host_window, r.hide_cursor), std::tuple(c.mode, c.handle, c.hides)) << &c - cases;
  }
  EXPECT_EQ(ParseCommandLine(u"/p " + std::u16string(1 << 20, u'9')).host_window, 0);
  EXPECT_EQ(ParseCommandLine(u"/p 42" + std::u16string(1 << 20, u' ')).host_window, 42);
}

}  // namespace
}  // namespace gyra
