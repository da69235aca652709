#include "picture_file.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "core/std_file_system.h"
#include "core/surface_orientation.h"
#include "library_decoders.h"
#include "render/bmp_reader.h"
#include "render/decode_scale.h"
#include "render/exif_orientation.h"
#include "render/picture_size.h"

namespace gyra {

namespace {

const char kUndecodable[] = "not a picture that can be decoded (BMP, GIF, JPEG, PNG, WebP, HEIC/HEIF, AVIF)";

enum class Format { kBmp, kPng, kGif, kJpeg, kWebp, kHeif, kAvif };

// Whether an ISO media file's type box, its first, names the brand as its
// major brand or as one it is compatible with.
bool HasBrand(std::string_view bytes, std::string_view brand) {
  uint32_t box = 0;
  for (size_t i = 0; i < 4; ++i) box = box << 8 | static_cast<uint8_t>(bytes[i]);
  const size_t end = std::min<size_t>(box, bytes.size());
  for (size_t at = 8; at + 4 <= end; at += at == 8 ? 8 : 4)  // the minor version follows the major brand
    if (bytes.substr(at, 4) == brand) return true;
  return false;
}

// The format by the file's first bytes, whatever its name says.
std::optional<Format> FormatOf(std::string_view bytes) {
  if (bytes.starts_with("BM")) return Format::kBmp;
  if (bytes.starts_with("\x89PNG")) return Format::kPng;
  if (bytes.starts_with("GIF")) return Format::kGif;
  if (bytes.starts_with("\xFF\xD8")) return Format::kJpeg;
  if (bytes.size() < 12) return std::nullopt;
  if (bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WEBP") return Format::kWebp;
  if (bytes.substr(4, 4) != "ftyp") return std::nullopt;
  for (const std::string_view brand : {"avif", "avis"})
    if (HasBrand(bytes, brand)) return Format::kAvif;
  // HEVC pictures only: libheif would hand AV1 ones to dav1d, which leaks on
  // damaged ones, and libavif decodes AV1 pictures.
  for (const std::string_view brand : {"heic", "heix", "heim", "heis", "hevc", "hevx"})
    if (HasBrand(bytes, brand)) return Format::kHeif;
  return std::nullopt;
}

std::optional<DecodeSize> DeclaredSize(Format format, std::string_view bytes) {
  switch (format) {
    case Format::kWebp: return WebpSize(bytes);
    case Format::kHeif: return HeifSize(bytes);
    case Format::kAvif: return AvifSize(bytes);
    default: return PictureHeaderSize(bytes.substr(0, kPictureHeadBytes));
  }
}

std::optional<Surface> Decode(Format format, std::string_view bytes, int eighths) {
  switch (format) {
    case Format::kBmp: return ReadBmp(bytes);
    case Format::kPng: return DecodePng(bytes, eighths);
    case Format::kGif: return DecodeGif(bytes);
    case Format::kJpeg: return DecodeJpeg(bytes, eighths);
    case Format::kWebp: return DecodeWebp(bytes, eighths);
    case Format::kHeif: return DecodeHeif(bytes);
    case Format::kAvif: return DecodeAvif(bytes);
  }
  return std::nullopt;
}

}  // namespace

std::optional<Surface> PictureSurface(int64_t width, int64_t height) {
  if (width > INT_MAX || height > INT_MAX) return std::nullopt;
  return Surface::Create(static_cast<int>(width), static_cast<int>(height));
}

void CopyRgbaRows(const uint8_t* rows, ptrdiff_t stride, int channels, SurfaceView picture) {
  for (int y = 0; y < picture.height; ++y) {  // the library's rows run top-down, the surface's bottom-up
    const uint8_t* p = rows + y * stride;
    Pixel* out = &picture.At(0, picture.height - 1 - y);
    for (int x = 0; x < picture.width; ++x, p += channels) {
      const unsigned alpha = channels == 4 ? p[3] : 255;
      out[x] = {OverBlack(p[2], alpha), OverBlack(p[1], alpha), OverBlack(p[0], alpha), 0};
    }
  }
}

std::variant<Surface, std::string> DecodePicture(const std::string& bytes, const RenderOptions& options) {
  const std::string_view all = bytes;
  const std::optional<Format> format = FormatOf(all);
  const std::optional<DecodeSize> size = format ? DeclaredSize(*format, all) : std::nullopt;
  if (!size || size->width < 1 || size->height < 1) return kUndecodable;
  if (size->width > INT_MAX || size->height > INT_MAX ||
      !SurfacePixelCount(static_cast<int>(size->width), static_cast<int>(size->height))) {
    return std::to_string(size->width) + " x " + std::to_string(size->height) +
           " pixels: too large a picture (at most " + std::to_string(INT32_MAX / sizeof(Pixel)) + " pixels)";
  }
  // Nothing for HEIF and AVIF, which their decoders have turned upright.
  const int orientation = ReadOrientation(all).value_or(1);
  const bool sideways = orientation >= 5 && orientation <= 8;  // turned a quarter: the sides swap
  const int64_t upright_width = sideways ? size->height : size->width;
  const int64_t upright_height = sideways ? size->width : size->height;
  const int eighths = DecodeEighths(upright_width, upright_height, options);
  std::optional<Surface> picture = Decode(*format, all, eighths);
  if (!picture) return kUndecodable;
  return Orient(std::move(*picture), orientation);
}

std::variant<Surface, std::string> LoadPicture(const std::string& path, const RenderOptions& options) {
  const std::optional<std::string> bytes = StdFileSystem().ReadFile(path);
  if (!bytes) return std::string("cannot read the file");
  return DecodePicture(*bytes, options);
}

}  // namespace gyra
