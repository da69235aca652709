#include "picture_file.h"

#include <climits>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace gyra {

namespace {

uint8_t OverBlack(stbi_uc colour, stbi_uc alpha) { return static_cast<uint8_t>((colour * alpha + 127) / 255); }

}  // namespace

std::optional<Surface> DecodePicture(const std::string& bytes) {
  if (bytes.size() > INT_MAX) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()), &width,
                            &height, &channels, 4),
      stbi_image_free);
  if (!rgba) return std::nullopt;
  auto picture = Surface::Create(width, height);
  if (!picture) return std::nullopt;
  SurfaceView view = picture->View();
  for (int y = 0; y < height; ++y) {
    const stbi_uc* p = rgba.get() + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, p += 4)  // the decoder's rows run top-down
      view.At(x, height - 1 - y) = {OverBlack(p[2], p[3]), OverBlack(p[1], p[3]), OverBlack(p[0], p[3]), 0};
  }
  return picture;
}

}  // namespace gyra
