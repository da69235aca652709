#include "dialog/tile_panel.h"

namespace gyra {

std::vector<TileOrigin> TileOrigins(int box_width, int box_height, int tile_width, int tile_height) {
  std::vector<TileOrigin> origins;
  if (tile_width <= 0 || tile_height <= 0) return origins;
  int x = 0;
  int y = 0;
  for (;;) {
    origins.push_back({x, y});
    if (y > box_height) {
      if (x > box_width) break;
      x += tile_width;
      y = 0;
    } else {
      y += tile_height;
    }
  }
  return origins;
}

}  // namespace gyra
