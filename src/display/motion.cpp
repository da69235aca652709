#include "display/motion.h"

#include "core/numbers.h"
#include "display/bounce_motion.h"
#include "display/spring_motion.h"

namespace gyra {
namespace {

class CentreMotion final : public Motion {
 public:
  CentreMotion(int32_t screen_width, int32_t screen_height)
      : centre_{ScreenCentre(screen_width), ScreenCentre(screen_height)} {}
  Point Step() override { return centre_; }

 private:
  Point centre_;
};

}  // namespace

int32_t ScreenCentre(int32_t screen_size) {
  return static_cast<int32_t>(RoundHalfEven(screen_size / 2.0));
}

std::unique_ptr<Motion> MakeMotion(int16_t pattern, int32_t screen_width,
                                   int32_t screen_height, int16_t radius,
                                   double first_draw) {
  switch (pattern) {
    case 0: return std::make_unique<CentreMotion>(screen_width, screen_height);
    case 1:
      return std::make_unique<BounceMotion>(screen_width, screen_height, radius,
                                            first_draw);
    case 2: return std::make_unique<SpringMotion>(screen_width, screen_height);
    default: return nullptr;
  }
}

}  // namespace gyra
