#include "picture_file.h"

#include <climits>
#include <optional>

#include "core/std_file_system.h"
#include "core/surface_orientation.h"
#include "library_decoders.h"
#include "render/bmp_reader.h"
#include "render/exif_orientation.h"
#include "render/picture_size.h"

namespace gyra {

namespace {

const char kUndecodable[] = "not a picture that can be decoded (BMP, GIF, JPEG, PNG)";

}  // namespace

std::optional<Surface> PictureSurface(int64_t width, int64_t height) {
  if (width > INT_MAX || height > INT_MAX) return std::nullopt;
  return Surface::Create(static_cast<int>(width), static_cast<int>(height));
}

std::variant<Surface, std::string> DecodePicture(const std::string& bytes) {
  const std::string_view all = bytes;
  const std::optional<DecodeSize> size = PictureHeaderSize(all.substr(0, kPictureHeadBytes));
  if (!size || size->width < 1 || size->height < 1) return kUndecodable;
  if (size->width > INT_MAX || size->height > INT_MAX ||
      !SurfacePixelCount(static_cast<int>(size->width), static_cast<int>(size->height))) {
    return std::to_string(size->width) + " x " + std::to_string(size->height) +
           " pixels: too large a picture (at most " + std::to_string(INT32_MAX / sizeof(Pixel)) + " pixels)";
  }
  std::optional<Surface> picture;
  if (all.starts_with("BM")) picture = ReadBmp(all);
  else if (all.starts_with("\x89PNG")) picture = DecodePng(all);
  else if (all.starts_with("GIF")) picture = DecodeGif(all);
  else picture = DecodeJpeg(all);  // the only other format PictureHeaderSize reads
  if (!picture) return kUndecodable;
  return Orient(std::move(*picture), ReadOrientation(all).value_or(1));
}

std::variant<Surface, std::string> LoadPicture(const std::string& path) {
  const std::optional<std::string> bytes = StdFileSystem().ReadFile(path);
  if (!bytes) return std::string("cannot read the file");
  return DecodePicture(*bytes);
}

}  // namespace gyra
