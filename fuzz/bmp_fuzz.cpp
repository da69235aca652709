// The BMP writer with any size and pixels: an independent decoder reads the
// file back with the same size and pixels, and the header's sizes add up.
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <string>

#include "fuzz_check.h"
#include "render/bmp.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#include <stb_image.h>

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

  int w = 0, h = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()), &w, &h,
                            &channels, 3),
      stbi_image_free);
  Check(rgb && w == width && h == height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const gyra::Pix_Quad p = view.At(x, h - 1 - y);  // the decoder's rows run top-down
      const stbi_uc* q = rgb.get() + 3 * (static_cast<size_t>(y) * w + x);
      Check(q[0] == p.red && q[1] == p.green && q[2] == p.blue);
    }
  return 0;
}
