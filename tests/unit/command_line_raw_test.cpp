// The host's whole command line: the program's name and the one blank after
// it are dropped, every other blank is kept for the mode rules to see.
#include <gtest/gtest.h>

#include "startup/command_line.h"

namespace gyra {
namespace {

TEST(ArgumentsOf, DropsTheProgramNameAndOneBlank) {
  const struct { std::u16string_view whole, arguments; } cases[] = {
      {u"Gyrafoto.scr /s", u"/s"},
      {u"Gyrafoto.scr  /s", u" /s"},
      {u"\"C:\\My Savers\\Gyrafoto.scr\" /p 1234", u"/p 1234"},
      {u"\"C:\\My Savers\\Gyrafoto.scr\"  /s", u" /s"},
      {u"C:\\\"My Savers\"\\Gyrafoto.scr /c", u"/c"},  // quotes inside the name
      {u"Gyrafoto.scr\t/s", u"/s"},
      {u"Gyrafoto.scr", u""},
      {u"Gyrafoto.scr ", u""},
      {u"\"C:\\Gyrafoto.scr", u""},  // an unclosed quote runs to the end
      {u"", u""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ArgumentsOf(c.whole), c.arguments) << std::string(c.whole.begin(), c.whole.end());
}

TEST(ParseCommandLine, OneCharacterRunsFullScreenWithThePointerShown) {
  const struct { std::u16string_view line; StartMode mode; bool hide_cursor; } cases[] = {
      {u"", StartMode::Settings, false},
      {u"x", StartMode::FullScreen, false},
      {u"/s", StartMode::FullScreen, true},
      {u" /s", StartMode::None, false},
  };
  for (const auto& c : cases) {
    const StartRequest request = ParseCommandLine(c.line);
    EXPECT_EQ(request.mode, c.mode) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(request.hide_cursor, c.hide_cursor) << std::string(c.line.begin(), c.line.end());
  }
}

}  // namespace
}  // namespace gyra
