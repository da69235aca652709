// When each step of the display is due. Portable: arithmetic on readings of a
// steady clock, so the pace is the same on every machine.
#pragma once

#include <cstdint>
#include <functional>

namespace gyra {

// Speed (the setting "速さ", the pause per step in milliseconds) held to the
// settings' range 1 ... 1000: a damaged Data.ini (text reads as 0, or a
// negative or huge number) neither races nor deafens the screensaver.
int16_t ClampSpeed(int16_t speed);

// When the step after the one due at `due` is due, on a clock that read `now`
// once that step was on the screen and runs at `frequency` ticks per second.
// One pause after `due`, so waking late does not make the pace drift; the
// pause is the clamped Speed but never shorter than 1/64 s (15.625 ms), the
// pace the default speed 1 has always had on the usual system timer. After a
// stall that has already passed that time, the steps start again from `now`
// instead of racing to catch up.
int64_t NextDue(int64_t due, int64_t now, int16_t speed, int64_t frequency);

// The clock the step loop waits on: the performance counter on Windows.
class StepClock {
 public:
  virtual ~StepClock() = default;
  virtual int64_t Now() = 0;
  virtual int64_t Frequency() const = 0;
  // Handles what is waiting for the thread, then sleeps until `due` or until
  // something else wakes it (a message, a refresh of the screen), whichever
  // comes first. False when the loop has to end.
  virtual bool Sleep(int64_t due) = 0;
};

// Runs `step` (show the next picture; false to stop) at the pace of `speed`
// until it stops (true) or the clock says to end (false). The schedule
// depends on the clock alone: waking early, for whatever reason, and the
// screen's refresh rate change nothing.
bool RunSteps(StepClock& clock, int16_t speed, const std::function<bool()>& step);

}  // namespace gyra
