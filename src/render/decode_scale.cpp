#include "render/decode_scale.h"

#include <algorithm>

#include "render/picture_size.h"

namespace gyra {

int64_t ScaledSide(int64_t side, int eighths) { return (side * eighths + 7) / 8; }

int DecodeEighths(int64_t width, int64_t height, const RenderOptions& options) {
  if (width < 1 || height < 1 || height <= kMaxDecodedPixels / width) return 8;
  const int64_t n = std::max(options.radius, 1);
  const int64_t columns = options.stretch == 1 || options.trim == 1 ? 4 * n : 0;
  const int64_t rows = options.trim == 1 ? 0 : 2 * n;
  for (int eighths = 1; eighths < 8; ++eighths)
    if (ScaledSide(width, eighths) >= columns && ScaledSide(height, eighths) >= rows) return eighths;
  return 8;
}

}  // namespace gyra
