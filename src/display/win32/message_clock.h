// Windows layer: the clock of the display's step loop. Steps are due on the
// performance counter; between steps the thread sleeps until the due time or
// until input arrives, whichever comes first, so the screensaver costs next
// to no processor time and answers the user at once at any speed.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "display/pacing.h"

namespace gyra {

class MessageClock : public StepClock {
 public:
  MessageClock();
  MessageClock(const MessageClock&) = delete;
  MessageClock& operator=(const MessageClock&) = delete;
  ~MessageClock() override;

  int64_t Now() override;
  int64_t Frequency() const override { return frequency_; }
  // Handles the thread's messages, then sleeps; false when WM_QUIT arrived
  // (posted again for the outer loop).
  bool Sleep(int64_t due) override;

 private:
  HANDLE timer_;
  HMODULE winmm_ = nullptr;  // from the system folder: no Known DLL
  decltype(&timeEndPeriod) end_period_ = nullptr;
  bool finer_period_ = false;
  const int64_t frequency_;
};

}  // namespace gyra
