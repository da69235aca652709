#include "display/frame_cycle.h"

#include <gtest/gtest.h>

#include <vector>

namespace gyra {
namespace {

TEST(FrameCycle, ShowsFramesInTheChosenTurningOrder) {
  const struct { int16_t count, kaiten; std::vector<int16_t> frames; } cases[] = {
      {3, 0, {1, 2, 3, 1, 2, 3, 1}},
      {3, 1, {3, 2, 1, 3, 2, 1, 3}},
      {3, -1, {3, 2, 1, 3, 2, 1, 3}},  // any nonzero Kaiten_Ptn is descending
      {1, 0, {1, 1, 1, 1}},
      {1, 1, {1, 1, 1, 1}},
      {2, 0, {1, 2, 1, 2}},
      {2, 1, {2, 1, 2, 1}},
      {0, 0, {0, 0}},  // no frames: nothing to draw
      {0, 1, {0, 0}},
  };
  for (const auto& c : cases) {
    FrameCycle cycle(c.count, c.kaiten);
    for (int16_t frame : c.frames)
      EXPECT_EQ(cycle.Next(), frame) << c.count << " frames, Kaiten_Ptn " << c.kaiten;
  }
}

TEST(FrameCycle, LargestCountStartsAndWrapsWithoutOverflow) {
  FrameCycle descending(32767, 1);
  for (int16_t frame : {32767, 32766, 32765}) EXPECT_EQ(descending.Next(), frame);
  FrameCycle ascending(32767, 0);
  for (int frame = 1; frame <= 32767; ++frame) ASSERT_EQ(ascending.Next(), frame);
  EXPECT_EQ(ascending.Next(), 1);
}

}  // namespace
}  // namespace gyra
