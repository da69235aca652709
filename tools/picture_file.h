// Picture files (BMP, GIF, JPEG baseline and progressive, PNG) decoded into
// core surfaces for the headless renderer, as the rendering window decodes
// them.
#pragma once

#include <string>
#include <variant>

#include "core/surface.h"

namespace gyra {

// The picture in a file, or why there is none, in words for the user.
// Transparent pixels are laid over black; a GIF gives its first image; a
// photo is turned upright by its EXIF orientation.
std::variant<Surface, std::string> LoadPicture(const std::string& path);

#ifndef _WIN32
// The picture in a file's bytes, or why there is none. A picture larger than
// a surface can be is refused from its header, before anything is allocated.
std::variant<Surface, std::string> DecodePicture(const std::string& bytes);
#endif

}  // namespace gyra
