#include "display/spring_motion.h"

#include "core/numbers.h"

#include <cmath>

namespace gyra {
namespace {

constexpr float kAnchorL = -1.0f;
constexpr float kAnchorR = 1.0f;
constexpr float kRestLen = 0.2f;
constexpr float kSpringK1 = 1.0f;
constexpr float kSpringK2 = 1.0f;
constexpr float kMass = 1.0f;
constexpr float kTimeStep = 0.02f;
constexpr float kPixelsPerUnit = 200.0f;

struct Force {
  float x;
  float y;
};

// The pull of a spring anchored at (anchor_x, 0) on the mass, pointing from
// the mass to the anchor. A spring no longer than its rest length is slack
// and pulls nothing (which also spares the division when the mass sits on
// the anchor).
Force SpringForce(float anchor_x, float stiffness, float pos_x, float pos_y) {
  const float dx = anchor_x - pos_x;
  const float r = std::sqrt(dx * dx + pos_y * pos_y);
  if (!(r > kRestLen)) return {0.0f, 0.0f};
  const float tension = (r - kRestLen) * stiffness;
  const float unit_x = dx / r;
  const float unit_y = -pos_y / r;
  return {unit_x * tension, unit_y * tension};
}

// The centre and the pixel position are 16-bit; far beyond any real
// screen they stop at the 16-bit limits instead of overflowing.
int16_t SaturateToInt16(double v) {
  if (const auto rounded = RoundToInt16(v)) return *rounded;
  return v < 0 ? INT16_MIN : INT16_MAX;
}

}  // namespace

SpringMotion::SpringMotion(int32_t screen_width, int32_t screen_height)
    : cen_x_(SaturateToInt16(ScreenCentre(screen_width))),
      cen_y_(SaturateToInt16(ScreenCentre(screen_height))) {}

Point SpringMotion::Step() {
  const Force left = SpringForce(kAnchorL, kSpringK1, pos_x_, pos_y_);
  const Force right = SpringForce(kAnchorR, kSpringK2, pos_x_, pos_y_);
  const float accel_x = (left.x + right.x) / kMass;
  const float accel_y = (left.y + right.y) / kMass;
  // Velocity first, and the position moves with the new velocity.
  vel_x_ += accel_x * kTimeStep;
  vel_y_ += accel_y * kTimeStep;
  pos_x_ += vel_x_ * kTimeStep;
  pos_y_ += vel_y_ * kTimeStep;
  const float pix_x = pos_x_ * kPixelsPerUnit + static_cast<float>(cen_x_);
  const float pix_y = static_cast<float>(cen_y_) - pos_y_ * kPixelsPerUnit;
  return {SaturateToInt16(pix_x), SaturateToInt16(pix_y)};
}

}  // namespace gyra
