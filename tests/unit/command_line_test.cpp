#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

TEST(ParseCommandLine, OnlyTheSecondCharacterPicksTheMode) {
  const struct { std::u16string_view line; StartMode mode; } cases[] = {
      {u"/s", StartMode::FullScreen},   {u"/S", StartMode::FullScreen},
      {u"-s", StartMode::FullScreen},   {u"/saver", StartMode::FullScreen},
      {u"/c", StartMode::Settings},     {u"/c:1234", StartMode::Settings},
      {u"/C 99", StartMode::Settings},  {u"", StartMode::Settings},
      {u"/", StartMode::FullScreen},    {u"/x", StartMode::None},
      {u" /s", StartMode::None},        {u"s/", StartMode::None},
      {u"/ｓ", StartMode::None},        {u"/p", StartMode::Preview},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseCommandLine(c.line).mode, c.mode) << std::string(c.line.begin(), c.line.end());
}

TEST(ParseCommandLine, PreviewHandleIsTheNumberFromCharacterFour) {
  const struct { std::u16string_view line; int32_t handle; } cases[] = {
      {u"/p 1234", 1234},   {u"/p:1234", 1234},  {u"/P 1234", 1234},
      {u"/p  56 78", 5678},  // Val skips blanks anywhere
      {u"/p 12ab", 12},      {u"/p", 0},         {u"/p ", 0},
      {u"/p abc", 0},        {u"/p -5", -5},     {u"/p 1234.5", 1234},
      {u"/p 99999999999", 0},  // does not fit 32 bits
      {u"/p &H10", 16},      {u"/p ４", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseCommandLine(c.line).host_window, c.handle)
        << std::string(c.line.begin(), c.line.end());
}

}  // namespace
}  // namespace gyra
