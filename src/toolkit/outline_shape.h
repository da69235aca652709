// Windows layer: a rectangle outline over a picture box (a band marking part
// of a picture). A child window shaped to its frame: only the frame covers
// the picture, and the mouse goes through it. The line is dashed in two
// colours, so that it shows on any picture (the same colour twice: solid).
#pragma once

#include "toolkit/window.h"

namespace gyra {

class OutlineShape : public Window {
 public:
  bool Create(HWND parent, int left, int top, int width, int height, COLORREF dash, COLORREF gap,
              bool visible);
  // The outline's outer rectangle, in the parent's client pixels; the top
  // may lie above the parent.
  void Place(int left, int top, int width, int height);
  void Show(bool visible);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc, const RECT& area);

  COLORREF dash_ = 0;
  COLORREF gap_ = 0;
};

}  // namespace gyra
