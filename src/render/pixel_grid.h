// Pixel grids: two-dimensional arrays of Pixel indexed (column, row) with
// column 0 at the left and row 1 at the top (row h is the bottom scanline of
// an h-high surface; row 0 is never copied), and the two whole-surface copies
// between grids and surfaces. Portable.
#pragma once

#include <vector>

#include "core/surface.h"

namespace gyra {

// A grid dimensioned (0 To last_column, 0 To last_row), all black.
class PixelGrid {
 public:
  PixelGrid(int last_column, int last_row)
      : columns_(last_column + 1), rows_(last_row + 1), cells_(static_cast<size_t>(columns_) * rows_) {}

  int last_column() const { return columns_ - 1; }
  int last_row() const { return rows_ - 1; }
  bool Contains(int column, int row) const { return column >= 0 && column < columns_ && row >= 0 && row < rows_; }
  Pixel& At(int column, int row) { return cells_[static_cast<size_t>(row) * columns_ + column]; }
  const Pixel& At(int column, int row) const { return cells_[static_cast<size_t>(row) * columns_ + column]; }

 private:
  int columns_;
  int rows_;
  std::vector<Pixel> cells_;
};

// Copies every pixel of the surface into the grid: column x of the scanline s
// counted from the bottom goes to (x, height - s). Cells the surface does not
// cover keep their contents; pixels outside the grid are skipped.
void CopySurfaceToGrid(ConstSurfaceView surface, PixelGrid& grid);

// Replaces every pixel of the surface from the grid, the same mapping the
// other way round; pixels the grid does not cover become black (all four
// bytes 0).
void CopyGridToSurface(const PixelGrid& grid, SurfaceView surface);

}  // namespace gyra
