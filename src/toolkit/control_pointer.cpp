#include "toolkit/control_pointer.h"

#include "toolkit/screen_pointer.h"

namespace gyra {

namespace {

constexpr wchar_t kPointerProperty[] = L"GyrafotoPointer";

}  // namespace

void SetControlPointer(HWND control, HCURSOR pointer) { SetPropW(control, kPointerProperty, pointer); }

bool ShowControlPointer(HWND under_mouse, HWND container) {
  if (ShowScreenPointer(under_mouse)) return true;
  for (HWND w = under_mouse; w && w != container; w = GetParent(w)) {
    if (HANDLE pointer = GetPropW(w, kPointerProperty)) {
      SetCursor(static_cast<HCURSOR>(pointer));
      return true;
    }
  }
  return false;
}

}  // namespace gyra
