#include "render/exif_orientation.h"

#include <cstdint>

namespace gyra {

namespace {

constexpr uint16_t kOrientationTag = 274;
constexpr uint16_t kShortType = 3;

// A number of `size` bytes at `at`, or nothing when the bytes end first.
std::optional<uint32_t> Number(std::string_view bytes, size_t at, int size, bool big_endian) {
  if (at > bytes.size() || bytes.size() - at < static_cast<size_t>(size)) return std::nullopt;
  uint32_t value = 0;
  for (int i = 0; i < size; ++i) {
    const auto byte = static_cast<uint8_t>(bytes[at + (big_endian ? i : size - 1 - i)]);
    value = value << 8 | byte;
  }
  return value;
}

// The tag in the first directory of a TIFF structure (a TIFF file or an Exif block).
std::optional<int> TiffOrientation(std::string_view tiff) {
  bool big_endian;
  if (tiff.starts_with("II*\0")) big_endian = false;
  else if (tiff.starts_with(std::string_view("MM\0*", 4))) big_endian = true;
  else return std::nullopt;
  const auto directory = Number(tiff, 4, 4, big_endian);
  if (!directory) return std::nullopt;
  const auto count = Number(tiff, *directory, 2, big_endian);
  if (!count) return std::nullopt;
  for (uint32_t i = 0; i < *count; ++i) {
    const size_t entry = *directory + 2 + size_t{12} * i;
    const auto tag = Number(tiff, entry, 2, big_endian);
    if (!tag) return std::nullopt;
    if (*tag != kOrientationTag) continue;
    if (Number(tiff, entry + 2, 2, big_endian) != kShortType || Number(tiff, entry + 4, 4, big_endian) != 1u)
      return std::nullopt;
    const auto value = Number(tiff, entry + 8, 2, big_endian);
    if (!value || *value < 1 || *value > 8) return std::nullopt;
    return static_cast<int>(*value);
  }
  return std::nullopt;
}

// An Exif block, with or without the "Exif\0\0" mark some writers put before it.
std::optional<int> ExifOrientation(std::string_view block) {
  constexpr std::string_view kMark("Exif\0\0", 6);
  if (block.starts_with(kMark)) block.remove_prefix(kMark.size());
  return TiffOrientation(block);
}

// The marker segments before the scan; APP1 holds the Exif block.
std::optional<int> JpegOrientation(std::string_view jpeg) {
  size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == '\xFF') {
    const auto marker = static_cast<uint8_t>(jpeg[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) break;  // the scan or the end: no more segments
    const uint32_t length = *Number(jpeg, at + 2, 2, true);
    if (length < 2) break;
    const std::string_view segment = jpeg.substr(at + 4, length - 2);
    if (marker == 0xE1 && segment.starts_with(std::string_view("Exif\0\0", 6))) return ExifOrientation(segment);
    at += 2 + length;
  }
  return std::nullopt;
}

// The chunks of a PNG (size, name, data, CRC; sizes big-endian) or of a WebP
// RIFF (name, size, data padded to an even size; sizes little-endian) from
// `at`, until the one called `name` holding the Exif block.
std::optional<int> ChunkOrientation(std::string_view file, size_t at, bool png, std::string_view name) {
  while (at + 8 <= file.size()) {
    const std::string_view kind = file.substr(at + (png ? 4 : 0), 4);
    const uint32_t size = *Number(file, at + (png ? 0 : 4), 4, png);
    if (size > file.size() - at - 8) break;
    if (kind == name) return ExifOrientation(file.substr(at + 8, size));
    at += 8 + size_t{size} + (png ? 4 : size % 2);
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> ReadOrientation(std::string_view file) {
  if (file.starts_with("\xFF\xD8")) return JpegOrientation(file);
  if (file.starts_with("\x89PNG\r\n\x1A\n")) return ChunkOrientation(file, 8, true, "eXIf");
  if (file.size() >= 12 && file.starts_with("RIFF") && file.substr(8, 4) == "WEBP")
    return ChunkOrientation(file, 12, false, "EXIF");
  return TiffOrientation(file);
}

}  // namespace gyra
