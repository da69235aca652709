// Windows layer: a label. One line of text in a font of the caller's,
// either on a background colour of its own or transparent over the picture
// of the container it lies on (showing whatever was drawn there); a caption
// a few pixels too wide for its label is set closer, not cut. A disabled
// label shows its caption greyed and ignores the mouse. A label keeps the
// mouse from a press to the release, as a button would.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "toolkit/container.h"
#include "toolkit/window.h"

namespace gyra {

struct LabelStyle {
  HFONT font = nullptr;                   // the caller keeps it alive
  COLORREF colour = RGB(0, 0, 0);
  std::optional<COLORREF> background;     // nothing: transparent
  UINT align = DT_LEFT;                   // DT_LEFT, DT_CENTER or DT_RIGHT, and DT_BOTTOM
  bool boxed = false;                     // a thin sunken frame
  bool path_ellipsis = false;             // shorten a long path in its middle
};

class Label : public Window {
 public:
  // A width or height of 0 takes the caption's size (and follows it).
  bool Create(Container& container, int left, int top, int width, int height, const std::wstring& caption,
              const LabelStyle& style);

  void SetCaption(const std::wstring& caption);
  std::wstring caption() const;
  void Enable(bool enabled);
  bool enabled() const;
  void Show(bool visible);

  // Any mouse button; the release comes to the label that had the press,
  // wherever the pointer is then.
  std::function<void()> on_mouse_down;
  std::function<void()> on_mouse_up;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void FitToCaption();
  void Paint(HDC dc);

  Container* container_ = nullptr;
  LabelStyle style_;
  bool fit_width_ = false;
  bool fit_height_ = false;
  bool pressed_ = false;
};

}  // namespace gyra
