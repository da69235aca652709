// Windows layer: the display's drawing surface.
// Each step's picture is put together off screen and then shown in one
// piece, so the screen never shows a half-drawn step.
#pragma once

#include <functional>

#include "display/win32/frame_images.h"
#include "toolkit/picture_surface.h"

namespace gyra {

class DisplaySurface : public PictureSurface {
 public:
  // Receives the surface's mouse-button and mouse-move messages.
  using MouseHandler = std::function<void(UINT message, LPARAM lparam)>;
  void OnMouse(MouseHandler handler) { on_mouse_ = std::move(handler); }

  // Shows frame `frame` of frames alone on black, with its top-left corner
  // at (left, top).
  void ShowFrame(FrameImages& frames, int16_t frame, int left, int top);

  // Shows the text alone on black, in white, centred in `area`.
  void ShowText(const wchar_t* text, const RECT& area);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Puts the changed rectangle of the picture on the screen at once.
  void Present(const RECT& changed);

  MouseHandler on_mouse_;
  // Where the picture shown now lies; everything else is black.
  RECT shown_{0, 0, 0, 0};
};

}  // namespace gyra
