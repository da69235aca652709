// How far a decoder that scales while it decodes (a JPEG decoder's 1/2, 1/4
// and 1/8, straight from the coefficients) may reduce a large picture that is
// then scaled on to a smaller size by picking pixels. Portable.
#pragma once

#include "render/picture_size.h"

namespace gyra {

// The picture's size reduced by the largest of 1/1, 1/2, 1/4 and 1/8 (each
// side rounded up, as the decoders round it) that still leaves at least
// `needed`'s columns and rows, so that picking pixels down to `needed` finds
// a pixel of its own for every one it takes.
DecodeSize ReducedDecodeSize(DecodeSize picture, DecodeSize needed);

}  // namespace gyra
