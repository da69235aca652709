// Windows layer: the base of the wrappers round the system's own controls
// (scroll bar, combo box). Such a control reports its events to its parent
// window in WM_COMMAND, WM_HSCROLL or WM_VSCROLL; the parent (a Container)
// hands them back with Reflect to the wrapper attached to the control.
#pragma once

#include <windows.h>

namespace gyra {

class NativeControl {
 public:
  NativeControl() = default;
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;
  virtual ~NativeControl();

  HWND hwnd() const { return hwnd_; }
  void Enable(bool enabled);
  bool enabled() const;
  void Show(bool visible);

  // For the parent window: passes a control's notification on to its
  // wrapper. False when lparam is not a wrapped control.
  static bool Reflect(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // A child of `parent` with the outer rectangle left, top, width, height.
  bool CreateNative(const wchar_t* window_class, DWORD style, HWND parent, int left, int top, int width,
                    int height);
  virtual void OnNotify(UINT message, WPARAM wparam) = 0;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace gyra
