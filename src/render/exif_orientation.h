// The orientation a camera recorded for a picture (EXIF tag 274), read from
// the file's bytes: JPEG (APP1 Exif), PNG (eXIf chunk), WebP (EXIF chunk) and
// TIFF. HEIF is not read: its decoders turn the picture by the container's own
// transforms, and the Exif tag must not turn it a second time.
#pragma once

#include <optional>
#include <string_view>

namespace gyra {

// 1 to 8 (core/surface_orientation.h says what each means), or nothing when
// the file carries no tag or a damaged one, or a value out of that range.
std::optional<int> ReadOrientation(std::string_view file);

}  // namespace gyra
