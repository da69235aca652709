#include "display/spring_motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace gyra {
namespace {

TEST(SpringMotion, FirstFrameIsDrawnAfterOneIntegrationStep) {
  // From (0.5, 1.4) at (2.0, 0.0): the springs pull by (-0.921, -2.475), the
  // velocity becomes (1.9816, -0.0495) and the mass moves to (0.5396, 1.3990),
  // 107.93 pixels right of and 279.80 above the centre. The start position
  // itself would be (612, 104).
  const struct { int32_t width, height; Point first; } cases[] = {
      {1024, 768, {620, 104}},
      {1023, 767, {620, 104}},  // centre (512, 384) by ties to even
      {640, 480, {428, -40}},   // nothing keeps the ball on the screen
  };
  for (const auto& c : cases) EXPECT_EQ(SpringMotion(c.width, c.height).Step(), c.first);
}

TEST(SpringMotion, FollowsTheSinglePrecisionPath) {
  // Points from an independent reference that rounds every operation to
  // binary32; from step 10000 on a double-precision path is elsewhere
  // ((332, 231) and (745, 686) at steps 10000 and 100000).
  const std::map<int, Point> expected = {
      {1, {620, 104}},     {2, {628, 105}},     {3, {636, 105}},      {10, {687, 115}},
      {100, {557, 634}},   {678, {400, 200}},   {1000, {770, 313}},   {5000, {452, 160}},
      {10000, {334, 230}}, {50000, {820, 336}}, {100000, {723, 700}}, {200000, {461, 100}},
  };
  SpringMotion motion(1024, 768);
  for (int step = 1; step <= expected.rbegin()->first; ++step) {
    const Point p = motion.Step();
    if (const auto it = expected.find(step); it != expected.end()) {
      EXPECT_EQ(p, it->second) << "step " << step;
    }
  }
}

TEST(SpringMotion, SwingsAboutThreeHundredPixelsAroundTheCentre) {
  SpringMotion motion(1024, 768);
  int32_t max_dx = 0, max_dy = 0, min_dx = 0, min_dy = 0;
  for (int step = 0; step < 200000; ++step) {
    const Point p = motion.Step();
    max_dx = std::max(max_dx, p.x - 512);
    min_dx = std::min(min_dx, p.x - 512);
    max_dy = std::max(max_dy, p.y - 384);
    min_dy = std::min(min_dy, p.y - 384);
  }
  EXPECT_EQ(min_dx, -324);
  EXPECT_EQ(max_dx, 324);
  EXPECT_EQ(min_dy, -320);
  EXPECT_EQ(max_dy, 320);
}

TEST(SpringMotion, CentreAndPositionStopAtSixteenBits) {
  // Centre 100000 does not fit 16 bits: it stops at 32767, and so does P.
  SpringMotion motion(200000, 768);
  for (int step = 0; step < 2000; ++step) {
    const Point p = motion.Step();
    ASSERT_LE(p.x, 32767);
    ASSERT_GE(p.x, 32767 - 325);
  }
}

}  // namespace
}  // namespace gyra
