#include "display/pacing.h"

#include <algorithm>

namespace gyra {

namespace {

constexpr int16_t kFastestSpeed = 1;
constexpr int16_t kSlowestSpeed = 1000;
constexpr int64_t kShortestPausesPerSecond = 64;

}  // namespace

int16_t ClampSpeed(int16_t speed) { return std::clamp(speed, kFastestSpeed, kSlowestSpeed); }

int64_t NextDue(int64_t due, int64_t now, int16_t speed, int64_t frequency) {
  const int64_t pause = std::max(ClampSpeed(speed) * frequency / 1000, frequency / kShortestPausesPerSecond);
  return std::max(due + pause, now);
}

bool RunSteps(StepClock& clock, int16_t speed, const std::function<bool()>& step) {
  int64_t due = clock.Now();
  for (;;) {
    if (!step()) return true;
    due = NextDue(due, clock.Now(), speed, clock.Frequency());
    do {
      if (!clock.Sleep(due)) return false;
    } while (clock.Now() < due);
  }
}

}  // namespace gyra
