#include "render/pixel_grid.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

constexpr Pix_Quad kMarker{9, 9, 9, 9};

// Every pixel distinct: blue = column, green = scanline from the bottom.
Surface NumberedSurface(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      surface.View().At(x, s) = {static_cast<uint8_t>(x), static_cast<uint8_t>(s), 200, 7};
  return surface;
}

PixelGrid FilledGrid(int last_column, int last_row, Pix_Quad value) {
  PixelGrid grid(last_column, last_row);
  for (int r = 0; r <= last_row; ++r)
    for (int c = 0; c <= last_column; ++c) grid.At(c, r) = value;
  return grid;
}

TEST(GetPicBits, PutsTheTopScanlineInRowOneAndLeavesRowZeroAndTheLastColumn) {
  const int n = 3;  // a 2N x 2N surface into a (0 To 2N, 0 To 2N) grid
  const Surface surface = NumberedSurface(2 * n, 2 * n);
  PixelGrid grid = FilledGrid(2 * n, 2 * n, kMarker);
  GetPicBits(surface.View(), grid);
  EXPECT_EQ(grid.At(0, 1), (Pix_Quad{0, 5, 200, 7}));  // top scanline is s = 2N - 1
  EXPECT_EQ(grid.At(4, 2 * n), (Pix_Quad{4, 0, 200, 7}));  // bottom scanline
  for (int i = 0; i <= 2 * n; ++i) {
    EXPECT_EQ(grid.At(i, 0), kMarker) << i;
    EXPECT_EQ(grid.At(2 * n, i), kMarker) << i;
  }
}

TEST(SetPicBits, AZeroGridMakesTheSurfaceBlack) {
  Surface surface = NumberedSurface(4, 4);
  SetPicBits(PixelGrid(4, 4), surface.View());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(surface.View().pixels[i], Pix_Quad{});
}

TEST(SetPicBits, WritingBackWhatWasReadChangesNothing) {
  const Surface original = NumberedSurface(5, 3);
  PixelGrid grid(5, 3);
  GetPicBits(original.View(), grid);
  Surface copy = *Surface::Create(5, 3);
  SetPicBits(grid, copy.View());
  for (int i = 0; i < 15; ++i) EXPECT_EQ(copy.View().pixels[i], original.View().pixels[i]) << i;
}

TEST(SetPicBits, IgnoresRowZeroAndTheLastColumn) {
  PixelGrid grid = FilledGrid(4, 4, kMarker);
  for (int r = 1; r <= 4; ++r)
    for (int c = 0; c < 4; ++c) grid.At(c, r) = {1, 1, 1, 1};
  Surface surface = *Surface::Create(4, 4);
  SetPicBits(grid, surface.View());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(surface.View().pixels[i], (Pix_Quad{1, 1, 1, 1}));
}

TEST(PicBits, OnePixelSurfaceUsesColumnZeroRowOne) {
  Surface surface = *Surface::Create(1, 1);
  surface.View().At(0, 0) = {10, 20, 30, 0};
  PixelGrid grid(1, 1);
  GetPicBits(surface.View(), grid);
  EXPECT_EQ(grid.At(0, 1), (Pix_Quad{10, 20, 30, 0}));
  EXPECT_EQ(grid.At(0, 0), Pix_Quad{});
  EXPECT_EQ(grid.At(1, 1), Pix_Quad{});
}

TEST(PicBits, AGridSmallerThanTheSurfaceSkipsWhatItCannotHold) {
  const Surface surface = NumberedSurface(4, 4);
  PixelGrid small = FilledGrid(1, 2, kMarker);  // columns 0..1, rows 0..2
  GetPicBits(surface.View(), small);
  EXPECT_EQ(small.At(1, 2), (Pix_Quad{1, 2, 200, 7}));  // row 2 is scanline 4 - 2
  EXPECT_EQ(small.At(1, 0), kMarker);

  Surface target = NumberedSurface(4, 4);
  SetPicBits(small, target.View());
  EXPECT_EQ(target.View().At(1, 2), (Pix_Quad{1, 2, 200, 7}));  // grid (1, 2)
  EXPECT_EQ(target.View().At(0, 3), (Pix_Quad{0, 3, 200, 7}));  // grid (0, 1)
  EXPECT_EQ(target.View().At(2, 3), Pix_Quad{});                // column 2: outside
  EXPECT_EQ(target.View().At(0, 0), Pix_Quad{});                // row 4: outside
}

}  // namespace
}  // namespace gyra
