// Windows layer: picture files decoded by the system into core surfaces:
// BMP, GIF, JPEG, PNG, WMF and EMF by GDI+, as they always were; every other
// format the Windows Imaging Component has a codec for (TIFF, ICO, and where
// Windows has them WebP, HEIC, AVIF, JPEG XR) by WIC, as are large pictures.
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "core/surface.h"

namespace gyra {

struct PictureError {
  enum Kind {
    kNotAPicture,  // missing, unreadable, damaged, or in no format the system knows
    kTooLarge,     // more pixels than a rendering can hold in memory
    kNoDecoder,    // a format (named in `format`) whose codec this Windows lacks
  } kind;
  std::string format;  // kNoDecoder: "WebP", "HEIC", "AVIF", "HEIF" or "JPEG XR"

  PictureError(Kind kind, std::string format = {}) : kind(kind), format(std::move(format)) {}
  friend bool operator==(const PictureError& error, Kind kind) { return error.kind == kind; }
};

// The picture of the file (a UTF-8 path), transparent parts laid over black;
// a GIF gives its first image, a metafile is drawn at its natural size in
// screen pixels (96 per inch), a picture of more than 16 megapixels is
// scaled down; a photo is turned upright by its EXIF orientation. Never a
// blank picture standing in for a failure.
std::variant<Surface, PictureError> LoadPictureFile(const std::string& utf8_path);

}  // namespace gyra
