// drive.exe: finds and works other processes' windows for the end-to-end tests (Win32 by nature).
// One sub-command per call (see Run); handles are decimal, output is UTF-8.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/win32/wide_text.h"
#include "display/win32/winmm_sender.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 500;

void Print(const std::wstring& text) {
  char bytes[8192];
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
  std::printf("%s\n", length ? bytes : "");
  std::fflush(stdout);
}

std::wstring Number(uintptr_t value) { return std::to_wstring(value); }
std::wstring Number(HWND hwnd) { return Number(reinterpret_cast<uintptr_t>(hwnd)); }
long ParseLong(const wchar_t* text) { return wcstol(text, nullptr, 0); }

// The text on one line: a line break becomes the separator U+001F.
std::wstring WindowText(HWND hwnd) {
  // InternalGetWindowText never sends a message, so a hung window cannot block us.
  wchar_t buffer[1024] = {};
  InternalGetWindowText(hwnd, buffer, 1024);
  std::wstring text;
  for (const wchar_t* c = buffer; *c; ++c)
    if (*c != L'\r') text += *c == L'\n' ? L'\x1f' : *c;
  return text;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  return reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd), TRUE;
}

// The top-level windows (parent null), or every descendant of parent.
std::vector<HWND> Windows(HWND parent = nullptr) {
  std::vector<HWND> windows;
  if (parent) EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  else EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Ready(HWND hwnd) {
  DWORD_PTR result = 0;
  return IsWindowVisible(hwnd) && SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result);
}

// Exact, case-sensitive title match (FindWindow ignores case), or a title
// starting with `title`. Prefers a visible window when several match.
HWND FindTitled(const std::wstring& title, bool must_be_ready, bool prefix = false) {
  HWND found = nullptr;
  for (HWND hwnd : Windows()) {
    const std::wstring text = WindowText(hwnd);
    if (prefix ? text.compare(0, title.size(), title) != 0 : text != title) continue;
    if (must_be_ready ? Ready(hwnd) : IsWindowVisible(hwnd)) return hwnd;
    if (!must_be_ready && !found) found = hwnd;
  }
  return found;
}

// Polls `probe` until it gives a window (or true) or the time is up.
template <typename Probe>
auto PollFor(long timeout_ms, Probe probe, int interval_ms = 20) -> decltype(probe()) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    if (auto result = probe()) return result;
    if (GetTickCount64() >= end) return {};
    Sleep(interval_ms);
  }
}

// rect: left,top,right,bottom on the screen; client: its top-left on the screen and its size.
std::wstring Info(HWND hwnd) {
  std::wstring line = L"hwnd=" + Number(hwnd);
  if (!IsWindow(hwnd)) return line + L"\texists=0";
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  wchar_t fields[200], class_name[256] = {};
  swprintf(fields, 200, L"\tstyle=0x%08lx\texstyle=0x%08lx\trect=%ld,%ld,%ld,%ld\tclient=%ld,%ld,%ld,%ld",
           GetWindowLongW(hwnd, GWL_STYLE), GetWindowLongW(hwnd, GWL_EXSTYLE), window.left, window.top,
           window.right, window.bottom, origin.x, origin.y, client.right, client.bottom);
  GetClassNameW(hwnd, class_name, 256);
  return line + L"\texists=1\tvisible=" + Number(IsWindowVisible(hwnd) ? 1 : 0) + fields +
         L"\tparent=" + Number(parent == GetDesktopWindow() ? nullptr : parent) +
         L"\towner=" + Number(GetWindow(hwnd, GW_OWNER)) +
         L"\tid=" + Number(static_cast<uintptr_t>(GetWindowLongPtrW(hwnd, GWLP_ID))) + L"\tpid=" + Number(pid) +
         L"\tclass=" + class_name + L"\ttitle=" + WindowText(hwnd);
}

int Found(HWND hwnd) { return Print(Number(hwnd)), hwnd ? 0 : 1; }
int Posted(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return PostMessageW(hwnd, message, wparam, lparam) ? 0 : 2;
}

// A click at the centre of the client area; a double click as Windows
// delivers one: down, up, double click, up.
int Click(HWND hwnd, bool twice) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
  const int once = Posted(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at) | Posted(hwnd, WM_LBUTTONUP, 0, at);
  return twice ? once | Posted(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at) | Posted(hwnd, WM_LBUTTONUP, 0, at) : once;
}

int Key(HWND hwnd, UINT vk) {
  const LPARAM down = 1 | static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  return Posted(hwnd, WM_KEYDOWN, vk, down) | Posted(hwnd, WM_KEYUP, vk, down | 3L << 30);
}

int Text(HWND hwnd, const wchar_t* text) {
  DWORD_PTR length = 0;
  if (text)
    return SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                               kAnswerTimeoutMs, &length) && length ? 0 : 2;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) return 2;
  std::wstring got(length + 1, L'\0');
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, got.size(), reinterpret_cast<LPARAM>(got.data()), SMTO_ABORTIFHUNG,
                           kAnswerTimeoutMs, &length))
    return 2;
  got.resize(length);
  Print(got);
  return 0;
}

// Suspends (hold) or resumes every thread of the process.
int Hold(DWORD pid, bool hold) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{sizeof(entry)};
  bool any = false;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
    any = (thread && (hold ? SuspendThread(thread) : ResumeThread(thread)) != static_cast<DWORD>(-1)) || any;
    if (thread) CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return any ? 0 : 2;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

int Host(int width, int height, const wchar_t* title) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = HostProc;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  window_class.lpszClassName = L"GyrafotoTestHost";
  RegisterClassW(&window_class);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, window_class.lpszClassName, title, style, 40, 40, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
  // The frame Windows assumes and the one it draws can differ: corrected by the client area it came out as.
  RECT client{};
  GetClientRect(hwnd, &client);
  SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + width - client.right,
               frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  Print(Number(hwnd));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

int Run(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  const HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(argc > 2 ? wcstoull(argv[2], nullptr, 10) : 0));
  const long number = argc > 3 ? ParseLong(argv[3]) : 0;
  const std::wstring title = argc > 2 ? argv[2] : L"";
  if (command == L"list" || command == L"tree") {
    for (HWND window : Windows(command == L"tree" ? hwnd : nullptr))
      if (command == L"tree" || IsWindowVisible(window)) Print(Info(window));
    return 0;
  }
  CURSORINFO cursor{sizeof(cursor)};  // cursor: whether the pointer shows
  if (command == L"cursor")
    return GetCursorInfo(&cursor), Print(cursor.flags & CURSOR_SHOWING ? L"showing" : L"hidden"), 0;
  if (command == L"find") return Found(FindTitled(title, false)), 0;
  if (command == L"info") return Print(Info(hwnd)), 0;
  if (command == L"close") return Posted(hwnd, WM_CLOSE, 0, 0);
  if (command == L"click" || command == L"dblclick") return Click(hwnd, command == L"dblclick");
  if (command == L"foreground") return Print(Number(GetForegroundWindow())), 0;
  // mci COMMAND: sent as the program sends it, without the program's restriction of the DLL search.
  if (command == L"mci") return gyra::WinmmSender().Send(gyra::Narrow(title), nullptr) == 0 ? 0 : 2;
  if (command == L"activate") return SetForegroundWindow(hwnd) ? 0 : 2;  // a focus thief
  if (command == L"gettext") return Text(hwnd, nullptr);
  if (command == L"release") return Hold(static_cast<DWORD>(ParseLong(argv[2])), false);
  // wait TITLE MS: a visible, answering window; gone TITLE MS; waitprefix TEXT MS VK|hold: prints
  // "watching", then posts the key VK to, or suspends the process of, the first window whose title
  // starts with TEXT (release PID resumes it).
  if (command == L"wait") return Found(PollFor(number, [&] { return FindTitled(title, true); }));
  if (command == L"gone") return PollFor(number, [&] { return FindTitled(title, false) == nullptr; }) ? 0 : 1;
  if (command == L"waitprefix" && argc > 4) {
    Print(L"watching");
    // A caption that counts may change every few milliseconds.
    const HWND found = PollFor(number, [&] { return FindTitled(title, false, true); }, 1);
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    const int failed = !found ? 1 : std::wstring(argv[4]) == L"hold" ? Hold(pid, true) : Key(found, ParseLong(argv[4]));
    return failed ? failed : Found(found);
  }
  if (command == L"key") return Key(hwnd, static_cast<UINT>(number));
  if (command == L"settext") return Text(hwnd, argv[3]);
  if (command == L"button") return Posted(hwnd, WM_COMMAND, MAKEWPARAM(number, BN_CLICKED),
                                          reinterpret_cast<LPARAM>(GetDlgItem(hwnd, static_cast<int>(number))));
  if (command == L"scroll") {
    const UINT message = GetWindowLongW(hwnd, GWL_STYLE) & SBS_VERT ? WM_VSCROLL : WM_HSCROLL;
    const WPARAM code = MAKEWPARAM(number, argc > 4 ? ParseLong(argv[4]) : 0);
    return Posted(GetParent(hwnd), message, code, reinterpret_cast<LPARAM>(hwnd));
  }
  // host W H [TITLE]: a window with a W x H client area that lives until it is closed.
  if (command == L"host") return Host(static_cast<int>(ParseLong(argv[2])), static_cast<int>(number),
                                      argc > 4 ? argv[4] : L"Gyrafoto Test Host");
  Print(L"usage: see the top of drive.cpp");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return Run(argc, argv); }
