#include "render/picture_size.h"

#include <algorithm>
#include <cmath>

namespace gyra {

namespace {

unsigned ByteAt(std::string_view bytes, size_t i) { return static_cast<uint8_t>(bytes[i]); }
unsigned Be16At(std::string_view bytes, size_t i) { return ByteAt(bytes, i) << 8 | ByteAt(bytes, i + 1); }
uint32_t Be32At(std::string_view bytes, size_t i) { return uint32_t{Be16At(bytes, i)} << 16 | Be16At(bytes, i + 2); }
unsigned Le16At(std::string_view bytes, size_t i) { return ByteAt(bytes, i) | ByteAt(bytes, i + 1) << 8; }
uint32_t Le32At(std::string_view bytes, size_t i) { return Le16At(bytes, i) | uint32_t{Le16At(bytes, i + 2)} << 16; }

std::optional<DecodeSize> BmpSize(std::string_view head) {
  if (head.size() < 26) return std::nullopt;
  if (Le32At(head, 14) == 12) return DecodeSize{Le16At(head, 18), Le16At(head, 20)};  // OS/2 header
  // A negative height means rows stored top-down.
  return DecodeSize{static_cast<int32_t>(Le32At(head, 18)), std::abs(int64_t{static_cast<int32_t>(Le32At(head, 22))})};
}

std::optional<DecodeSize> PngSize(std::string_view head) {
  if (head.size() < 24 || head.substr(12, 4) != "IHDR") return std::nullopt;
  return DecodeSize{Be32At(head, 16), Be32At(head, 20)};
}

// The screen, then the first image after the colour table and extensions.
std::optional<DecodeSize> GifSize(std::string_view head) {
  if (head.size() < 13) return std::nullopt;
  DecodeSize size{Le16At(head, 6), Le16At(head, 8)};
  size_t i = 13 + ((ByteAt(head, 10) & 0x80) ? 3u << ((ByteAt(head, 10) & 7) + 1) : 0);
  while (i + 2 < head.size() && ByteAt(head, i) == 0x21) {  // extension: sub-blocks up to an empty one
    for (i += 2; i < head.size() && ByteAt(head, i) != 0; i += ByteAt(head, i) + 1) {
    }
    ++i;
  }
  if (i + 9 > head.size() || ByteAt(head, i) != 0x2C) return std::nullopt;
  return DecodeSize{std::max<int64_t>(size.width, Le16At(head, i + 5)),
                    std::max<int64_t>(size.height, Le16At(head, i + 7))};
}

bool IsFrameHeader(unsigned marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Segments are walked up to the frame header; the scan ends the search.
std::optional<DecodeSize> JpegSize(std::string_view head) {
  size_t i = 2;
  while (i + 1 < head.size()) {
    if (ByteAt(head, i) != 0xFF) return std::nullopt;
    const unsigned marker = ByteAt(head, i + 1);
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      i += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA || i + 4 > head.size()) return std::nullopt;
    if (IsFrameHeader(marker)) {
      if (i + 9 > head.size()) return std::nullopt;
      return DecodeSize{Be16At(head, i + 7), Be16At(head, i + 5)};
    }
    i += 2 + Be16At(head, i + 2);
  }
  return std::nullopt;
}

}  // namespace

std::optional<DecodeSize> DecodedPictureSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  if (width > kMaxSourcePixels || height > kMaxSourcePixels || width * height > kMaxSourcePixels)
    return std::nullopt;
  const int64_t pixels = width * height;
  if (pixels <= kMaxDecodedPixels) return DecodeSize{width, height};
  const double scale = std::sqrt(static_cast<double>(kMaxDecodedPixels) / static_cast<double>(pixels));
  // Rounded down, so the product stays within the limit; a side raised to 1
  // takes it from the other.
  const int64_t scaled_height = std::max<int64_t>(1, static_cast<int64_t>(static_cast<double>(height) * scale));
  const int64_t scaled_width = std::min(std::max<int64_t>(1, static_cast<int64_t>(static_cast<double>(width) * scale)),
                                        kMaxDecodedPixels / scaled_height);
  return DecodeSize{scaled_width, std::min(scaled_height, kMaxDecodedPixels / scaled_width)};
}

std::optional<DecodeSize> PictureHeaderSize(std::string_view head) {
  if (head.starts_with("BM")) return BmpSize(head);
  if (head.starts_with("\x89PNG\r\n\x1A\n")) return PngSize(head);
  if (head.starts_with("GIF87a") || head.starts_with("GIF89a")) return GifSize(head);
  if (head.starts_with("\xFF\xD8")) return JpegSize(head);
  return std::nullopt;
}

}  // namespace gyra
