#include "toolkit/scroll_bar.h"

#include <algorithm>
#include <cstdlib>

namespace gyra {

bool ScrollBar::Create(HWND parent, int left, int top, int width, int height, bool vertical) {
  if (!CreateNative(L"SCROLLBAR", WS_VISIBLE | (vertical ? SBS_VERT : SBS_HORZ), parent, left, top, width, height))
    return false;
  ShowPosition();
  return true;
}

int ScrollBar::Span() const { return std::abs(max_ - min_); }

int ScrollBar::Position() const { return max_ >= min_ ? value_ - min_ : min_ - value_; }

void ScrollBar::ShowPosition() {
  SCROLLINFO info{sizeof(info)};
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = Span();
  info.nPage = 0;
  info.nPos = Position();
  SetScrollInfo(hwnd(), SB_CTL, &info, TRUE);
}

void ScrollBar::MoveTo(int position, const std::function<void()>& report) {
  position = std::clamp(position, 0, Span());
  const int value = max_ >= min_ ? min_ + position : min_ - position;
  if (value == value_) return;
  value_ = value;
  ShowPosition();
  if (report) report();
}

void ScrollBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  const int low = std::min(min, max);
  const int high = std::max(min, max);
  if (value_ < low || value_ > high) {
    value_ = std::clamp(value_, low, high);
    ShowPosition();
    if (on_change) on_change();
  } else {
    ShowPosition();
  }
}

void ScrollBar::SetSteps(int small_step, int large_step) {
  small_step_ = small_step;
  large_step_ = large_step;
}

bool ScrollBar::SetValue(int value) {
  if (value < std::min(min_, max_) || value > std::max(min_, max_)) return false;
  if (value == value_) return true;
  value_ = value;
  ShowPosition();
  if (on_change) on_change();
  return true;
}

void ScrollBar::OnNotify(UINT, WPARAM wparam) {
  const int at = Position();
  switch (LOWORD(wparam)) {
    case SB_LINEUP:
      return MoveTo(at - small_step_, on_change);
    case SB_LINEDOWN:
      return MoveTo(at + small_step_, on_change);
    case SB_PAGEUP:
      return MoveTo(at - large_step_, on_change);
    case SB_PAGEDOWN:
      return MoveTo(at + large_step_, on_change);
    case SB_TOP:
      return MoveTo(0, on_change);
    case SB_BOTTOM:
      return MoveTo(Span(), on_change);
    case SB_THUMBTRACK:
      return MoveTo(HIWORD(wparam), on_scroll);
    case SB_THUMBPOSITION:
      // The end of a drag reports the value even when the drag came back to it.
      MoveTo(HIWORD(wparam), nullptr);
      if (on_change) on_change();
      return;
    default:
      return;
  }
}

}  // namespace gyra
