// Windows bitmap files from surfaces, portable: 24 bits per pixel,
// uncompressed, bottom-up, every row padded to a multiple of 4 bytes.
#pragma once

#include <string>

#include "core/surface.h"

namespace gyra {

// The whole file as bytes; the reserved byte of each pixel is dropped.
std::string EncodeBmp(ConstSurfaceView surface);

}  // namespace gyra
