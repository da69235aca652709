// Command lines no screen-saver host sends: the mode still follows from
// character 2 alone, and a preview handle that is not a 32-bit number is 0,
// which the preview refuses as no window.
#include <gtest/gtest.h>

#include <string>

#include "startup/command_line.h"

namespace gyra {
namespace {

using namespace std::string_view_literals;

std::string Shown(std::u16string_view line) {
  std::string ascii;
  for (char16_t c : line.substr(0, 40)) ascii += c < 0x80 ? static_cast<char>(c) : '?';
  return ascii;
}

TEST(CommandLineBadInput, PreviewHandlesOfEveryShape) {
  const struct {
    std::u16string_view line;
    int32_t handle;
  } cases[] = {
      {u"/p 2147483647", 2147483647},
      {u"/p 2147483648", 0},  // one past 32 bits
      {u"/p 4294967296", 0},
      {u"/p 18446744073709551616", 0},
      {u"/p 1e9", 1000000000},
      {u"/p 1e10", 0},
      {u"/p 1e400", 0},  // infinite
      {u"/p -1", -1},
      {u"/p -2147483648", -2147483647 - 1},
      {u"/p -2147483649", 0},
      {u"/p --5", 0},
      {u"/p 12.5", 12},  // ties to even
      {u"/p 13.5", 14},
      {u"/p &H7FFFFFFF", 2147483647},
      {u"/p &HFFFFFFFF", -1},  // eight hex digits wrap to 32 bits
      {u"/p &HFFFF", -1},      // four wrap to 16
      {u"/p &H", 0},
      {u"/p &HZZ", 0},
      {u"/p 0x1F", 0},
      {u"/p &O777", 511},
      {u"/p NaN", 0},
      {u"/p inf", 0},
      {u"/p zzz", 0},
      {u"/p \x01\x02\x7F", 0},
      {u"/p 12\u000034"sv, 12},  // a NUL ends the number
      {u"/p:", 0},
      {u"/p\t77", 77},  // character 3 is skipped, whatever it is
      {u"/p 7\t7", 77},
  };
  for (const auto& c : cases) {
    const StartRequest request = ParseCommandLine(c.line);
    EXPECT_EQ(request.mode, StartMode::Preview) << Shown(c.line);
    EXPECT_EQ(request.host_window, c.handle) << Shown(c.line);
  }
}

TEST(CommandLineBadInput, VeryLongLines) {
  const std::u16string megabyte(1 << 20, u'9');
  EXPECT_EQ(ParseCommandLine(u"/p " + megabyte).host_window, 0) << "a million digits do not fit";
  EXPECT_EQ(ParseCommandLine(u"/p 42" + std::u16string(1 << 20, u' ')).host_window, 42);
  EXPECT_EQ(ParseCommandLine(u"/p 42" + std::u16string(1 << 20, u'x')).host_window, 42);
  EXPECT_EQ(ParseCommandLine(u"/p " + std::u16string(1 << 20, u'0') + u"42").host_window, 42);
  EXPECT_EQ(ParseCommandLine(u"/s" + megabyte).mode, StartMode::FullScreen);
  EXPECT_EQ(ParseCommandLine(u"/c" + megabyte).mode, StartMode::Settings);
  EXPECT_EQ(ParseCommandLine(u"/x" + megabyte).mode, StartMode::None);
}

TEST(CommandLineBadInput, UnicodeLines) {
  const struct {
    std::u16string_view line;
    StartMode mode;
    int32_t handle;
  } cases[] = {
      {u"/p １２３", StartMode::Preview, 0},  // full-width digits are no digits
      {u"/p 12３", StartMode::Preview, 12},
      {u"/p \U0001F600", StartMode::Preview, 0},
      {u"/p \xD800" u"5", StartMode::Preview, 0},  // a lone surrogate ends the number
      {u"/p 5\xDC00", StartMode::Preview, 5},
      {u"/ｐ 123", StartMode::None, 0},
      {u"/ｓ", StartMode::None, 0},
      {u"/\u0130", StartMode::None, 0},  // dotted capital I: no case folding beyond ASCII
      {u"/\u017F", StartMode::None, 0},  // long s, which some case foldings turn into S
      {u"\xFEFF/s", StartMode::None, 0},
      {u"写s", StartMode::FullScreen, 0},
      {u"/写", StartMode::None, 0},
  };
  for (const auto& c : cases) {
    const StartRequest request = ParseCommandLine(c.line);
    EXPECT_EQ(request.mode, c.mode) << Shown(c.line);
    EXPECT_EQ(request.host_window, c.handle) << Shown(c.line);
  }
}

}  // namespace
}  // namespace gyra
