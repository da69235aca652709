// The name users know a picture format by, read from a file's first bytes,
// for the formats whose decoder Windows may lack (some come as extensions
// from the Store), so that the message refusing such a file can name it.
// Portable.
#pragma once

#include <string_view>

namespace gyra {

// "WebP", "HEIC", "AVIF", "HEIF" or "JPEG XR"; empty for any other bytes.
std::string_view OptionalFormatName(std::string_view head);

}  // namespace gyra
