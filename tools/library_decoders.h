// JPEG, PNG and GIF decoded with the system's libraries (libjpeg-turbo,
// libpng, giflib) for the headless renderer on Linux. Every error of a
// library is a refusal: nothing, never an exit. Each decoder checks the size
// its library reads before it allocates the picture.
#pragma once

#include <optional>
#include <string_view>

#include "core/surface.h"

namespace gyra {

std::optional<Surface> DecodeJpeg(std::string_view bytes);
std::optional<Surface> DecodePng(std::string_view bytes);
// The first image on the logical screen; what lies outside it, transparent
// pixels and rows a file cut short never delivered stay black.
std::optional<Surface> DecodeGif(std::string_view bytes);

// A black surface for a decoded picture of that size, or nothing when it is
// too large to decode (the limits of render/picture_size.h).
std::optional<Surface> PictureSurface(int64_t width, int64_t height);

// A colour laid over black by its opacity.
inline uint8_t OverBlack(unsigned colour, unsigned alpha) { return static_cast<uint8_t>((colour * alpha + 127) / 255); }

}  // namespace gyra
