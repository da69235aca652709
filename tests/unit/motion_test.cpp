// Where the ball goes (centre, bounce, springs), which frame it shows, and when.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "display/bounce_motion.h"
#include "display/frame_bitmap.h"
#include "display/frame_cycle.h"
#include "display/motion.h"
#include "display/pacing.h"
#include "display/spring_motion.h"

namespace gyra {
namespace {

TEST(MakeMotion, PicksThePatternMovePtnNamesAndTheBouncesFirstDirectionFromTheDraw) {
  // The bounce's first step by floor(4 r): (+3, +3), (-3, -3), (+3, -3), (-3, +3).
  const struct { int16_t pattern; double draw; Point first, second; } cases[] = {
      {0, 0.0, {512, 384}, {512, 384}},    {1, 0.2499, {512, 384}, {515, 387}}, {1, 0.25, {512, 384}, {509, 381}},
      {1, 0.7499, {512, 384}, {515, 381}}, {1, 0.75, {512, 384}, {509, 387}},   {1, NAN, {512, 384}, {515, 387}},
      {2, 0.0, {620, 104}, {628, 105}},
  };
  for (const auto& c : cases) {
    const auto motion = MakeMotion(c.pattern, 1024, 768, 100, c.draw);
    ASSERT_TRUE(motion);
    EXPECT_EQ((std::pair{motion->Step(), motion->Step()}), std::pair(c.first, c.second)) << "row " << &c - cases;
  }
  for (int16_t pattern : {3, -1}) EXPECT_FALSE(MakeMotion(pattern, 1024, 768, 100, 0.0));
}

using Extent = std::array<int32_t, 4>;  // min x, max x, min y, max y

// The extremes of the ball's top-left corner (P - S) over a run.
template <typename Motion>
Extent CornerExtent(Motion motion, int steps, int32_t s, int skip = 0) {
  Extent e{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN};
  for (int i = 0; i < steps; ++i) {
    const Point p = motion.Step();
    if (i < skip) continue;
    e = {std::min(e[0], p.x - s), std::max(e[1], p.x - s), std::min(e[2], p.y - s), std::max(e[3], p.y - s)};
  }
  return e;
}

TEST(BounceMotion, TurnsWithinThreePixelsBeyondTheEdges) {
  // Turns after the move, up to 3 pixels past the edges; jitters on an axis smaller than the ball; +-32766 at most.
  const struct { int32_t width, height; int16_t s; double draw; int skip; Extent corner; } cases[] = {
      {1024, 768, 100, 0.3, 0, {-2, 826, -1, 569}}, {1023, 767, 100, 0.6, 0, {-2, 826, -1, 569}},
      {800, 600, 150, 0.1, 0, {-2, 502, -3, 303}},   {1024, 150, 100, 0.5, 30, {-2, 826, -1, 2}},
      {100000, 100000, 100, 0.0, 0, {17134, 82666, 17134, 82666}}, {1, 1, 32767, 0.5, 11000, {-4, -1, -4, -1}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CornerExtent(BounceMotion(c.width, c.height, c.s, c.draw), 50000, c.s, c.skip), c.corner)
        << c.width << "x" << c.height << " S " << c.s;
}

TEST(SpringMotion, FollowsTheSinglePrecisionPath) {
  // From a reference rounding each operation to binary32 (doubles part at 10000).
  const struct { int step; Point p; } path[] = {
      {1, {620, 104}},     {3, {636, 105}},   {100, {557, 634}},    {678, {400, 200}},
      {10000, {334, 230}}, {50000, {820, 336}}, {100000, {723, 700}},
  };
  SpringMotion motion(1024, 768);
  for (int step = 1; const auto& expected : path) {
    for (; step < expected.step; ++step) motion.Step();
    EXPECT_EQ(motion.Step(), expected.p) << "step " << step;
    ++step;
  }
  EXPECT_EQ(SpringMotion(640, 480).Step(), (Point{428, -40}));  // nothing keeps it on the screen
  const Extent wide = CornerExtent(SpringMotion(200000, 768), 2000, 0);
  EXPECT_TRUE(wide[1] <= 32767 && wide[0] >= 32767 - 325) << "a centre beyond 16 bits stops at 32767";
}

TEST(FrameCycle, ShowsFramesInTheChosenTurningOrder) {
  const struct { int16_t count, turn_left; std::vector<int16_t> frames; } cases[] = {
      {3, 0, {1, 2, 3, 1, 2}}, {3, 1, {3, 2, 1, 3, 2}}, {3, -1, {3, 2, 1, 3}}, {1, 1, {1, 1}}, {0, 1, {0, 0}},
  };
  for (const auto& c : cases) {
    FrameCycle cycle(c.count, c.turn_left);
    for (int16_t frame : c.frames) EXPECT_EQ(cycle.Next(), frame) << c.count << " frames, turn_left " << c.turn_left;
  }
  FrameCycle ascending(32767, 0);
  for (int frame = 1; frame <= 32767; ++frame) ASSERT_EQ(ascending.Next(), frame);
  EXPECT_EQ(ascending.Next(), 1);
}

constexpr int64_t kMHz = 1'000'000;  // a clock reading microseconds

TEST(Pacing, NextStepIsOnePauseAfterTheLastDueTime) {
  const struct { int64_t due, now; int16_t speed; int64_t next; } cases[] = {
      {0, 2'000, 1, 15'625}, {0, 2'000, 16, 16'000}, {0, 2'000, 1000, 1'000'000},  // at least 1/64 s
      {0, 2'000, -5, 15'625}, {0, 2'000, 30000, 1'000'000},  // damaged values are held to 1 ... 1000
      {1'000, 9'000, 1, 16'625}, {1'000, 16'625, 1, 16'625},  // woke late, or on time: no drift
      {1'000, 500'000, 1, 500'000},                           // a stall: again from now, no catching up
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextDue(c.due, c.now, c.speed, kMHz), c.next) << "due " << c.due << ", now " << c.now << ", " << c.speed;
  int64_t due = 0;  // a counter of 10 MHz: 64 steps a second exactly
  for (int step = 0; step < 64; ++step) due = NextDue(due, due, 1, 10'000'000);
  EXPECT_EQ(due, 10'000'000);
}

// Time in microseconds; a sleep ends on the system timer's tick after its due
// time, or earlier, at the screen's next refresh, which wakes the thread.
class RefreshingClock : public StepClock {
 public:
  RefreshingClock(int64_t tick, int64_t hertz) : tick_(tick), refresh_(kMHz / hertz) {}
  int64_t Now() override { return now; }
  int64_t Frequency() const override { return kMHz; }
  bool Sleep(int64_t due) override {
    now = std::max(now, std::min((due + tick_ - 1) / tick_ * tick_, (now / refresh_ + 1) * refresh_));
    return true;
  }
  int64_t now = 0;

 private:
  const int64_t tick_, refresh_;
};

TEST(Pacing, TheRefreshRateAndTheTimerTickLeaveTheScheduleAlone) {
  const struct { int64_t hertz, tick; int16_t speed; int steps_in_10_s; } cases[] = {
      {30, 1, 1, 640}, {50, 1, 1, 640}, {60, 1, 1, 640}, {144, 1, 1, 640},  // high-resolution timer
      {30, 1000, 1, 640}, {144, 1000, 1, 640},                              // 1 ms ticks
      {144, 1, 16, 625}, {60, 1000, 1000, 10},
  };
  for (const auto& c : cases) {
    RefreshingClock clock(c.tick, c.hertz);
    int steps = 0;
    RunSteps(clock, c.speed, [&] {
      clock.now += 300;  // drawing the step
      return clock.now < 10 * kMHz && ++steps;
    });
    EXPECT_EQ(steps, c.steps_in_10_s) << c.hertz << " Hz, tick " << c.tick << ", speed " << c.speed;
  }
}

// A 24-bit bitmap of 3 x 2 pixels: rows of 9 bytes padded to 12.
std::string Bitmap(int32_t height, uint32_t pixels_at = 54, size_t pixel_bytes = 24) {
  std::string b(54, '\0');
  const auto put = [&b](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> 8 * i); };
  b[0] = 'B', b[1] = 'M';
  put(10, pixels_at), put(14, 40), put(18, 3), put(22, static_cast<uint32_t>(height)), put(26, 1 | 24 << 16);
  return b + std::string(pixel_bytes, '\x7f');
}

TEST(FrameBitmap, OnlyBitmapsWhosePixelsLieInTheFileAreLoaded) {
  const struct { std::string bytes; bool whole; } cases[] = {
      {Bitmap(2), true}, {Bitmap(-2), true},                  // bottom-up and top-down
      {Bitmap(2, 54, 23), false}, {Bitmap(2).substr(0, 60), false}, {"", false}, {"BM", false},
      {Bitmap(0), false}, {Bitmap(2, 40), false},            // no rows; pixels inside the header
      {Bitmap(2, 0xFFFFFFF0), false}, {"XY" + Bitmap(2).substr(2), false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsWholeBitmap(c.bytes), c.whole) << &c - cases;
}

}  // namespace
}  // namespace gyra
