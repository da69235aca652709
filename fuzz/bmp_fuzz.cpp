// The BMP writer with any size and pixels: the reader reads the file back with
// the same size and pixels, and the header's sizes add up.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "render/bmp.h"
#include "render/bmp_reader.h"

namespace {

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int width = input.ConsumeIntegralInRange(1, 300);
  const int height = input.ConsumeIntegralInRange(1, 300);
  auto surface = gyra::Surface::Create(width, height);
  Check(surface.has_value());
  const gyra::SurfaceView view = surface->View();
  for (size_t i = 0; i < static_cast<size_t>(width) * height && input.remaining_bytes() > 0; ++i) {
    const uint32_t v = input.ConsumeIntegral<uint32_t>();
    view.pixels[i] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                      static_cast<uint8_t>(v >> 24)};
  }

  const std::string bytes = gyra::EncodeBmp(view);
  const size_t row_bytes = (3 * static_cast<size_t>(width) + 3) / 4 * 4;
  Check(bytes.size() == 54 + row_bytes * height);
  Check(Le32(bytes, 2) == bytes.size());

  const auto read = gyra::ReadBmp(bytes);
  Check(read && read->width() == width && read->height() == height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x) {
      const gyra::Pix_Quad p = view.At(x, s);
      Check(read->View().At(x, s) == gyra::Pix_Quad{p.blue, p.green, p.red, 0});
    }
  return 0;
}
