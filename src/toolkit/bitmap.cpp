#include "toolkit/bitmap.h"

namespace gyra {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(bm), &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight};
}

void DrawBitmap(HDC target, HBITMAP bitmap, int left, int top) {
  const SIZE size = BitmapSize(bitmap);
  if (size.cx == 0) return;
  HDC source = CreateCompatibleDC(target);
  const HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(target, left, top, size.cx, size.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace gyra
