// hardening.exe: runs the program's windows in-process while it counts what
// they hold, for the end-to-end soak test. Output is UTF-8.
//
//   display FOLDER STEPS EVERY MOVE ROTATION RADIUS
//       plays the .bmp frames of FOLDER full screen as the screensaver does
//       (Move_Ptn MOVE, Kaiten_Ptn ROTATION, Disp_Size RADIUS, no pause
//       between steps, no music) and prints a sample line every EVERY steps;
//       after STEPS steps it clicks the window, which ends the process.
//
// A sample line is "step=N gdi=G user=U private_kb=P": G counts
// the process's GDI objects, U its windows, P its private memory. Windows
// reports G through GetGuiResources; Wine reports 0 there, so G is then
// counted by asking GetObjectType about every handle slot (Wine accepts a
// handle without its generation bits).
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "display/win32/display_window.h"
#include "startup/frame_files.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/text.h"

namespace gyra {
namespace {

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

int Usage() {
  std::fputs("usage: hardening display ...\n", stderr);
  return 2;
}

// --- counting -------------------------------------------------------------

unsigned long GdiObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return reported;
  unsigned long count = 0;
  for (uintptr_t slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<unsigned long*>(count);
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND hwnd, LPARAM count) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId()) {
    ++*reinterpret_cast<unsigned long*>(count);
    EnumChildWindows(hwnd, CountChild, count);
  }
  return TRUE;
}

// The process's windows, top-level and child, hidden ones included.
unsigned long OwnWindows() {
  unsigned long count = 0;
  EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

unsigned long PrivateKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<unsigned long>(counters.PagefileUsage / 1024);
}

void PrintSample(const char* what, long number) {
  Print(std::string(what) + "=" + std::to_string(number) + " gdi=" + std::to_string(GdiObjects()) +
        " user=" + std::to_string(OwnWindows()) + " private_kb=" + std::to_string(PrivateKilobytes()));
}

// --- display --------------------------------------------------------------

// Every step of the display ends in one Sleep: this program's import of it
// is pointed at CountStep, which samples between steps.
using SleepFunction = VOID(WINAPI*)(DWORD);
SleepFunction real_sleep = nullptr;
long steps_done = 0, steps_wanted = 0, sample_every = 1;

VOID WINAPI CountStep(DWORD) {
  ++steps_done;
  if (steps_done % sample_every == 0) PrintSample("step", steps_done);
  if (steps_done == steps_wanted) PostMessageW(FindWindowW(nullptr, L"Gyrafoto"), WM_LBUTTONDOWN, 0, 0);
  real_sleep(0);
}

bool RedirectSleep() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const FARPROC sleep = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "Sleep");
  for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
    for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk); entry->u1.Function; ++entry) {
      if (reinterpret_cast<FARPROC>(entry->u1.Function) != sleep) continue;
      DWORD old = 0;
      VirtualProtect(&entry->u1.Function, sizeof entry->u1.Function, PAGE_READWRITE, &old);
      real_sleep = reinterpret_cast<SleepFunction>(reinterpret_cast<void*>(sleep));
      entry->u1.Function = reinterpret_cast<uintptr_t>(&CountStep);
      VirtualProtect(&entry->u1.Function, sizeof entry->u1.Function, old, &old);
      return true;
    }
  }
  return false;
}

int Display(const std::vector<std::wstring>& args) {
  if (args.size() != 6) return Usage();
  Win32FileSystem files;
  File_List = ListBitmaps(files, Narrow(args[0]));
  steps_wanted = std::stol(args[1]);
  sample_every = std::max(1L, std::stol(args[2]));
  Config.Move_Ptn = static_cast<int16_t>(std::stoi(args[3]));
  Config.Kaiten_Ptn = static_cast<int16_t>(std::stoi(args[4]));
  Config.Disp_Size = static_cast<int16_t>(std::stoi(args[5]));
  Config.Speed = 0;
  Config.BGM_Sel = 1;  // off
  if (!RedirectSleep()) return 1;
  PrintSample("step", 0);
  // Ends the process on the click after the last step.
  if (!LoadDisplayWindow()) Print("no-frames");
  return 1;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.empty()) return Usage();
  const std::wstring& command = args[0];
  const std::vector<std::wstring> rest(args.begin() + 1, args.end());
  if (command == L"display") return Display(rest);
  return Usage();
}

}  // namespace
}  // namespace gyra

int wmain(int argc, wchar_t** argv) { return gyra::Run(std::vector<std::wstring>(argv + 1, argv + argc)); }
