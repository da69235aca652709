#include "toolkit/combo_box.h"

namespace gyra {

namespace {

constexpr wchar_t kComboProperty[] = L"GyrafotoCombo";

}  // namespace

bool ComboBox::Create(HWND parent, int left, int top, int width, int height, int list_height, HFONT font) {
  if (!CreateNative(L"COMBOBOX", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, parent,
                    left, top, width, height + list_height))
    return false;
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The closed box's height follows its selection field: grow or shrink
  // that field by what the box is off. How a field height becomes a box
  // height differs between systems (under Wine one correction leaves the box
  // 2 px too tall), so the box is measured again until it fits.
  LRESULT field = SendMessageW(hwnd(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int pass = 0; pass < 3; ++pass) {
    RECT closed;
    GetWindowRect(hwnd(), &closed);
    const int off = height - (closed.bottom - closed.top);
    if (off == 0) break;
    field += off;
    SendMessageW(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }

  COMBOBOXINFO info{sizeof(info)};
  if (GetComboBoxInfo(hwnd(), &info) && info.hwndItem) {
    edit_ = info.hwndItem;
    SetPropW(edit_, kComboProperty, this);
    edit_procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProcedure)));
  }
  return true;
}

void ComboBox::AddItem(const std::wstring& text) {
  SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::SetText(const std::wstring& text) { SetWindowTextW(hwnd(), text.c_str()); }

std::wstring ComboBox::text() const {
  std::wstring text(GetWindowTextLengthW(hwnd()) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size())));
  return text;
}

void ComboBox::OnNotify(UINT message, WPARAM wparam) {
  if (message == WM_COMMAND && HIWORD(wparam) == CBN_SELCHANGE && on_click) on_click();
}

LRESULT CALLBACK ComboBox::EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = static_cast<ComboBox*>(GetPropW(edit, kComboProperty));
  if (!self) return DefWindowProcW(edit, message, wparam, lparam);
  const WNDPROC original = self->edit_procedure_;
  if (message == WM_KEYDOWN && self->on_key_down) self->on_key_down();
  if (message == WM_NCDESTROY) {
    RemovePropW(edit, kComboProperty);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  }
  return CallWindowProcW(original, edit, message, wparam, lparam);
}

}  // namespace gyra
