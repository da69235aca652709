// Pictures decoded with the system's libraries (libjpeg-turbo, libpng,
// giflib, libwebp, libheif, libavif) for the headless renderer on Linux.
// Every error of a library is a refusal: nothing, never an exit. Each decoder
// checks the size its library reads before it allocates the picture.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/surface.h"
#include "render/picture_size.h"

namespace gyra {

// JPEG, WebP and PNG (but an interlaced one) at `eighths` / 8 of their size
// (render/decode_scale.h), reduced while they are decoded.
std::optional<Surface> DecodeJpeg(std::string_view bytes, int eighths);
std::optional<Surface> DecodeWebp(std::string_view bytes, int eighths);
std::optional<Surface> DecodePng(std::string_view bytes, int eighths);
// The first image on the logical screen; what lies outside it, transparent
// pixels and rows a file cut short never delivered stay black.
std::optional<Surface> DecodeGif(std::string_view bytes);
// HEIF and AVIF pictures come turned upright by their container's rotation
// and mirroring.
std::optional<Surface> DecodeHeif(std::string_view bytes);
std::optional<Surface> DecodeAvif(std::string_view bytes);

// The sizes the libraries read from a WebP, HEIF or AVIF file's header.
std::optional<DecodeSize> WebpSize(std::string_view bytes);
std::optional<DecodeSize> HeifSize(std::string_view bytes);
std::optional<DecodeSize> AvifSize(std::string_view bytes);

// A black surface for a decoded picture of that size, or nothing when it is
// too large to decode (the limits of render/picture_size.h).
std::optional<Surface> PictureSurface(int64_t width, int64_t height);

// A colour laid over black by its opacity.
inline uint8_t OverBlack(unsigned colour, unsigned alpha) { return static_cast<uint8_t>((colour * alpha + 127) / 255); }

// A library's rows of red, green, blue (and opacity, with 4 channels) bytes,
// top row first, `stride` bytes apart, into the surface, laid over black.
void CopyRgbaRows(const uint8_t* rows, ptrdiff_t stride, int channels, SurfaceView picture);

}  // namespace gyra
