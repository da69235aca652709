// The numbers of a rendering run, worked out before any pixel is touched or
// file deleted: strip size, the part of the picture that fills the strip, the
// window shift and every window position. Sizes and runs that cannot work are
// refused here, with a reason, instead of producing black or endless runs.
// Portable.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

namespace gyra {

struct RenderOptions {
  int radius = 100;   // N: the ball's radius; frames are 2N x 2N
  int frame_count = 64;  // frames per turn requested
  int stretch = 0;    // 1: the whole picture is stretched to a 2 : 1 strip
  int trim = 0;       // 1: a band of the picture (half as high as wide) fills the strip
  int trim_top = 0;        // the band's top, in hundredths of the picture's height
};

enum class RenderStatus {
  kDone,                  // every frame delivered (and saved)
  kCancelled,             // stopped on request after the frames delivered so far
  kFrameNotSaved,         // a frame file could not be written; the run stopped there
  kFolderNotCleared,      // the frame folder could not be listed or an old frame not deleted
  kBadRadius,             // not 1 .. 32767
  kBadFrameCount,         // not 1 .. 32767
  kBadTrimBand,           // the band starts above or below the picture, or is empty
  kWindowDoesNotAdvance,  // the shift per frame rounds to 0: the run would never end
  kStripTooWide,          // a window position would not fit the 16-bit strip_position
  kTooLarge,              // the strip or a frame is too large a surface
};

// A rectangle of the picture, y counted from its top row.
struct PictureRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

struct RenderPlan {
  RenderOptions options;
  float strip_width = 0;                 // 4N, or the picture's width at height 2N
  int strip_height = 0;                   // 2N
  float frame_step = 0;              // strip_width / frame_count
  int strip_pixels = 0;              // round(strip_width): columns the picture is scaled to
  PictureRect source;                // the part of the picture scaled into the strip
  std::vector<int16_t> positions;    // strip_position of frames 1, 2, ... (one per frame)
};

// strip_width of the picture: 4N when stretching or trimming, else
// PicW / PicH x 2N formed in double and kept in single precision.
float StripWidth(int picture_width, int picture_height, const RenderOptions& options);

// The band a trimming run scales: full width, from T0 = round(trim_top x PicH)
// \ 100 down, PicW \ 2 high but cut at the picture's bottom.
PictureRect TrimBand(int picture_width, int picture_height, int trim_top);

// Window positions 0, round(0 + frame_step), ... while below strip_width, each
// sum formed in single precision and rounded ties-to-even to 16 bits.
std::variant<std::vector<int16_t>, RenderStatus> WindowPositions(float strip_width, float frame_step);

std::variant<RenderPlan, RenderStatus> PlanRender(int picture_width, int picture_height, const RenderOptions& options);

}  // namespace gyra
