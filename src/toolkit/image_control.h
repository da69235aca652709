// Windows layer: a child window that shows a picture at its own size in its
// top-left corner; the rest of the control shows the background colour.
#pragma once

#include "toolkit/window.h"

namespace gyra {

class ImageControl : public Window {
 public:
  ~ImageControl() override;
  bool Create(HWND parent, int left, int top, int width, int height, COLORREF background);
  // Takes ownership of the bitmap (nullptr clears the picture).
  void SetPicture(HBITMAP picture);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);

  HBITMAP picture_ = nullptr;
  HBRUSH background_ = nullptr;
};

}  // namespace gyra
