#include "display/frame_bitmap.h"

#include <cstdint>
#include <cstdlib>

namespace gyra {

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kCoreHeader = 12;  // the OS/2 header: 16-bit width and height
constexpr uint32_t kUncompressed = 0, kBitFields = 3;

uint32_t Read(std::string_view bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

bool IsWholeBitmap(std::string_view bytes) {
  if (bytes.size() < kFileHeader + kCoreHeader || bytes.substr(0, 2) != "BM") return false;
  const uint64_t pixels_at = Read(bytes, 10, 4), header = Read(bytes, 14, 4);
  if (header < kCoreHeader || kFileHeader + header > bytes.size() || pixels_at < kFileHeader + header) return false;
  const bool core = header == kCoreHeader;
  // Signed: a negative height is a top-down bitmap.
  const int64_t width = core ? int64_t{Read(bytes, 18, 2)} : int64_t{static_cast<int32_t>(Read(bytes, 18, 4))};
  const int64_t height = core ? int64_t{Read(bytes, 20, 2)} : int64_t{static_cast<int32_t>(Read(bytes, 22, 4))};
  const uint64_t bits = Read(bytes, core ? 24 : 28, 2);
  const uint32_t compression = core ? kUncompressed : Read(bytes, 30, 4);
  if (width <= 0 || height == 0 || bits == 0 || bits > 32) return false;
  const uint64_t size = compression == kUncompressed || compression == kBitFields
                            ? (static_cast<uint64_t>(width) * bits + 31) / 32 * 4 * std::llabs(height)
                            : Read(bytes, 34, 4);
  return pixels_at + size <= bytes.size();
}

}  // namespace gyra
