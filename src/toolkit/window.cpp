#include "toolkit/window.h"

#include <map>
#include <utility>

namespace gyra {

HWND WindowFromNumber(uint32_t number) {
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<int32_t>(number)));
}

// One window class per (background, icon) pair, registered on first use; all
// of them route messages to the owning Window object.
const wchar_t* Window::ClassFor(HBRUSH background, HICON icon) {
  static std::map<std::pair<HBRUSH, HICON>, std::wstring> classes;
  auto& name = classes[{background, icon}];
  if (name.empty()) {
    name = L"GyrafotoWindow" + std::to_wstring(classes.size());
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
  }
  return name.c_str();
}

Window::~Window() { Destroy(); }

bool Window::Create(const WindowOptions& options) {
  const RECT& b = options.bounds;
  CreateWindowExW(options.ex_style, ClassFor(options.background, options.icon), options.title.c_str(), options.style, b.left,
                  b.top, b.right - b.left, b.bottom - b.top, options.parent, nullptr, GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Window::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetTitle(const std::wstring& title) { SetWindowTextW(hwnd_, title.c_str()); }

LRESULT Window::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return Default(message, wparam, lparam);
}

LRESULT Window::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return self->OnMessage(message, wparam, lparam);
}

}  // namespace gyra
