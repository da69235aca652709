#include "display/bounce_motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace gyra {
namespace {

std::vector<Point> Path(BounceMotion motion, int steps) {
  std::vector<Point> points;
  for (int i = 0; i < steps; ++i) points.push_back(motion.Step());
  return points;
}

TEST(BounceMotion, FirstDirectionComesFromTheDraw) {
  // k = floor(4 r): 0 -> (+3, +3), 1 -> (-3, -3), 2 -> (+3, -3), 3 -> (-3, +3).
  const struct { double draw; Point second; } cases[] = {
      {0.0, {515, 387}},    {0.2499, {515, 387}}, {0.25, {509, 381}}, {0.4999, {509, 381}},
      {0.5, {515, 381}},    {0.7499, {515, 381}}, {0.75, {509, 387}}, {0.9999, {509, 387}},
      {1.0, {509, 387}},    {-0.1, {515, 387}},   {std::nan(""), {515, 387}},
  };
  for (const auto& c : cases) {
    const auto path = Path(BounceMotion(1024, 768, 100, c.draw), 2);
    EXPECT_EQ(path[0], (Point{512, 384})) << c.draw;
    EXPECT_EQ(path[1], c.second) << c.draw;
  }
}

// The copy's top-left corner (P - S) over a long run: its extremes on each
// axis. The turn is tested after the move and strictly, so it passes 0 and
// 2 Cen - 2S by up to 3 pixels before it comes back.
struct Extent {
  int32_t min_x, max_x, min_y, max_y;
  friend bool operator==(const Extent&, const Extent&) = default;
};

Extent CornerExtent(const std::vector<Point>& path, int16_t s) {
  Extent e{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
  for (const Point& p : path) {
    e.min_x = std::min(e.min_x, p.x - s);
    e.max_x = std::max(e.max_x, p.x - s);
    e.min_y = std::min(e.min_y, p.y - s);
    e.max_y = std::max(e.max_y, p.y - s);
  }
  return e;
}

TEST(BounceMotion, TurnsWithinThreePixelsBeyondTheEdges) {
  // 1024 x 768, S = 100: the offset turns after 414 (> 412) and -414 across,
  // after 285 (> 284) and -285 down: corners -2 ... 826 and -1 ... 569.
  const struct { int32_t width, height; int16_t s; double draw; Extent corner; } cases[] = {
      {1024, 768, 100, 0.0, {-2, 826, -1, 569}},
      {1024, 768, 100, 0.3, {-2, 826, -1, 569}},
      {1023, 767, 100, 0.6, {-2, 826, -1, 569}},  // same centre (512, 384)
      {1920, 1080, 200, 0.9, {-2, 1522, -2, 682}},
      {800, 600, 150, 0.1, {-2, 502, -3, 303}},  // 150 = 50 steps: turns at 153
  };
  for (const auto& c : cases) {
    const auto path = Path(BounceMotion(c.width, c.height, c.s, c.draw), 20000);
    const Extent e = CornerExtent(path, c.s);
    EXPECT_EQ(e, c.corner) << c.width << "x" << c.height << " S " << c.s;
  }
}

TEST(BounceMotion, StaysOnScreenWithinThreePixelsForEverySize) {
  for (int32_t width : {401, 640, 777, 1024, 1366, 2560})
    for (int32_t height : {400, 480, 601, 768, 1080})
      for (int16_t s : {100, 137, 200})
        for (double draw : {0.1, 0.3, 0.6, 0.8}) {
          const Extent e = CornerExtent(Path(BounceMotion(width, height, s, draw), 4000), s);
          const int32_t right = 2 * ScreenCentre(width) - 2 * s;
          const int32_t bottom = 2 * ScreenCentre(height) - 2 * s;
          ASSERT_TRUE(e.min_x >= -3 && e.min_x <= 0 && e.max_x >= right && e.max_x <= right + 3)
              << width << "x" << height << " S " << s << " draw " << draw;
          ASSERT_TRUE(e.min_y >= -3 && e.min_y <= 0 && e.max_y >= bottom && e.max_y <= bottom + 3)
              << width << "x" << height << " S " << s << " draw " << draw;
        }
}

TEST(BounceMotion, JittersOnAnAxisSmallerThanTheBall) {
  // 150 pixels high, S = 100: Cen_Y = 75 and the bounds cross (25 > -25).
  // Both turns are tested one after the other, so the offset runs on to 27
  // whichever way it starts and then jitters between 24 and 27.
  for (double draw : {0.0, 0.25, 0.5, 0.75}) {
    const auto path = Path(BounceMotion(1024, 150, 100, draw), 2000);
    for (size_t i = 30; i < path.size(); ++i) {
      ASSERT_TRUE(path[i].y == 75 + 24 || path[i].y == 75 + 27) << draw << " " << i;
      ASSERT_NE(path[i].y, path[i - 1].y) << draw << " " << i;
    }
    // The other axis still bounces across the whole width.
    const Extent e = CornerExtent(path, 100);
    EXPECT_EQ(e.min_x, -2) << draw;
    EXPECT_EQ(e.max_x, 826) << draw;
  }
}

TEST(BounceMotion, OffsetStaysSixteenBitOnHugeScreens) {
  // Centre 50000: the bounds are pulled in to +-32764 so that the 16-bit
  // offset turns at 32766 and -32766 instead of overflowing.
  const auto path = Path(BounceMotion(100000, 100000, 100, 0.0), 50000);
  const Extent e = CornerExtent(path, 100);
  EXPECT_EQ(e, (Extent{50000 - 32766 - 100, 50000 + 32766 - 100, 50000 - 32766 - 100,
                       50000 + 32766 - 100}));
  // A one-pixel screen and the largest ball: the offset drifts towards the
  // low bound 32767, pulled in to 32764, and jitters at 32763 / 32766.
  const auto tiny = Path(BounceMotion(1, 1, 32767, 0.5), 12000);
  for (size_t i = 11000; i < tiny.size(); ++i) {
    ASSERT_TRUE(tiny[i].x == 32763 || tiny[i].x == 32766) << i;
    ASSERT_TRUE(tiny[i].y == 32763 || tiny[i].y == 32766) << i;
  }
}

TEST(ClockSeededDraw, IsAUniformNumberBelowOne) {
  for (int i = 0; i < 100; ++i) {
    const double draw = ClockSeededDraw();
    ASSERT_GE(draw, 0.0);
    ASSERT_LT(draw, 1.0);
  }
}

}  // namespace
}  // namespace gyra
