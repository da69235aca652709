#include "toolkit/form.h"

#include <vector>

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
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&disabled));
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
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

RECT Form::CentredOnScreen(int width, int height) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace gyra
