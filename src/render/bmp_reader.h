// Windows bitmap files read as GDI reads them, portable and pure over bytes,
// so that a renderer without GDI gives the frames the rendering window gives.
#pragma once

#include <optional>
#include <string_view>

#include "core/surface.h"

namespace gyra {

// The picture of a BMP file: 1, 4 and 8 bits through the colour table; 16
// and 32 bits with the default masks or BI_BITFIELDS; 24 bits; rows
// bottom-up or top-down; 4 and 8 bits run-length compressed, bottom-up. The
// fourth byte of a 32-bit pixel is ignored, as GDI ignores it. Nothing for
// malformed files, for a file that ends before its last row or its runs'
// end, and for a size no surface holds (refused before anything is
// allocated). The surface's reserved bytes are 0.
std::optional<Surface> ReadBmp(std::string_view bytes);

}  // namespace gyra
