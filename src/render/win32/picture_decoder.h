// Windows layer: picture files (BMP, GIF, JPEG, PNG, WMF and EMF) decoded by
// the system's GDI+ into core surfaces, at the picture's natural size.
#pragma once

#include <string>
#include <variant>

#include "core/surface.h"

namespace gyra {

enum class PictureError {
  kNotAPicture,  // missing, unreadable or not in a format GDI+ decodes
  kTooLarge,     // more pixels than a rendering can hold in memory
};

// The picture of the file (a UTF-8 path), transparent parts laid over black;
// a GIF gives its first image, a metafile is drawn at its natural size in
// screen pixels (96 per inch); a photo is turned upright by its EXIF
// orientation. Never a blank picture standing in for a failure.
std::variant<Surface, PictureError> LoadPictureFile(const std::string& utf8_path);

}  // namespace gyra
