// drive.exe: finds and works the windows of other processes for the
// end-to-end tests. One sub-command per call; window handles are decimal.
// Output is UTF-8 so the Linux side reads Japanese titles as they are.
//
//   find TITLE                 hwnd of a top-level window titled TITLE, or 0
//   wait TITLE TIMEOUT_MS      until it exists, is visible and answers; exit 1 on timeout
//   gone TITLE TIMEOUT_MS      until no top-level window has that title
//   waitprefix TEXT TIMEOUT_MS [VK | hold]
//                              like wait, for a title that starts with TEXT (a caption that counts);
//                              with VK or hold, for a window busy working: prints "watching" first,
//                              and as soon as such a window is visible posts it the key VK, or
//                              holds its process still (every thread suspended) for a screenshot
//   release PID                lets a held process go on
//   waitchild HWND TIMEOUT_MS  until HWND has a visible child that answers; print it
//   list                       one info line per visible top-level window
//   info HWND                  one line of tab-separated key=value fields
//   children HWND              one info line per direct child
//   tree HWND                  one info line per descendant, parents before their children
//   click HWND [X Y]           left button down and up at X,Y of the client area (default: its centre)
//   key HWND VK                key down and up (VK decimal or 0x hex)
//   close HWND                 WM_CLOSE
//   text HWND                  the window text, then the texts of its Static children
//   settext HWND TEXT          WM_SETTEXT (edit fields)
//   gettext HWND               WM_GETTEXT: the text edit fields and combo boxes keep to themselves
//   button HWND ID             WM_COMMAND BN_CLICKED for the button ID of dialog HWND
//   pointer X Y                moves the mouse pointer to screen X,Y and prints the handle of the
//                              pointer shown there
//   scroll HWND CODE [POS]     the scroll bar's notification SB_<CODE> (decimal) to its parent, as
//                              a click on the bar would send it
//   host W H [TITLE]           a top-level window with a W x H client area; prints its hwnd and
//                              lives until "destroy" or end of input on stdin
#include <windows.h>

#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kPollMs = 20;
constexpr UINT kAnswerTimeoutMs = 500;

void Print(const std::wstring& text) {
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                      nullptr);
  bytes.back() = '\n';
  fwrite(bytes.data(), 1, bytes.size(), stdout);
  fflush(stdout);
}

std::wstring Number(uintptr_t value) { return std::to_wstring(value); }
std::wstring Number(HWND hwnd) { return Number(reinterpret_cast<uintptr_t>(hwnd)); }

HWND ParseHwnd(const wchar_t* text) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(wcstoull(text, nullptr, 10))); }
long ParseLong(const wchar_t* text) { return wcstol(text, nullptr, 0); }

std::wstring WindowText(HWND hwnd) {
  // InternalGetWindowText never sends a message, so a hung window cannot block us.
  wchar_t buffer[1024] = {};
  InternalGetWindowText(hwnd, buffer, 1024);
  return buffer;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool Answers(HWND hwnd) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

bool Ready(HWND hwnd) { return IsWindowVisible(hwnd) && Answers(hwnd); }

// Exact, case-sensitive title match (FindWindow ignores case), or a title
// starting with `title`. Prefers a visible window when several match.
HWND FindTitled(const std::wstring& title, bool must_be_ready, bool prefix = false) {
  HWND found = nullptr;
  for (HWND hwnd : TopLevelWindows()) {
    const std::wstring text = WindowText(hwnd);
    if (prefix ? text.compare(0, title.size(), title) != 0 : text != title) continue;
    if (!must_be_ready) {
      if (IsWindowVisible(hwnd)) return hwnd;
      if (!found) found = hwnd;
    } else if (Ready(hwnd)) {
      return hwnd;
    }
  }
  return found;
}

HWND FirstReadyChild(HWND parent) {
  for (HWND child : DirectChildren(parent)) {
    if (Ready(child)) return child;
  }
  return nullptr;
}

// Polls `probe` until it gives a window (or true) or the time is up.
template <typename Probe>
auto PollFor(long timeout_ms, Probe probe, int interval_ms = kPollMs) -> decltype(probe()) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    if (auto result = probe()) return result;
    if (GetTickCount64() >= end) return {};
    Sleep(interval_ms);
  }
}

std::wstring Hex(uintptr_t value) {
  wchar_t buffer[32];
  swprintf(buffer, 32, L"0x%08llx", static_cast<unsigned long long>(value));
  return buffer;
}

std::wstring RectText(long left, long top, long right, long bottom) {
  return Number(left) + L"," + Number(top) + L"," + Number(right) + L"," + Number(bottom);
}

// Fields: hwnd exists visible style exstyle parent owner id pid class title
// rect (window rectangle on the screen: left,top,right,bottom) and client
// (the client area's top-left on the screen and its size: x,y,w,h).
std::wstring Info(HWND hwnd) {
  std::wstring line = L"hwnd=" + Number(hwnd);
  if (!IsWindow(hwnd)) return line + L"\texists=0";
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  if (parent == GetDesktopWindow()) parent = nullptr;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT window{};
  GetWindowRect(hwnd, &window);
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  line += L"\texists=1\tvisible=" + Number(IsWindowVisible(hwnd) ? 1 : 0);
  line += L"\tstyle=" + Hex(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)));
  line += L"\texstyle=" + Hex(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
  line += L"\tparent=" + Number(parent) + L"\towner=" + Number(GetWindow(hwnd, GW_OWNER));
  line += L"\tid=" + Number(static_cast<uintptr_t>(GetWindowLongPtrW(hwnd, GWLP_ID)));
  line += L"\tpid=" + Number(pid);
  line += L"\trect=" + RectText(window.left, window.top, window.right, window.bottom);
  line += L"\tclient=" + RectText(origin.x, origin.y, client.right, client.bottom);
  line += L"\tclass=" + ClassName(hwnd) + L"\ttitle=" + WindowText(hwnd);
  return line;
}

BOOL CALLBACK PrintInfo(HWND hwnd, LPARAM) {
  Print(Info(hwnd));
  return TRUE;
}

int Fail(const std::wstring& message) {
  Print(L"error: " + message);
  return 2;
}

int Found(HWND hwnd) {
  Print(Number(hwnd));
  return hwnd ? 0 : 1;
}

bool Post(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) { return PostMessageW(hwnd, message, wparam, lparam) != 0; }

int Click(HWND hwnd, int argc, wchar_t** argv) {
  RECT client{};
  if (!GetClientRect(hwnd, &client)) return Fail(L"no such window");
  const long x = argc >= 5 ? ParseLong(argv[3]) : client.right / 2;
  const long y = argc >= 5 ? ParseLong(argv[4]) : client.bottom / 2;
  const LPARAM at = MAKELPARAM(x, y);
  const bool ok = Post(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at) && Post(hwnd, WM_LBUTTONUP, 0, at);
  return ok ? 0 : Fail(L"post failed");
}

int Key(HWND hwnd, UINT vk) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM down = 1 | scan;
  const LPARAM up = down | (1L << 30) | (1L << 31);
  const bool ok = Post(hwnd, WM_KEYDOWN, vk, down) && Post(hwnd, WM_KEYUP, vk, up);
  return ok ? 0 : Fail(L"post failed");
}

int Text(HWND hwnd) {
  if (!IsWindow(hwnd)) return Fail(L"no such window");
  Print(WindowText(hwnd));
  for (HWND child : DirectChildren(hwnd)) {
    const std::wstring text = WindowText(child);
    if (!text.empty() && CompareStringOrdinal(ClassName(child).c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
      Print(text);
    }
  }
  return 0;
}

int SetText(HWND hwnd, const wchar_t* text) {
  DWORD_PTR result = 0;
  const LRESULT ok = SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                         kAnswerTimeoutMs, &result);
  return ok && result ? 0 : Fail(L"WM_SETTEXT failed");
}

int GetText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length))
    return Fail(L"WM_GETTEXTLENGTH failed");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kAnswerTimeoutMs, &copied))
    return Fail(L"WM_GETTEXT failed");
  text.resize(copied);
  Print(text);
  return 0;
}

int Button(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const WPARAM command = MAKEWPARAM(id, BN_CLICKED);
  return Post(dialog, WM_COMMAND, command, reinterpret_cast<LPARAM>(control)) ? 0 : Fail(L"post failed");
}

// Whether the foreground window's thread shows the pointer.
int Cursor() {
  CURSORINFO info{sizeof(info)};
  if (!GetCursorInfo(&info)) return Fail(L"GetCursorInfo failed");
  Print((info.flags & CURSOR_SHOWING) ? L"showing" : L"hidden");
  return 0;
}

// Suspends (hold) or resumes every thread of the process.
bool HoldProcess(DWORD pid, bool hold) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  THREADENTRY32 entry{sizeof(entry)};
  bool any = false;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    any = (hold ? SuspendThread(thread) : ResumeThread(thread)) != static_cast<DWORD>(-1) || any;
    CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return any;
}

int Pointer(int x, int y) {
  if (!SetCursorPos(x, y)) return Fail(L"SetCursorPos failed");
  // The window under the pointer sets its pointer when the move reaches it.
  const bool moved = PollFor(2000, [&] {
    POINT at{};
    return GetCursorPos(&at) && at.x == x && at.y == y;
  });
  if (!moved) return Fail(L"the pointer did not move");
  Sleep(200);
  CURSORINFO info{sizeof(info)};
  if (!GetCursorInfo(&info)) return Fail(L"GetCursorInfo failed");
  // Pointer handles belong to the process that loaded them: only whether two
  // places show the same pointer can be compared.
  Print(Number(reinterpret_cast<uintptr_t>(info.hCursor)));
  return 0;
}

int Scroll(HWND bar, int code, int position) {
  const bool vertical = (GetWindowLongW(bar, GWL_STYLE) & SBS_VERT) != 0;
  const WPARAM what = MAKEWPARAM(code, position);
  return Post(GetParent(bar), vertical ? WM_VSCROLL : WM_HSCROLL, what, reinterpret_cast<LPARAM>(bar))
             ? 0
             : Fail(L"post failed");
}

// --- host -------------------------------------------------------------------

constexpr UINT kDestroyHost = WM_APP + 1;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kDestroyHost:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

// Reads stdin on its own thread so the window's message loop keeps running;
// "destroy" or the end of input ends the host.
DWORD WINAPI ReadCommands(void* hwnd) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::string line;
  char c = 0;
  DWORD read = 0;
  while (ReadFile(input, &c, 1, &read, nullptr) && read == 1) {
    if (c != '\n') {
      if (c != '\r') line += c;
      continue;
    }
    if (line == "destroy") break;
    line.clear();
  }
  PostMessageW(static_cast<HWND>(hwnd), kDestroyHost, 0, 0);
  return 0;
}

int Host(int width, int height, const wchar_t* title) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = HostProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"GyrafotoTestHost";
  RegisterClassW(&window_class);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, window_class.lpszClassName, title, style, 40, 40, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, window_class.hInstance, nullptr);
  if (!hwnd) return Fail(L"CreateWindowEx failed");
  // The frame sizes Windows assumes and the ones it draws can differ: correct
  // by what the client area actually came out as.
  RECT client{};
  GetClientRect(hwnd, &client);
  SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + width - client.right,
               frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  Print(Number(hwnd));
  CloseHandle(CreateThread(nullptr, 0, ReadCommands, hwnd, 0, nullptr));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int Usage() {
  return Fail(L"usage: drive find|wait|gone|waitprefix|waitchild|list|info|children|click|key|close|text|settext|"
              L"gettext|button|cursor|pointer|scroll|tree|release|host ...");
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"list") {
    for (HWND hwnd : TopLevelWindows()) {
      if (IsWindowVisible(hwnd)) Print(Info(hwnd));
    }
    return 0;
  }
  if (command == L"cursor") return Cursor();
  if (argc < 3) return Usage();
  const HWND hwnd = ParseHwnd(argv[2]);
  if (command == L"find") {
    Print(Number(FindTitled(argv[2], false)));
    return 0;
  }
  if (command == L"pointer" && argc >= 4) {
    return Pointer(static_cast<int>(ParseLong(argv[2])), static_cast<int>(ParseLong(argv[3])));
  }
  if (command == L"info") {
    Print(Info(hwnd));
    return 0;
  }
  if (command == L"children") {
    for (HWND child : DirectChildren(hwnd)) Print(Info(child));
    return 0;
  }
  if (command == L"tree") {
    EnumChildWindows(hwnd, PrintInfo, 0);
    return 0;
  }
  if (command == L"close") return Post(hwnd, WM_CLOSE, 0, 0) ? 0 : Fail(L"post failed");
  if (command == L"text") return Text(hwnd);
  if (command == L"click") return Click(hwnd, argc, argv);
  if (command == L"gettext") return GetText(hwnd);
  if (command == L"release") {
    return HoldProcess(static_cast<DWORD>(ParseLong(argv[2])), false) ? 0 : Fail(L"cannot release the process");
  }
  if (argc < 4) return Usage();
  const std::wstring title = argv[2];
  const long number = ParseLong(argv[3]);
  if (command == L"wait") return Found(PollFor(number, [&] { return FindTitled(title, true); }));
  if (command == L"waitprefix" && argc < 5) {
    return Found(PollFor(number, [&] { return FindTitled(title, true, true); }));
  }
  if (command == L"waitprefix") {
    // A caption that counts may change every few milliseconds.
    Print(L"watching");
    const HWND found = PollFor(number, [&] { return FindTitled(title, false, true); }, 1);
    if (!found) return Found(found);
    if (std::wstring(argv[4]) != L"hold") {
      const int failed = Key(found, static_cast<UINT>(ParseLong(argv[4])));
      return failed ? failed : Found(found);
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    return HoldProcess(pid, true) ? Found(found) : Fail(L"cannot hold the process");
  }
  if (command == L"waitchild") return Found(PollFor(number, [&] { return FirstReadyChild(hwnd); }));
  if (command == L"gone") {
    return PollFor(number, [&] { return FindTitled(title, false) == nullptr; }) ? 0 : 1;
  }
  if (command == L"key") return Key(hwnd, static_cast<UINT>(number));
  if (command == L"settext") return SetText(hwnd, argv[3]);
  if (command == L"button") return Button(hwnd, static_cast<int>(number));
  if (command == L"scroll") {
    return Scroll(hwnd, static_cast<int>(number), argc >= 5 ? static_cast<int>(ParseLong(argv[4])) : 0);
  }
  if (command == L"host") return Host(static_cast<int>(ParseLong(argv[2])), static_cast<int>(number),
                                      argc >= 5 ? argv[4] : L"Gyrafoto Test Host");
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return Run(argc, argv); }
