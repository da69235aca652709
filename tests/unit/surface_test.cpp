#include "render/surface.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace gyra {
namespace {

TEST(SurfacePixelCount, RefusesWhatNoDibCouldHold) {
  const struct { int width, height; std::optional<size_t> count; } cases[] = {
      {1, 1, 1},
      {200, 200, 40000},
      {32767, 16383, 536821761},   // 2,147,287,044 bytes: just fits
      {32768, 16384, std::nullopt},  // 2^31 bytes
      {INT32_MAX, INT32_MAX, std::nullopt},
      {0, 10, std::nullopt},
      {10, 0, std::nullopt},
      {-1, 10, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SurfacePixelCount(c.width, c.height), c.count) << c.width << "x" << c.height;
}

TEST(Surface, StartsBlackAndAddressesScanlinesFromTheBottom) {
  Surface surface = *Surface::Create(3, 2);
  SurfaceView view = surface.View();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(view.pixels[i], Pix_Quad{});
  view.At(2, 1) = {1, 2, 3, 4};
  EXPECT_EQ(view.pixels[5], (Pix_Quad{1, 2, 3, 4}));
  EXPECT_FALSE(Surface::Create(0, 5));
}

}  // namespace
}  // namespace gyra
