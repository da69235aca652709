// Windows layer: drawing a bitmap at its own size.
#pragma once

#include <windows.h>

namespace gyra {

// 0 x 0 when the handle is no bitmap.
SIZE BitmapSize(HBITMAP bitmap);

// Copies the whole bitmap onto the target with its top-left corner at (left, top).
void DrawBitmap(HDC target, HBITMAP bitmap, int left, int top);

}  // namespace gyra
