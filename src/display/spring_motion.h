// Pattern 2: the ball follows a point mass held between two springs whose
// anchors lie 200 pixels left and right of the screen centre. Portable: the
// integration is done in 32-bit floats, operation by operation, so the path
// comes out the same on every build.
#pragma once

#include "display/motion.h"

#include <cstdint>

namespace gyra {

class SpringMotion final : public Motion {
 public:
  SpringMotion(int32_t screen_width, int32_t screen_height);

  // Integrates one time step, then returns the mass's new position: the
  // first frame is drawn after one step, not at the start position.
  Point Step() override;

 private:
  int16_t cen_x_;
  int16_t cen_y_;
  // In model units, y pointing up; one unit is 200 pixels.
  float pos_x_ = 0.5f;
  float pos_y_ = 1.4f;
  float vel_x_ = 2.0f;
  float vel_y_ = 0.0f;
};

}  // namespace gyra
