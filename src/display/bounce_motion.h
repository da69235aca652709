// Pattern 1: the ball travels in diagonal lines, 3 pixels per step on each
// axis, and turns back at the screen edges. Portable: pure arithmetic.
#pragma once

#include "display/motion.h"

#include <cstdint>

namespace gyra {

class BounceMotion final : public Motion {
 public:
  // first_draw in [0, 1) picks the first direction: k = floor(4 * first_draw)
  // gives (+3, +3), (-3, -3), (+3, -3), (-3, +3) for k = 0, 1, 2, 3.
  BounceMotion(int32_t screen_width, int32_t screen_height, int16_t radius,
               double first_draw);

  // Draws at the current offset from the centre, then moves on and turns.
  Point Step() override;

 private:
  struct Axis {
    int32_t centre;
    // The offset turns back once it has passed these bounds, so the copy's
    // top-left corner stays within 3 pixels of 0 ... 2 * centre - 2S.
    int32_t low;
    int32_t high;
    int16_t offset;  // the copy's corner on this axis
    int16_t step;    // +3 or -3
  };

  static Axis MakeAxis(int32_t screen_size, int16_t radius, int16_t step);
  static void Move(Axis& axis);

  Axis x_;
  Axis y_;
};

// A uniform number in [0, 1) from a generator seeded with the clock: the
// bounce's first direction differs from run to run.
double ClockSeededDraw();

}  // namespace gyra
