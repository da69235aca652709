// Windows layer: the base of every window of the program. A Window owns one
// HWND and receives its messages through OnMessage; the forms and controls
// derive from it and handle what they need, passing the rest to Default.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace gyra {

struct WindowOptions {
  std::wstring title;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  RECT bounds{0, 0, 0, 0};  // outer rectangle (screen or parent client pixels)
  HWND parent = nullptr;
  HBRUSH background = nullptr;  // nullptr: the window paints everything itself
  HICON icon = nullptr;
};

// A window handle given as a number, as on the screen-saver host's command
// line: handles are 32-bit values, sign-extended on 64-bit Windows.
HWND WindowFromNumber(uint32_t number);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  // Creates the window, not shown unless options.style has WS_VISIBLE.
  bool Create(const WindowOptions& options);
  void Destroy();
  HWND hwnd() const { return hwnd_; }

  void SetBounds(int left, int top, int width, int height);
  void SetTitle(const std::wstring& title);

 protected:
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static const wchar_t* ClassFor(HBRUSH background, HICON icon);
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
};

}  // namespace gyra
