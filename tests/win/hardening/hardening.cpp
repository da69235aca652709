// hardening.exe: runs the program's windows in-process while it counts what
// they hold, for the end-to-end soak and bad-input tests. Output is UTF-8.
//
//   display FOLDER STEPS EVERY MOVE ROTATION RADIUS
//       plays the .bmp frames of FOLDER full screen as the screensaver does
//       (Move_Ptn MOVE, Kaiten_Ptn ROTATION, Disp_Size RADIUS, every step
//       due at once, no music) and prints a sample line every EVERY steps;
//       after STEPS steps it clicks the window, which ends the process.
//   render PICTURE FOLDER RUNS RADIUS FRAMES
//       shows the rendering window RUNS times in a row, as the dialog's
//       Render does, and prints a sample line after each run.
//   lock FILE
//       opens FILE for reading and writing, shared with nobody, prints
//       "locked" and holds it until a line arrives on stdin.
//
// A sample line is "step=N gdi=G user=U private_kb=P" (or run=N): G counts
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
#include "render/win32/render_window.h"
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
  std::fputs("usage: hardening display|render|lock ...\n", stderr);
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

// This program's imports of GdiFlush, which every step of the display calls
// once to put its picture on the screen, and of QueryPerformanceCounter, the
// display's clock, are pointed here: the first counts the steps and samples
// between them, the second makes every step due at once, so that thousands
// of steps take seconds.
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
  if (!RedirectDisplayClockAndSteps()) return 1;
  PrintSample("step", 0);
  // Ends the process on the click after the last step.
  if (!LoadDisplayWindow()) Print("no-frames");
  return 1;
}

// --- render ---------------------------------------------------------------

int Render(const std::vector<std::wstring>& args) {
  if (args.size() != 5) return Usage();
  Config.Orgn_Path = Narrow(args[0]);
  Paths.Image2_Path = Narrow(args[1]);
  const int runs = std::stoi(args[2]);
  Config.Disp_Size = static_cast<int16_t>(std::stoi(args[3]));
  Config.Flame_Count = static_cast<int16_t>(std::stoi(args[4]));
  PrintSample("run", 0);
  for (int run = 1; run <= runs; ++run) {
    Render_Done = false;
    ShowRenderWindow(nullptr);
    if (!Render_Done) return 1;
    PrintSample("run", run);
  }
  return 0;
}

// --- lock -----------------------------------------------------------------

int Lock(const std::vector<std::wstring>& args) {
  if (args.size() != 1) return Usage();
  const HANDLE file = CreateFileW(args[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Print("locked");
  char line[16];
  std::fgets(line, sizeof line, stdin);
  CloseHandle(file);
  return 0;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.empty()) return Usage();
  const std::wstring& command = args[0];
  const std::vector<std::wstring> rest(args.begin() + 1, args.end());
  if (command == L"display") return Display(rest);
  if (command == L"render") return Render(rest);
  if (command == L"lock") return Lock(rest);
  return Usage();
}

}  // namespace
}  // namespace gyra

int wmain(int argc, wchar_t** argv) { return gyra::Run(std::vector<std::wstring>(argv + 1, argv + argc)); }
