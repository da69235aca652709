#include "display/frame_cycle.h"

namespace gyra {

FrameCycle::FrameCycle(int16_t file_count, int16_t kaiten_ptn)
    : count_(file_count),
      descending_(kaiten_ptn != 0),
      cur_frame_(descending_ ? int32_t{file_count} + 1 : 0) {}

int16_t FrameCycle::Next() {
  if (count_ < 1) return 0;
  if (descending_) {
    --cur_frame_;
    if (cur_frame_ == 0) cur_frame_ = count_;
  } else {
    ++cur_frame_;
    if (cur_frame_ > count_) cur_frame_ = 1;
  }
  return static_cast<int16_t>(cur_frame_);
}

}  // namespace gyra
