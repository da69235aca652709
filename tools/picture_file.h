// Decoding picture files (BMP, GIF, JPEG baseline and progressive, PNG) into
// core surfaces for the command-line tools.
#pragma once

#include <optional>
#include <string>

#include "render/surface.h"

namespace gyra {

// The picture in a file's bytes, or nothing when it cannot be decoded or is
// too large a surface. Transparent pixels are laid over black; a GIF gives its
// first image.
std::optional<Surface> DecodePicture(const std::string& bytes);

}  // namespace gyra
