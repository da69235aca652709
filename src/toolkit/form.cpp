#include "toolkit/form.h"

namespace gyra {

namespace {

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
  auto* disabled = reinterpret_cast<std::vector<HWND>*>(param);
  if (IsWindowEnabled(hwnd) && IsWindowVisible(hwnd)) {
    EnableWindow(hwnd, FALSE);
    disabled->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

void Form::Show() {
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
}

void Form::ShowModal() {
  EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&disabled_));
  if (const HWND owner = GetWindow(hwnd(), GW_OWNER); owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabled_.push_back(owner);
  }
  Show();
  MSG msg;
  while (hwnd()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  EnableDisabled();  // when the form went some other way than Unload
}

void Form::Unload() {
  EnableDisabled();
  Destroy();
}

void Form::EnableDisabled() {
  for (HWND w : disabled_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  disabled_.clear();
}

void Form::FitClientAndCentre(int width, int height) {
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, GetWindowLongW(hwnd(), GWL_STYLE), FALSE, GetWindowLongW(hwnd(), GWL_EXSTYLE));
  int outer_width = outer.right - outer.left;
  int outer_height = outer.bottom - outer.top;
  SetBounds(0, 0, outer_width, outer_height);
  // The caption may wrap the menu bar or the theme may differ from what
  // AdjustWindowRectEx assumes: correct by what the client area became.
  RECT client;
  GetClientRect(hwnd(), &client);
  outer_width += width - client.right;
  outer_height += height - client.bottom;
  const RECT place = CentredOver(GetWindow(hwnd(), GW_OWNER), outer_width, outer_height);
  SetBounds(place.left, place.top, outer_width, outer_height);
}

RECT Form::CentredOver(HWND window, int width, int height) {
  MONITORINFO monitor{.cbSize = sizeof(MONITORINFO)};
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
    monitor.rcWork = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const RECT& area = monitor.rcWork;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace gyra
