#include "toolkit/native_control.h"

namespace gyra {

namespace {

constexpr wchar_t kWrapperProperty[] = L"GyrafotoControl";

}  // namespace

NativeControl::~NativeControl() {
  if (hwnd_ && IsWindow(hwnd_)) {
    RemovePropW(hwnd_, kWrapperProperty);
    DestroyWindow(hwnd_);
  }
}

bool NativeControl::CreateNative(const wchar_t* window_class, DWORD style, HWND parent, int left, int top,
                                 int width, int height) {
  hwnd_ = CreateWindowExW(0, window_class, L"", WS_CHILD | style, left, top, width, height, parent, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SetPropW(hwnd_, kWrapperProperty, this);
  return true;
}

void NativeControl::Enable(bool enabled) { EnableWindow(hwnd_, enabled); }

bool NativeControl::enabled() const { return IsWindowEnabled(hwnd_); }

void NativeControl::Show(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

bool NativeControl::Reflect(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND control = reinterpret_cast<HWND>(lparam);
  if (!control) return false;  // menus, accelerators and window scroll bars
  auto* wrapper = static_cast<NativeControl*>(GetPropW(control, kWrapperProperty));
  if (!wrapper) return false;
  wrapper->OnNotify(message, wparam);
  return true;
}

}  // namespace gyra
