// The sphere mapping: its worked row, and the fast renderer bit for bit
// equal to the per-sample definition (so either one's faults show).
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/numbers.h"
#include "render/pixel_grid.h"
#include "render/sphere_gather.h"
#include "render/sphere_map.h"

namespace gyra {
namespace {

// As GetPicBits fills it (row 0 and column 2N stay black), every cell
// distinct so that each destination names the sample that painted it.
PixelGrid Source(int n) {
  PixelGrid grid(2 * n, 2 * n);
  for (int r = 1; r <= 2 * n; ++r)
    for (int c = 0; c < 2 * n; ++c) grid.At(c, r) = {uint8_t(c), uint8_t(r), 0, 0};
  return grid;
}

TEST(SphereMap, WorkedRowOfRadius100) {
  const SphereConstants k = SphereConstantsFor(RunSphereArgs(100));
  EXPECT_EQ(k.yScale, 1.0050251256281406);
  EXPECT_EQ(k.dTheta, 0.00473606932160804);
  EXPECT_EQ(k.steps.xStep, 0.3);
  EXPECT_EQ(k.steps.yStep, 0.5);
  EXPECT_EQ(SphereConstantsFor(RunSphereArgs(1)).steps.yStep, 0.2);  // the disc outgrows the diagonal
  std::vector<SphereSample> row;
  int row_passes = 0;
  double last_y = -1;
  WalkSphereSamples(RunSphereArgs(100), [&](const SphereSample& s) {
    if (s.Y != last_y) ++row_passes, last_y = s.Y;
    if (s.Y == 100) row.push_back(s);
    return true;
  });
  EXPECT_EQ(row_passes, 399);
  ASSERT_EQ(row.size(), 664u);
  EXPECT_EQ(row[0].yc, -0.5025125628140614);
  EXPECT_EQ(row[0].hw, 99.99873739765025);
  EXPECT_EQ(row[0].dy, 100.50251256281406);
  const int read_columns[] = {0, 0, 1, 1, 1, 2};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(RoundHalfEven(row[i].X), read_columns[i]) << i;
    EXPECT_EQ(RoundHalfEven(row[i].dx), 0) << i;
  }
  EXPECT_EQ(row[5].X, 1.5);  // five additions of 0.3 land exactly on the tie
  EXPECT_EQ(RoundHalfEven(row[332].dx), 101);
  EXPECT_EQ(RoundHalfEven(row[663].X), 199);
  EXPECT_EQ(RoundHalfEven(row[663].dx), 200);
}

// Column 200 of row 101 is painted last by the pass Y = 100.5, reading
// source row round(100.5) = 100, column 199; an off-centre disc or W = 0 (an
// infinite angle step) leaves the grid.
TEST(SphereMap, TheWorkedRowLandsWhereTheWalkSaysAndStrayDiscsAreRefused) {
  PixelGrid dst(200, 200), small(10, 10);
  ASSERT_TRUE(MapToSphere(Source(100), RunSphereArgs(100), dst));
  EXPECT_EQ(dst.At(200, 101), (Pix_Quad{199, 100, 0, 0}));
  EXPECT_FALSE(MapToSphere(Source(5), {0, 0, 9, 9, 8, 5, 5}, small));
  EXPECT_FALSE(MapToSphere(Source(5), {0, 0, 0, 9, 5, 5, 5}, small));
}

TEST(SphereGather, EveryPixelAsThePerSampleDefinition) {
  for (int n : {1, 2, 100, 137}) {
    Surface strip = *Surface::Create(2 * n, 2 * n);
    std::mt19937 random(n);
    for (int i = 0; i < 4 * n * n; ++i) strip.View().pixels[i] = {uint8_t(random()), uint8_t(random()), uint8_t(random())};
    PixelGrid src(2 * n, 2 * n), dst(2 * n, 2 * n);
    GetPicBits(strip.View(), src);
    ASSERT_TRUE(MapToSphere(src, RunSphereArgs(n), dst));
    Surface expected = *Surface::Create(2 * n, 2 * n), frame = *Surface::Create(2 * n, 2 * n);
    SetPicBits(dst, expected.View());
    SphereGather(n, 2 * n).Render(strip.View(), 0, frame.View());
    int differing = 0;
    for (int i = 0; i < 4 * n * n; ++i) differing += !(expected.View().pixels[i] == frame.View().pixels[i]);
    EXPECT_EQ(differing, 0) << "N = " << n;
  }
}

}  // namespace
}  // namespace gyra
