// Which frame each step of the display shows. Portable: plain counting.
#pragma once

#include <cstdint>

namespace gyra {

// The turning picture's frame order: ascending 1, 2, ..., count, 1, ... for
// turn_left 0 and descending count, count - 1, ..., 1, count, ... for any
// other value. The cycle starts just outside the range so that the first
// Next() gives frame 1 or frame count.
class FrameCycle {
 public:
  FrameCycle(int16_t frame_count, int16_t turn_left);

  // Advances the current frame and returns it: the frame (1 ... frame count) to draw.
  // With no frames at all it returns 0, which names no frame.
  int16_t Next();

 private:
  int16_t count_;
  bool descending_;
  // Kept wider than 16 bits: the descending start is frame count + 1, which
  // does not fit when frame count is 32767.
  int32_t current_;
};

}  // namespace gyra
