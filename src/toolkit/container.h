// Windows layer: a picture box that holds controls. Its persistent picture
// lies under its children without painting over them, it can carry the 2-px
// sunken edge of a bordered box, it hands the notifications of the system's
// controls on it back to their wrappers, and it shows its controls' own
// pointers. Pictures drawn into it at natural size stand for windowless
// image controls: transparent labels over it show them as their background.
#pragma once

#include "toolkit/picture_surface.h"

namespace gyra {

class Container : public PictureSurface {
 public:
  // width x height is the outer size; a sunken edge takes 2 px on each side
  // from the client area and the picture. A bordered container keeps its
  // size: Resize only the plain ones.
  bool Create(HWND parent, int left, int top, int width, int height, bool sunken_edge);

  // Copies a picture at its own size into the picture at (left, top).
  void DrawPicture(HBITMAP picture, int left, int top);

  // Repaints the area (client pixels) from the picture, and the children
  // over it, at once.
  void RefreshArea(const RECT& area);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace gyra
