#include "render/sphere_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/numbers.h"

namespace gyra {
namespace {

constexpr Pix_Quad kPaint{40, 90, 160, 0};

PixelGrid UniformSource(int n, Pix_Quad colour) {
  PixelGrid grid(2 * n, 2 * n);
  for (int r = 1; r <= 2 * n; ++r)  // as GetPicBits fills it: row 0 and column 2N stay black
    for (int c = 0; c < 2 * n; ++c) grid.At(c, r) = colour;
  return grid;
}

// Every cell distinct, so each destination names the sample that painted it.
PixelGrid NumberedSource(int n) {
  PixelGrid grid(2 * n, 2 * n);
  for (int r = 1; r <= 2 * n; ++r)
    for (int c = 0; c < 2 * n; ++c)
      grid.At(c, r) = {static_cast<uint8_t>(c), static_cast<uint8_t>(r), static_cast<uint8_t>(c * 7 + r), 0};
  return grid;
}

TEST(SphereConstants, ChoosesTheFineStepsOnlyWhenTheDiscOutgrowsTheDiagonal) {
  const struct { int n; double x_step, y_step; } cases[] = {
      {1, 0.2, 0.2}, {2, 0.3, 0.5}, {100, 0.3, 0.5}, {200, 0.3, 0.5},
  };
  for (const auto& c : cases) {
    const SphereConstants k = SphereConstantsFor(RunSphereArgs(c.n));
    EXPECT_EQ(k.steps.xStep, c.x_step) << c.n;
    EXPECT_EQ(k.steps.yStep, c.y_step) << c.n;
  }
  const SphereArgs wide{0, 0, 10, 10, 50, 50, 50};  // disc far wider than the source
  EXPECT_EQ(SphereConstantsFor(wide).steps.xStep, 0.2);
}

TEST(WalkSphereSamples, WorkedRowOfRadius100) {
  const SphereArgs a = RunSphereArgs(100);
  const SphereConstants k = SphereConstantsFor(a);
  EXPECT_EQ(k.yScale, 1.0050251256281406);
  EXPECT_EQ(k.dTheta, 0.00473606932160804);

  std::vector<SphereSample> row;
  int row_passes = 0;
  double last_y = -1;
  WalkSphereSamples(a, [&](const SphereSample& s) {
    if (s.Y != last_y) ++row_passes, last_y = s.Y;
    if (s.Y == 100) row.push_back(s);
    return true;
  });
  EXPECT_EQ(row_passes, 399);
  ASSERT_EQ(row.size(), 664u);
  EXPECT_EQ(row[0].yc, -0.5025125628140614);
  EXPECT_EQ(row[0].hw, 99.99873739765025);
  EXPECT_EQ(row[0].dy, 100.50251256281406);
  EXPECT_EQ(RoundHalfEven(row[0].dy), 101);

  const int read_columns[] = {0, 0, 1, 1, 1, 2};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(RoundHalfEven(row[i].X), read_columns[i]) << i;
    EXPECT_EQ(RoundHalfEven(row[i].dx), 0) << i;
  }
  EXPECT_EQ(row[5].X, 1.5);  // five additions of 0.3 land exactly on the tie
  EXPECT_NEAR(row[332].X, 99.6, 1e-9);
  EXPECT_EQ(RoundHalfEven(row[332].dx), 101);
  EXPECT_NEAR(row[663].X, 198.9, 1e-9);
  EXPECT_EQ(RoundHalfEven(row[663].X), 199);
  EXPECT_EQ(RoundHalfEven(row[663].dx), 200);
}

TEST(WalkSphereSamples, TheFirstRowPassLandsOnOnePixel) {
  for (int n : {1, 5, 100}) {
    int samples = 0;
    WalkSphereSamples(RunSphereArgs(n), [&](const SphereSample& s) {
      if (s.Y != 0) return false;
      ++samples;
      EXPECT_EQ(s.hw, 0);
      EXPECT_EQ(RoundHalfEven(s.dx), n);
      EXPECT_EQ(RoundHalfEven(s.dy), 0);
      return true;
    });
    EXPECT_GT(samples, 1) << n;
  }
}

// Whether the pixel square centred on (c, r) reaches into the disc at all.
bool SquareTouchesDisc(int c, int r, int n) {
  const double nx = std::max(std::abs(c - n) - 0.5, 0.0);
  const double ny = std::max(std::abs(r - n) - 0.5, 0.0);
  return nx * nx + ny * ny <= double(n) * n;
}

TEST(MapToSphere, AUniformPictureGivesAUniformDiscOnBlack) {
  for (int n : {1, 2, 7, 100}) {
    PixelGrid dst(2 * n, 2 * n);
    ASSERT_TRUE(MapToSphere(UniformSource(n, kPaint), RunSphereArgs(n), dst));
    for (int r = 0; r <= 2 * n; ++r)
      for (int c = 0; c <= 2 * n; ++c) {
        const Pix_Quad p = dst.At(c, r);
        const double distance = std::hypot(c - n, r - n);
        if (!SquareTouchesDisc(c, r, n)) EXPECT_EQ(p, Pix_Quad{}) << n << ": " << c << "," << r;
        else if (distance < n - 1) EXPECT_EQ(p, kPaint) << n << ": " << c << "," << r;
        else EXPECT_TRUE(p == kPaint || p == Pix_Quad{}) << n << ": " << c << "," << r;
      }
  }
}

TEST(MapToSphere, GridRowZeroIsReadAsBlackAndTheDiscReachesColumn2N) {
  const int n = 100;
  PixelGrid dst(2 * n, 2 * n);
  ASSERT_TRUE(MapToSphere(UniformSource(n, kPaint), RunSphereArgs(n), dst));
  EXPECT_EQ(dst.At(n, 0), Pix_Quad{});  // the first passes read grid row 0
  EXPECT_EQ(dst.At(n, 1), kPaint);      // overwritten by the next pass
  EXPECT_EQ(dst.At(2 * n, 101), kPaint);  // the worked row's last sample
}

TEST(MapToSphere, WorkedRowEndsAreWhereTheWalkSaysTheyLand) {
  const int n = 100;
  PixelGrid dst(2 * n, 2 * n);
  ASSERT_TRUE(MapToSphere(NumberedSource(n), RunSphereArgs(n), dst));
  // Column 200 of grid row 101 is painted last by the pass Y = 100.5, which
  // reads source row round(100.5) = 100, column 199.
  const Pix_Quad p = dst.At(2 * n, 101);
  EXPECT_EQ(p.blue, 199);
  EXPECT_EQ(p.green, 100);
}

TEST(MapToSphere, TheSameSourceGivesTheSameFrame) {
  const int n = 37;
  const PixelGrid src = NumberedSource(n);
  PixelGrid first(2 * n, 2 * n), second(2 * n, 2 * n);
  ASSERT_TRUE(MapToSphere(src, RunSphereArgs(n), first));
  second.At(3, 3) = kPaint;  // leftovers are cleared
  ASSERT_TRUE(MapToSphere(src, RunSphereArgs(n), second));
  for (int r = 0; r <= 2 * n; ++r)
    for (int c = 0; c <= 2 * n; ++c) ASSERT_EQ(first.At(c, r), second.At(c, r)) << c << "," << r;
}

TEST(MapToSphere, StopsAtTheFirstSampleOutsideTheGrid) {
  PixelGrid dst(10, 10);
  const SphereArgs off_centre{0, 0, 9, 9, 8, 5, 5};  // the disc pokes out to column 13
  EXPECT_FALSE(MapToSphere(UniformSource(5, kPaint), off_centre, dst));
  const SphereArgs degenerate{0, 0, 0, 9, 5, 5, 5};  // W = 0: the angle step is infinite
  EXPECT_FALSE(MapToSphere(UniformSource(5, kPaint), degenerate, dst));
}

}  // namespace
}  // namespace gyra
