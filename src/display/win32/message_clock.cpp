#include "display/win32/message_clock.h"

#include <mmsystem.h>

#include "toolkit/message_loop.h"
#include "toolkit/system_library.h"

namespace gyra {

namespace {

// Not in older SDK headers; Windows 10 1803 and later know it.
constexpr DWORD kHighResolutionTimer = 0x00000002;

int64_t CounterFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

}  // namespace

// Without a high-resolution timer, waits end on the system timer's ticks,
// 15.6 ms apart unless a program asks for finer ones: 1 ms keeps the
// shortest pause, 1/64 s, from growing to two ticks.
MessageClock::MessageClock()
    : timer_(CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS)),
      frequency_(CounterFrequency()) {
  if (timer_) return;
  winmm_ = LoadSystemLibrary(L"winmm.dll");
  const auto begin = SystemFunction<decltype(&timeBeginPeriod)>(winmm_, "timeBeginPeriod");
  end_period_ = SystemFunction<decltype(&timeEndPeriod)>(winmm_, "timeEndPeriod");
  if (begin && end_period_ && begin(1) == TIMERR_NOERROR) finer_period_ = true;
}

// The system also gives the finer timer back when the process ends, as the
// screensaver does on input, without destructors.
MessageClock::~MessageClock() {
  if (finer_period_) end_period_(1);
  if (timer_) CloseHandle(timer_);
  if (winmm_) FreeLibrary(winmm_);
}

int64_t MessageClock::Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

bool MessageClock::Sleep(int64_t due) {
  if (!DoEvents()) return false;
  const int64_t left = due - Now();
  if (left <= 0) return true;
  bool timer_set = false;
  if (timer_) {
    LARGE_INTEGER relative;
    relative.QuadPart = -(left * 10'000'000 / frequency_);  // in 100 ns units
    timer_set = SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE);
  }
  const DWORD milliseconds = static_cast<DWORD>((left * 1000 + frequency_ - 1) / frequency_);
  MsgWaitForMultipleObjectsEx(timer_set ? 1 : 0, &timer_, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  return true;
}

}  // namespace gyra
