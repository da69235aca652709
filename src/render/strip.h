// The picture strip the frames are cut from: the picture scaled to
// round(strip_width) x 2N, followed by a copy of its own first 2N columns so the
// last windows run on into the beginning. Portable: the scaling is done here,
// not by the system, so every platform makes the same frames.
#pragma once

#include "core/surface.h"
#include "render/render_plan.h"

namespace gyra {

// Nearest-neighbour scaling that drops or repeats whole pixels, never blends
// (as the COLORONCOLOR stretch mode). Destination column i (0 <= i < dst_width)
// takes source column from.x + floor((2i + 1) * from.width / (2 * dst_width)),
// the source pixel under the destination pixel's centre; rows likewise, both
// counted from the top, the destination's rows filling its whole height.
// Columns of dst from dst_width on are not touched. `from` must lie inside src.
void ScaleNearest(ConstSurfaceView src, PictureRect from, SurfaceView dst, int dst_width);

// The strip of a plan, (strip_pixels + 2N) x 2N. Where the scaled picture is
// narrower than 2N, the copied beginning is followed by black.
Surface BuildWorkStrip(ConstSurfaceView picture, const RenderPlan& plan);

}  // namespace gyra
