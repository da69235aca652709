#include "display/bounce_motion.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace gyra {
namespace {

constexpr int16_t kStep = 3;

// The offset may run kStep past a bound before it turns, and it is kept in
// 16 bits: on a screen some 65000 pixels across, or with a ball that much
// larger than the screen, the bounds are pulled in so that it never overflows.
constexpr int32_t kFarthestBound = INT16_MAX - kStep;

int32_t ClampBound(int32_t bound) {
  return std::clamp(bound, -kFarthestBound, kFarthestBound);
}

// floor(4 r), kept to 0 ... 3 even for a draw outside [0, 1).
int DirectionIndex(double draw) {
  const double scaled = std::floor(4 * draw);
  if (scaled >= 3) return 3;
  return scaled >= 0 ? static_cast<int>(scaled) : 0;
}

}  // namespace

BounceMotion::BounceMotion(int32_t screen_width, int32_t screen_height,
                           int16_t radius, double first_draw) {
  static constexpr int16_t kFirstSteps[4][2] = {
      {+kStep, +kStep}, {-kStep, -kStep}, {+kStep, -kStep}, {-kStep, +kStep}};
  const auto& steps = kFirstSteps[DirectionIndex(first_draw)];
  x_ = MakeAxis(screen_width, radius, steps[0]);
  y_ = MakeAxis(screen_height, radius, steps[1]);
}

BounceMotion::Axis BounceMotion::MakeAxis(int32_t screen_size, int16_t radius,
                                          int16_t step) {
  const int32_t centre = ScreenCentre(screen_size);
  return Axis{centre, ClampBound(radius - centre), ClampBound(centre - radius), 0,
              step};
}

Point BounceMotion::Step() {
  const Point p{x_.centre + x_.offset, y_.centre + y_.offset};
  Move(x_);
  Move(y_);
  return p;
}

// Both turns are tested one after the other, after the move and strictly. On
// a screen smaller than the ball (low > high) the second test can undo the
// first, so the ball drifts to the low bound and jitters there.
void BounceMotion::Move(Axis& axis) {
  axis.offset = static_cast<int16_t>(axis.offset + axis.step);
  const int16_t size = static_cast<int16_t>(std::abs(axis.step));
  if (axis.step > 0 && axis.offset > axis.high) axis.step = static_cast<int16_t>(-size);
  if (axis.step <= 0 && axis.offset < axis.low) axis.step = size;
}

double ClockSeededDraw() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  std::mt19937 generator(static_cast<uint32_t>(ticks));
  return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

}  // namespace gyra
