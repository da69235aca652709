// How far a large picture may be reduced while it is decoded, so that a huge
// photo never has to be held at its own size: the frames take a strip only
// 2N pixels high from it, and the dialog's preview 100 pixels. Decoders that
// can reduce as they decode (libjpeg-turbo from the coefficients, libwebp and
// libpng row by row) scale by eighths. Portable.
#pragma once

#include <cstdint>

#include "render/render_plan.h"

namespace gyra {

// The side of a picture `side` pixels long decoded at `eighths` / 8, rounded
// up as libjpeg-turbo rounds it.
int64_t ScaledSide(int64_t side, int eighths);

// The scale, in eighths from 1 to 8, to decode a width x height picture (as
// seen upright) at for a run with these options: 8, its own size, for a
// picture of at most kMaxDecodedPixels, so that its frames stay exactly as
// they are; above that, the smallest scale at which the picture still has
// at least as many columns and rows as the strip takes from it (plain: 2N
// rows; stretched: 4N x 2N; trimmed: 4N columns, the band being half as high
// as wide). The preview's 100 pixels always remain: such a picture's longer
// side is over 4096 pixels.
int DecodeEighths(int64_t width, int64_t height, const RenderOptions& options);

}  // namespace gyra
