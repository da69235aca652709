#include "display/win32/paced_steps.h"

#include <windows.h>

#include "display/pacing.h"
#include "toolkit/message_loop.h"
#include "toolkit/system_library.h"

namespace gyra {

namespace {

// Not in older SDK headers; Windows 10 1803 and later know it.
constexpr DWORD kHighResolutionTimer = 0x00000002;

int64_t Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t CounterFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

// Where the system composes the desktop, waits for its next pass after a
// step has been drawn, so that the step reaches the screen in one refresh
// and moving pictures do not tear. dwmapi is looked up at run time from the
// system folder only (it is no Known DLL); without it nothing is waited for.
class CompositionPass {
 public:
  CompositionPass() {
    dwmapi_ = LoadSystemLibrary(L"dwmapi.dll");
    using IsEnabled = HRESULT(WINAPI*)(BOOL*);
    const auto is_enabled = SystemFunction<IsEnabled>(dwmapi_, "DwmIsCompositionEnabled");
    BOOL enabled = FALSE;
    if (is_enabled && SUCCEEDED(is_enabled(&enabled)) && enabled) flush_ = SystemFunction<Flush>(dwmapi_, "DwmFlush");
  }
  CompositionPass(const CompositionPass&) = delete;
  CompositionPass& operator=(const CompositionPass&) = delete;
  ~CompositionPass() {
    if (dwmapi_) FreeLibrary(dwmapi_);
  }

  void Wait() {
    if (flush_) flush_();
  }

 private:
  using Flush = HRESULT(WINAPI*)();
  HMODULE dwmapi_ = nullptr;
  Flush flush_ = nullptr;
};

// Sleeps until a due time, waking for every message. A high-resolution
// waitable timer keeps the due times exact where the system offers one;
// otherwise the wait's own timeout, in whole milliseconds, has to do.
class DueTimeWait {
 public:
  DueTimeWait() : timer_(CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS)) {}
  DueTimeWait(const DueTimeWait&) = delete;
  DueTimeWait& operator=(const DueTimeWait&) = delete;
  ~DueTimeWait() {
    if (timer_) CloseHandle(timer_);
  }

  bool Until(int64_t due) {
    bool timer_set = false;
    for (;;) {
      if (!DoEvents()) return false;
      const int64_t left = due - Counter();
      if (left <= 0) return true;
      if (timer_ && !timer_set) {
        LARGE_INTEGER relative;
        relative.QuadPart = -(left * 10'000'000 / frequency_);  // in 100 ns units
        timer_set = SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE);
      }
      const DWORD milliseconds = static_cast<DWORD>((left * 1000 + frequency_ - 1) / frequency_);
      MsgWaitForMultipleObjectsEx(timer_set ? 1 : 0, &timer_, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
  }

 private:
  HANDLE timer_;
  const int64_t frequency_ = CounterFrequency();
};

}  // namespace

bool RunPacedSteps(int16_t speed, const std::function<bool()>& step) {
  const int64_t frequency = CounterFrequency();
  CompositionPass composition;
  DueTimeWait wait;
  int64_t due = Counter();
  for (;;) {
    if (!step()) return true;
    composition.Wait();
    due = NextDue(due, Counter(), speed, frequency);
    if (!wait.Until(due)) return false;
  }
}

}  // namespace gyra
