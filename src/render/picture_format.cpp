#include "render/picture_format.h"

namespace gyra {

namespace {

// A HEIF file (ISO base media) names its kind by the major brand of its
// first box, "ftyp".
std::string_view HeifName(std::string_view brand) {
  for (std::string_view heic : {"heic", "heix", "heim", "heis", "hevc", "hevx"})
    if (brand == heic) return "HEIC";
  if (brand == "avif" || brand == "avis") return "AVIF";
  if (brand == "mif1" || brand == "msf1") return "HEIF";
  return {};
}

}  // namespace

std::string_view OptionalFormatName(std::string_view head) {
  if (head.size() >= 12 && head.starts_with("RIFF") && head.substr(8, 4) == "WEBP") return "WebP";
  if (head.size() >= 12 && head.substr(4, 4) == "ftyp") return HeifName(head.substr(8, 4));
  if (head.starts_with("II\xBC")) return "JPEG XR";
  return {};
}

}  // namespace gyra
