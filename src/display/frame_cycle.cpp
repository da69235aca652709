#include "display/frame_cycle.h"

namespace gyra {

FrameCycle::FrameCycle(int16_t frame_count, int16_t turn_left)
    : count_(frame_count),
      descending_(turn_left != 0),
      current_(descending_ ? int32_t{frame_count} + 1 : 0) {}

int16_t FrameCycle::Next() {
  if (count_ < 1) return 0;
  if (descending_) {
    --current_;
    if (current_ == 0) current_ = count_;
  } else {
    ++current_;
    if (current_ > count_) current_ = 1;
  }
  return static_cast<int16_t>(current_);
}

}  // namespace gyra
