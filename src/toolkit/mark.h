// Windows layer: a mark, a small picture swapped between two states (an
// option or a check mark) that reports presses. The pictures are the
// caller's and are shared between marks.
#pragma once

#include <functional>
#include <span>

#include "toolkit/window.h"

namespace gyra {

class Mark : public Window {
 public:
  // Sized to the pictures; shows `off` until SetOn.
  bool Create(HWND parent, int left, int top, HBITMAP off, HBITMAP on);
  void SetOn(bool on);
  bool on() const { return on_; }

  // Any mouse button; once per double click.
  std::function<void()> on_mouse_down;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HBITMAP off_ = nullptr;
  HBITMAP on_picture_ = nullptr;
  bool on_ = false;
};

// A one-of-N group: the mark at index `chosen` shows on, every other off
// (all of them for an index outside the group).
void ShowChosen(std::span<Mark> group, int chosen);

}  // namespace gyra
