// The host's command line: character 2 alone picks the mode; a preview
// handle that is not a 32-bit number is 0, which the preview refuses.
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

TEST(ParseCommandLine, OnlyTheSecondCharacterPicksTheMode) {
  const struct { std::u16string_view line; StartMode mode; } cases[] = {
      {u"/s", StartMode::FullScreen}, {u"-S", StartMode::FullScreen}, {u"/saver", StartMode::FullScreen},
      {u"写s", StartMode::FullScreen}, {u"/c:1234", StartMode::Settings}, {u"/C 99", StartMode::Settings},
      {u"", StartMode::Settings},      {u"/", StartMode::Settings},       {u"/p", StartMode::Preview},
      {u"/x", StartMode::None},        {u" /s", StartMode::None},         {u"/ｓ", StartMode::None},
      {u"/\u017F", StartMode::None},   {u"\xFEFF/s", StartMode::None},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCommandLine(c.line).mode, c.mode) << Shown(c.line);
}

TEST(ParseCommandLine, PreviewHandlesOfEveryShape) {
  const struct { std::u16string_view line; int32_t handle; } cases[] = {
      {u"/p 1234", 1234},      {u"/P:1234", 1234},      {u"/p\t77", 77},          {u"/p  56 7\t8", 5678},
      {u"/p 12ab", 12},        {u"/p", 0},              {u"/p abc", 0},           {u"/p 2147483647", 2147483647},
      {u"/p 2147483648", 0},   {u"/p -1", -1},          {u"/p -2147483648", -2147483647 - 1},
      {u"/p -2147483649", 0},  {u"/p 1e9", 1000000000}, {u"/p 1e400", 0},         {u"/p --5", 0},
      {u"/p 12.5", 12},        {u"/p 13.5", 14},        {u"/p &HFFFFFFFF", -1},   {u"/p &HFFFF", -1},
      {u"/p &HZZ", 0},         {u"/p 0x1F", 0},         {u"/p &O777", 511},       {u"/p NaN", 0},
      {u"/p 12\u000034"sv, 12}, {u"/p １２３", 0},      {u"/p 12３", 12},          {u"/p \xD800" u"5", 0},
  };
  for (const auto& c : cases) {
    const StartRequest request = ParseCommandLine(c.line);
    EXPECT_EQ(request.mode, StartMode::Preview) << Shown(c.line);
    EXPECT_EQ(request.host_window, c.handle) << Shown(c.line);
  }
  EXPECT_EQ(ParseCommandLine(u"/p " + std::u16string(1 << 20, u'9')).host_window, 0);
  EXPECT_EQ(ParseCommandLine(u"/p " + std::u16string(1 << 20, u'0') + u"42").host_window, 42);
  EXPECT_EQ(ParseCommandLine(u"/p 42" + std::u16string(1 << 20, u'x')).host_window, 42);
}

}  // namespace
}  // namespace gyra
