#include "core/surface.h"

#include <cstdint>

namespace gyra {

std::optional<size_t> SurfacePixelCount(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const int64_t count = static_cast<int64_t>(width) * height;
  if (count > INT32_MAX / static_cast<int64_t>(sizeof(Pixel))) return std::nullopt;
  return static_cast<size_t>(count);
}

std::optional<Surface> Surface::Create(int width, int height) {
  const auto count = SurfacePixelCount(width, height);
  if (!count) return std::nullopt;
  return Surface(width, height, *count);
}

}  // namespace gyra
