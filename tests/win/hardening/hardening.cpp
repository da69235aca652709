// hardening.exe display FOLDER STEPS EVERY MOVE ROTATION RADIUS (Win32): the display loop in-process on
// FOLDER's bitmaps, every step due at once; every EVERY steps it prints "step=N gdi=G user=U private_kb=P",
// and after STEPS steps it clicks the window, which ends the process.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "data/frame_files.h"
#include "display/win32/display_window.h"

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

// This program's imports of GdiFlush, called once a step, and QueryPerformanceCounter, the display's clock,
// are pointed here: the first counts steps and samples, the second makes every step due at once.
using GdiFlushFunction = BOOL(WINAPI*)();
GdiFlushFunction real_gdi_flush = nullptr;
long steps_done = 0, steps_wanted = 0, sample_every = 1;

BOOL WINAPI CountStep() {
  const BOOL flushed = real_gdi_flush();
  ++steps_done;
  if (steps_done % sample_every == 0) PrintSample("step", steps_done);
  if (steps_done == steps_wanted) PostMessageW(FindWindowW(nullptr, L"Gyrafoto"), WM_LBUTTONDOWN, 0, 0);
  return flushed;
}

BOOL WINAPI HoursPassing(LARGE_INTEGER* counter) {
  static LONGLONG hours = 0;
  counter->QuadPart = ++hours * 3600LL * 1000 * 1000 * 10;
  return TRUE;
}

// Points this program's import of `dll`'s function `name` at replacement;
// returns the function it pointed at before, or nullptr if there is none.
FARPROC RedirectImport(const wchar_t* dll, const char* name, const void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const FARPROC function = GetProcAddress(GetModuleHandleW(dll), name);
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
       ++module) {
    for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); entry->u1.Function;
         ++entry) {
      if (reinterpret_cast<FARPROC>(entry->u1.Function) != function) continue;
      DWORD old = 0;
      VirtualProtect(&entry->u1.Function, sizeof entry->u1.Function, PAGE_READWRITE, &old);
      entry->u1.Function = reinterpret_cast<uintptr_t>(replacement);
      VirtualProtect(&entry->u1.Function, sizeof entry->u1.Function, old, &old);
      return function;
    }
  }
  return nullptr;
}

bool RedirectDisplayClockAndSteps() {
  real_gdi_flush = reinterpret_cast<GdiFlushFunction>(
      reinterpret_cast<void (*)()>(RedirectImport(L"gdi32.dll", "GdiFlush", reinterpret_cast<void*>(&CountStep))));
  return real_gdi_flush &&
         RedirectImport(L"kernel32.dll", "QueryPerformanceCounter", reinterpret_cast<void*>(&HoursPassing));
}

int Display(int argc, wchar_t** argv) {
  if (argc != 8 || std::wstring(argv[1]) != L"display") return 2;
  Win32FileSystem files;
  const std::vector<std::string> frames = ListFrameFiles(files, Narrow(argv[2]));
  steps_wanted = _wtol(argv[3]);
  sample_every = std::max(1L, _wtol(argv[4]));
  const Settings settings{.radius = static_cast<int16_t>(_wtoi(argv[7])),
                          .music_off = 1,
                          .motion = static_cast<int16_t>(_wtoi(argv[5])),
                          .turn_left = static_cast<int16_t>(_wtoi(argv[6])),
                          .speed = 0};
  if (!RedirectDisplayClockAndSteps()) return 1;
  PrintSample("step", 0);
  PlayFullScreen(frames, settings, {});  // ends the process on the click after the last step
  return 1;
}

}  // namespace
}  // namespace gyra

extern "C" uintptr_t __stack_chk_guard;

// hardening.exe guard: prints the stack protector's guard value of this run.
int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"guard") return printf("%llx\n", 0ULL + __stack_chk_guard) < 0;
  return gyra::Display(argc, argv);
}
