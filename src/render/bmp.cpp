#include "render/bmp.h"

#include <cstdint>

namespace gyra {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

char* PutLe(char* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) *out++ = static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

}  // namespace

std::string EncodeBmp(ConstSurfaceView surface) {
  // Surfaces hold at most INT32_MAX / 4 pixels, so these sizes fit 32 bits.
  const uint32_t row_bytes = (3u * surface.width + 3u) & ~3u;
  const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(surface.height);
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::string bytes(offset + image_bytes, '\0');

  char* out = bytes.data();
  *out++ = 'B';
  *out++ = 'M';
  out = PutLe(out, offset + image_bytes, 4);
  out = PutLe(out, 0, 4);  // two reserved words
  out = PutLe(out, offset, 4);
  out = PutLe(out, kInfoHeaderSize, 4);
  out = PutLe(out, static_cast<uint32_t>(surface.width), 4);
  out = PutLe(out, static_cast<uint32_t>(surface.height), 4);  // positive: bottom-up
  out = PutLe(out, 1, 2);                                      // planes
  out = PutLe(out, 24, 2);                                     // bits per pixel
  out = PutLe(out, 0, 4);                                      // BI_RGB
  out = PutLe(out, image_bytes, 4);
  // Resolution and colour-table fields stay 0.

  for (int s = 0; s < surface.height; ++s) {
    char* row = bytes.data() + offset + static_cast<size_t>(s) * row_bytes;
    const Pixel* p = &surface.At(0, s);
    for (int x = 0; x < surface.width; ++x, ++p) {
      *row++ = static_cast<char>(p->blue);
      *row++ = static_cast<char>(p->green);
      *row++ = static_cast<char>(p->red);
    }
  }
  return bytes;
}

}  // namespace gyra
