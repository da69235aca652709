#include "display/motion.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

TEST(ScreenCentre, HalvesRoundToEven) {
  const struct { int32_t size, centre; } cases[] = {
      {1024, 512}, {1023, 512}, {1025, 512}, {1027, 514}, {768, 384}, {767, 384},
      {1, 0},      {3, 2},      {0, 0},      {2147483647, 1073741824},
  };
  for (const auto& c : cases) EXPECT_EQ(ScreenCentre(c.size), c.centre) << c.size;
}

TEST(MakeMotion, PicksThePatternMovePtnNames) {
  // Second points: the centre stays, the bounce has moved 3 pixels on each
  // axis, the spring has integrated two steps from its start.
  const struct { int16_t pattern; Point first, second; } cases[] = {
      {0, {512, 384}, {512, 384}},
      {1, {512, 384}, {515, 387}},
      {2, {620, 104}, {628, 105}},
  };
  for (const auto& c : cases) {
    const auto motion = MakeMotion(c.pattern, 1024, 768, 100, 0.0);
    ASSERT_TRUE(motion);
    EXPECT_EQ(motion->Step(), c.first) << c.pattern;
    EXPECT_EQ(motion->Step(), c.second) << c.pattern;
  }
}

TEST(MakeMotion, OtherPatternNumbersHaveNoMotion) {
  for (int16_t pattern : {3, -1, 99, 32767}) EXPECT_FALSE(MakeMotion(pattern, 1024, 768, 100, 0.0));
}

}  // namespace
}  // namespace gyra
