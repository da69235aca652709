// Windows layer: a scroll bar with the range rules of a Basic scroll bar:
// the top (or left) end is `min`, which may be larger than `max`; an arrow
// moves the value by the small step towards its end, a click in the track by
// the large step; a value outside the range cannot be assigned. Ranges up
// to 65535 wide (a dragged thumb's position comes in 16 bits).
#pragma once

#include <functional>

#include "toolkit/native_control.h"

namespace gyra {

class ScrollBar : public NativeControl {
 public:
  bool Create(HWND parent, int left, int top, int width, int height, bool vertical);

  // The value is pulled into the new range (and reported) if it left it.
  void SetRange(int min, int max);
  void SetSteps(int small_step, int large_step);
  // False, and nothing changes, when the value lies outside the range.
  bool SetValue(int value);
  int value() const { return value_; }
  int min() const { return min_; }
  int max() const { return max_; }

  // A new value by the user or by SetValue, and the end of every drag.
  std::function<void()> on_change;
  // The thumb is being dragged; value() follows it.
  std::function<void()> on_scroll;

 protected:
  void OnNotify(UINT message, WPARAM wparam) override;

 private:
  int Span() const;
  int Position() const;  // 0 at min, Span() at max
  // Reports only a changed value.
  void MoveTo(int position, const std::function<void()>& report);
  void ShowPosition();

  int min_ = 0;
  int max_ = 0;
  int value_ = 0;
  int small_step_ = 1;
  int large_step_ = 1;
};

}  // namespace gyra
