// Windows layer: a push button made of a face picture drawn into a
// container (like a windowless image) and a transparent caption label over
// it. The label takes the mouse: the face goes down on a press and up again
// on the release, which then acts. Disabled, the caption is greyed and the
// button ignores the mouse.
#pragma once

#include <functional>
#include <string>

#include "toolkit/container.h"
#include "toolkit/label.h"

namespace gyra {

class PushButton {
 public:
  struct Faces {
    HBITMAP up = nullptr;  // the caller keeps both alive
    HBITMAP down = nullptr;
  };

  // The face's corner at (left, top) of the container; the caption label of
  // label_width x label_height lies `inset` right of and below it.
  bool Create(Container& container, int left, int top, const Faces& faces, int inset, int label_width,
              int label_height, const std::wstring& caption, const LabelStyle& style);

  void Enable(bool enabled) { label_.Enable(enabled); }
  bool enabled() const { return label_.enabled(); }
  void ShowFace(bool down);
  Label& label() { return label_; }

  // After the release, once the face is drawn up again.
  std::function<void()> on_release;

 private:
  Container* container_ = nullptr;
  Faces faces_;
  RECT face_{0, 0, 0, 0};
  Label label_;
};

}  // namespace gyra
