#include "settings/repeat_track.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

TEST(FormatHashHash, ZeroHasNoDigits) {
  const struct { int number; const char* text; } cases[] = {
      {0, ""}, {1, "1"}, {7, "7"}, {99, "99"}, {100, "100"}, {-5, "-5"}, {32767, "32767"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatHashHash(c.number), c.text) << c.number;
}

TEST(RepeatTrackEntries, AnEmptyEntryThenOneToNinetyNine) {
  const std::vector<std::string> entries = RepeatTrackEntries();
  ASSERT_EQ(entries.size(), 100u);
  EXPECT_EQ(entries[0], "");
  EXPECT_EQ(entries[1], "1");
  EXPECT_EQ(entries[10], "10");
  EXPECT_EQ(entries[99], "99");
}

}  // namespace
}  // namespace gyra
