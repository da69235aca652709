// The rotation transform of a rendering run, fast. Where a sample of
// MapOntoSphere lands depends only on the radius, never on the picture, so the
// mapping is resolved once (which source pixel finally ends up in each frame
// pixel, later samples winning) and every frame is then a gather from the
// picture strip. The frames are bit for bit those of MapOntoSphere with
// RunSphereArgs(N) over the strip window. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/surface.h"

namespace gyra {

// For each pixel of the 2N x 2N frame, in surface order (bottom-up), the
// source grid cell whose sample is the last to land on it, as
// column + row * (2N + 1); -1 where no sample lands or the last one read grid
// row 0, which holds no picture data (black). Nothing should a sample land
// outside the frame, which the sphere's geometry rules out for every radius.
std::optional<std::vector<int32_t>> ResolveSphereSamples(int radius);

class SphereGather {
 public:
  // For frames of radius N cut from strips strip_width pixels wide and 2N high;
  // nothing when ResolveSphereSamples refuses the radius.
  static std::optional<SphereGather> For(int radius, int strip_width);

  // Draws the frame whose 2N x 2N source window starts at column strip_position of
  // the strip (strip_position + 2N <= strip width). The frame must be 2N x 2N.
  void Render(ConstSurfaceView strip, int strip_position, SurfaceView frame) const;

 private:
  explicit SphereGather(std::vector<int32_t> offsets) : offsets_(std::move(offsets)) {}

  std::vector<int32_t> offsets_;  // into the strip from the window's left edge; -1 black
};

}  // namespace gyra
