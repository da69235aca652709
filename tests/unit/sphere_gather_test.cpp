#include "render/sphere_gather.h"

#include <gtest/gtest.h>

#include <random>

#include "render/pixel_grid.h"
#include "render/sphere_map.h"

namespace gyra {
namespace {

Surface NoiseSurface(int width, int height, unsigned seed) {
  Surface surface = *Surface::Create(width, height);
  std::mt19937 random(seed);
  for (int i = 0; i < width * height; ++i) {
    const uint32_t v = random();
    surface.View().pixels[i] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                                static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  }
  return surface;
}

// The definition: the window into a fresh grid, mapped sample by sample,
// written into the frame.
Surface PerSampleFrame(ConstSurfaceView strip, int strip_pos, int n) {
  Surface window = *Surface::Create(2 * n, 2 * n);
  for (int s = 0; s < 2 * n; ++s)
    for (int x = 0; x < 2 * n; ++x) window.View().At(x, s) = strip.At(strip_pos + x, s);
  PixelGrid src(2 * n, 2 * n), dst(2 * n, 2 * n);
  GetPicBits(window.View(), src);
  EXPECT_TRUE(MapToSphere(src, RunSphereArgs(n), dst));
  Surface frame = *Surface::Create(2 * n, 2 * n);
  SetPicBits(dst, frame.View());
  return frame;
}

void ExpectSameFrame(const Surface& expected, const Surface& actual, int n) {
  const int count = 4 * n * n;
  int differing = 0;
  for (int i = 0; i < count; ++i) differing += !(expected.View().pixels[i] == actual.View().pixels[i]);
  EXPECT_EQ(differing, 0) << "N = " << n;
}

TEST(SphereGather, EveryPixelAsTheSampleBySampleMapping) {
  for (int n : {1, 2, 100, 137, 200}) {
    const Surface strip = NoiseSurface(2 * n, 2 * n, n);
    Surface frame = *Surface::Create(2 * n, 2 * n);
    SphereGather::For(n, 2 * n).value().Render(strip.View(), 0, frame.View());
    ExpectSameFrame(PerSampleFrame(strip.View(), 0, n), frame, n);
  }
}

TEST(SphereGather, ReadsTheWindowAtItsPositionInAWiderStrip) {
  const int n = 23;
  const int width = 2 * n + 61;
  const Surface strip = NoiseSurface(width, 2 * n, 5);
  const SphereGather gather = SphereGather::For(n, width).value();
  for (int pos : {0, 1, 37, 61}) {
    Surface frame = *Surface::Create(2 * n, 2 * n);
    gather.Render(strip.View(), pos, frame.View());
    ExpectSameFrame(PerSampleFrame(strip.View(), pos, n), frame, n);
  }
}

TEST(ResolveSphereSamples, PaintsTheDiscOnly) {
  const int n = 100;
  const std::vector<int32_t> cells = ResolveSphereSamples(n).value();
  ASSERT_EQ(cells.size(), 4u * n * n);
  int painted = 0;
  for (int32_t cell : cells) painted += cell >= 0;
  // pi * N^2 = 31416 pixels in the disc, give or take its rim
  EXPECT_GT(painted, 31000);
  EXPECT_LT(painted, 31900);
  EXPECT_EQ(cells[(2 * n - 1) * 2 * n + 0], -1);  // top-left corner of the frame
  EXPECT_GE(cells[(2 * n - 1) * 2 * n + n], 2 * n + 1);  // grid (N, 1): picture row 1 won over row 0
}

}  // namespace
}  // namespace gyra
