// Where the tile strip is copied to cover a panel. Portable.
#pragma once

#include <vector>

namespace gyra {

struct TileOrigin {
  int x = 0;
  int y = 0;

  friend bool operator==(const TileOrigin&, const TileOrigin&) = default;
};

// The top-left corners of the tile copies that cover a box, column by column
// from the left, each column from the top. A column goes on until a tile has
// started below the box's height, and the columns until one has started right
// of its width, so the last tiles of each column and the last column lie
// (partly) outside and are clipped. Nothing for an empty tile.
std::vector<TileOrigin> TileOrigins(int box_width, int box_height, int tile_width, int tile_height);

}  // namespace gyra
