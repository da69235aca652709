// Windows layer: a combo box: an edit field with a drop-down list.
#pragma once

#include <functional>
#include <string>

#include "toolkit/native_control.h"

namespace gyra {

class ComboBox : public NativeControl {
 public:
  // width x height is the closed box; the open list is list_height high.
  bool Create(HWND parent, int left, int top, int width, int height, int list_height, HFONT font);
  void AddItem(const std::wstring& text);
  void SetText(const std::wstring& text);
  std::wstring text() const;

  // An entry chosen from the list.
  std::function<void()> on_click;
  // Any key pressed in the edit field.
  std::function<void()> on_key_down;

 protected:
  void OnNotify(UINT message, WPARAM wparam) override;

 private:
  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);

  HWND edit_ = nullptr;
  WNDPROC edit_procedure_ = nullptr;
};

}  // namespace gyra
