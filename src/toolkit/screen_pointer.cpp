#include "toolkit/screen_pointer.h"

#include <windows.h>

namespace gyra {

namespace {

ScreenPointer current = ScreenPointer::kDefault;

HCURSOR CursorFor(ScreenPointer pointer) {
  return LoadCursorW(nullptr, pointer == ScreenPointer::kHourglass ? IDC_WAIT : IDC_ARROW);
}

}  // namespace

void SetScreenPointer(ScreenPointer pointer) {
  current = pointer;
  SetCursor(CursorFor(pointer));
}

ScreenPointer CurrentScreenPointer() { return current; }

bool ShowScreenPointer() {
  if (current == ScreenPointer::kDefault) return false;
  SetCursor(CursorFor(current));
  return true;
}

}  // namespace gyra
