// Decoding picture files (BMP, GIF, JPEG baseline and progressive, PNG) into
// core surfaces for the command-line tools.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "render/surface.h"

namespace gyra {

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The size in a picture file's header, without decoding the pixels; nothing
// when the bytes are not a picture the decoder takes.
std::optional<PictureSize> ReadPictureSize(const std::string& bytes);

// The picture in a file's bytes, or why there is none, in words for the user.
// A picture larger than a surface can be is refused from its header, before
// anything is allocated. Transparent pixels are laid over black; a GIF gives
// its first image.
std::variant<Surface, std::string> DecodePicture(const std::string& bytes);

}  // namespace gyra
