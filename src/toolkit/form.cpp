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

RECT Form::CentredOnScreen(int width, int height) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace gyra
