#include "render/pixel_grid.h"

namespace gyra {

void CopySurfaceToGrid(ConstSurfaceView surface, PixelGrid& grid) {
  const int h = surface.height;
  for (int s = 0; s < h; ++s)
    for (int x = 0; x < surface.width; ++x)
      if (grid.Contains(x, h - s)) grid.At(x, h - s) = surface.At(x, s);
}

void CopyGridToSurface(const PixelGrid& grid, SurfaceView surface) {
  const int h = surface.height;
  for (int s = 0; s < h; ++s)
    for (int x = 0; x < surface.width; ++x)
      surface.At(x, s) = grid.Contains(x, h - s) ? grid.At(x, h - s) : Pixel{};
}

}  // namespace gyra
