#include "toolkit/screen_pointer.h"

namespace gyra {

namespace {

// Kept on the root owner, so that the windows it owns see it too.
constexpr wchar_t kHourglassProperty[] = L"GyrafotoHourglass";

HCURSOR CursorFor(ScreenPointer pointer) {
  return LoadCursorW(nullptr, pointer == ScreenPointer::kHourglass ? IDC_WAIT : IDC_ARROW);
}

HWND Keeper(HWND window) { return window ? GetAncestor(window, GA_ROOTOWNER) : nullptr; }

}  // namespace

void SetScreenPointer(HWND window, ScreenPointer pointer) {
  if (HWND keeper = Keeper(window)) {
    if (pointer == ScreenPointer::kHourglass) SetPropW(keeper, kHourglassProperty, keeper);
    else RemovePropW(keeper, kHourglassProperty);
  }
  SetCursor(CursorFor(pointer));
}

bool ShowScreenPointer(HWND window) {
  HWND keeper = Keeper(window);
  if (!keeper || !GetPropW(keeper, kHourglassProperty)) return false;
  SetCursor(CursorFor(ScreenPointer::kHourglass));
  return true;
}

}  // namespace gyra
