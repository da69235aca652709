// The display loop's GDI objects, windows and memory over many steps, in-process (from outside, Wine's
// own housekeeping moves a process's memory by more than a small leak would).
//   display_soak.exe FOLDER STEPS EVERY MOVE ROTATION RADIUS (Win32): the loop on FOLDER's bitmaps,
// every step due at once; every EVERY steps it prints "step=N gdi=G user=U private_kb=P", and after
// STEPS steps it clicks the window, which ends the process.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "data/frame_files.h"
#include "display/win32/display_window.h"
#include "toolkit/message_loop.h"

namespace gyra {
namespace {

unsigned long GdiObjects() {  // GetGuiResources says 0 under Wine: then every handle slot is asked
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return reported;
  unsigned long count = 0;
  for (uintptr_t slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) { return ++*reinterpret_cast<unsigned long*>(count), TRUE; }

BOOL CALLBACK CountWithChildren(HWND hwnd, LPARAM count) {
  EnumChildWindows(hwnd, CountChild, count);
  return CountChild(hwnd, count);
}

// The windows of the (one-threaded) process, top-level and child, hidden ones included.
unsigned long OwnWindows() {
  unsigned long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

unsigned long PrivateKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{sizeof counters};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<unsigned long>(counters.PagefileUsage / 1024);
}

void PrintSample(const char* what, long number) {
  std::printf("%s=%ld gdi=%lu user=%lu private_kb=%lu\n", what, number, GdiObjects(), OwnWindows(), PrivateKilobytes());
  std::fflush(stdout);
}

// The display's clock: every step due at once, each counted once (one wait a step), sampled every
// `every` steps; after `wanted` steps a click on the window ends the process.
class CountingClock : public StepClock {
 public:
  CountingClock(long wanted, long every) : wanted_(wanted), every_(every) {}
  int64_t Now() override { return now_ += 3600 * Frequency(); }  // an hour between readings
  int64_t Frequency() const override { return 10'000'000; }
  bool Sleep(int64_t) override {
    if (!DoEvents()) return false;
    if (++steps_ % every_ == 0) PrintSample("step", steps_);
    if (steps_ == wanted_) PostMessageW(FindWindowW(nullptr, L"Gyrafoto"), WM_LBUTTONDOWN, 0, 0);
    return true;
  }

 private:
  const long wanted_, every_;
  long steps_ = 0;
  int64_t now_ = 0;
};

int Soak(int argc, wchar_t** argv) {
  if (argc != 7) return 2;
  Win32FileSystem files;
  const std::vector<std::string> frames = ListFrameFiles(files, Narrow(argv[1]));
  const Settings settings{.radius = static_cast<int16_t>(_wtoi(argv[6])),
                          .music_off = 1,
                          .motion = static_cast<int16_t>(_wtoi(argv[4])),
                          .turn_left = static_cast<int16_t>(_wtoi(argv[5])),
                          .speed = 0};
  CountingClock clock(_wtol(argv[2]), std::max(1L, _wtol(argv[3])));
  PrintSample("step", 0);
  PlayFullScreen(frames, settings, {}, clock);  // ends the process on the click after the last step
  return 1;
}

}  // namespace
}  // namespace gyra

int wmain(int argc, wchar_t** argv) { return gyra::Soak(argc, argv); }
