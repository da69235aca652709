// Picture files decoded into core surfaces for the headless renderer: on
// Windows as the rendering window decodes them; on Linux BMP, GIF, JPEG
// (baseline and progressive), PNG, WebP, HEIC/HEIF and AVIF, each known by
// its first bytes.
#pragma once

#include <string>
#include <variant>

#include "core/surface.h"
#include "render/render_plan.h"

namespace gyra {

// The picture in a file, or why there is none, in words for the user.
// Transparent pixels are laid over black; a GIF gives its first image; a
// photo is turned upright by its EXIF orientation. A huge photo may come
// reduced, keeping every pixel a run with these options takes from it
// (render/decode_scale.h).
std::variant<Surface, std::string> LoadPicture(const std::string& path, const RenderOptions& options);

#ifndef _WIN32
// The picture in a file's bytes, or why there is none. A picture larger than
// a surface can be is refused from its header, before anything is allocated.
std::variant<Surface, std::string> DecodePicture(const std::string& bytes, const RenderOptions& options);
#endif

}  // namespace gyra
