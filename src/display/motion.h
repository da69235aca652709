// Where the ball goes: the display's motion patterns as step functions.
// Portable: a pattern only computes the centre point P of each step; the
// display window draws the frame with its top-left corner at P - radius.
#pragma once

#include <cstdint>
#include <memory>

namespace gyra {

// A point on the screen in pixels, y growing downward.
struct Point {
  int32_t x;
  int32_t y;
  friend bool operator==(const Point&, const Point&) = default;
};

class Motion {
 public:
  virtual ~Motion() = default;
  // Moves on by one step and returns where this step's frame is centred.
  virtual Point Step() = 0;
};

// The centre on one axis: half the screen size, rounded to nearest with ties to even
// (a screen 1023 pixels wide has its centre at 512).
int32_t ScreenCentre(int32_t screen_size);

// The pattern `pattern` selects: 0 stays at the centre, 1 bounces off the
// screen edges, 2 swings on two springs; any other value has no pattern
// (nullptr) and the screen stays black. radius is the ball's radius S in
// pixels. first_draw, a uniform number in [0, 1) such as ClockSeededDraw()
// gives, picks the bounce's first direction; the other patterns ignore it.
std::unique_ptr<Motion> MakeMotion(int16_t pattern, int32_t screen_width,
                                   int32_t screen_height, int16_t radius,
                                   double first_draw);

}  // namespace gyra
