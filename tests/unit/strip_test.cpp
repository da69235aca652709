#include "render/strip.h"

#include <gtest/gtest.h>

#include <vector>

namespace gyra {
namespace {

// Blue = column, green = row counted from the top.
Surface Numbered(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      surface.View().At(x, s) = {static_cast<uint8_t>(x), static_cast<uint8_t>(height - 1 - s), 0, 0};
  return surface;
}

std::vector<int> TopRowColumns(const Surface& surface, int width) {
  std::vector<int> columns;
  for (int x = 0; x < width; ++x) columns.push_back(surface.View().At(x, surface.height() - 1).blue);
  return columns;
}

std::vector<int> FirstColumnRows(const Surface& surface) {
  std::vector<int> rows;
  for (int s = surface.height() - 1; s >= 0; --s) rows.push_back(surface.View().At(0, s).green);
  return rows;
}

TEST(ScaleNearest, TakesThePixelUnderEachDestinationCentre) {
  const struct { int src_width, dst_width; std::vector<int> columns; } cases[] = {
      {4, 4, {0, 1, 2, 3}},
      {4, 2, {1, 3}},
      {2, 5, {0, 0, 1, 1, 1}},
      {5, 3, {0, 2, 4}},
      {3, 7, {0, 0, 1, 1, 1, 2, 2}},
  };
  for (const auto& c : cases) {
    const Surface src = Numbered(c.src_width, 1);
    Surface dst = *Surface::Create(c.dst_width, 1);
    ScaleNearest(src.View(), {0, 0, c.src_width, 1}, dst.View(), c.dst_width);
    EXPECT_EQ(TopRowColumns(dst, c.dst_width), c.columns) << c.src_width << " -> " << c.dst_width;
  }
}

TEST(ScaleNearest, CountsRowsFromTheTopOfTheBandAndLeavesColumnsPastTheWidth) {
  const Surface src = Numbered(2, 10);
  Surface dst = *Surface::Create(3, 4);
  dst.View().At(2, 0) = {77, 77, 77, 77};
  ScaleNearest(src.View(), {0, 3, 2, 6}, dst.View(), 2);  // rows 3 .. 8 onto 4 rows
  EXPECT_EQ(FirstColumnRows(dst), (std::vector<int>{3, 5, 6, 8}));
  EXPECT_EQ(dst.View().At(2, 0), (Pix_Quad{77, 77, 77, 77}));
}

RenderPlan PlanFor(int width, int height, int radius, int stretch, int frames) {
  RenderOptions options;
  options.Disp_Size = radius;
  options.Flame_Count = frames;
  options.Stretch_On = stretch;
  return std::get<RenderPlan>(PlanRender(width, height, options));
}

TEST(BuildWorkStrip, RepeatsTheFirst2NColumnsAfterTheStrip) {
  const Surface picture = Numbered(40, 10);
  const RenderPlan plan = PlanFor(40, 10, 5, 1, 8);  // strip 20 x 10, work 30 x 10
  const Surface work = BuildWorkStrip(picture.View(), plan);
  ASSERT_EQ(work.width(), 30);
  ASSERT_EQ(work.height(), 10);
  EXPECT_EQ(TopRowColumns(work, 30), (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31,
                                                       33, 35, 37, 39, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
  EXPECT_EQ(FirstColumnRows(work), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(BuildWorkStrip, IsBlackPastTheCopyWhenThePictureIsNarrowerThan2N) {
  Surface picture = *Surface::Create(3, 10);
  for (int i = 0; i < 30; ++i) picture.View().pixels[i] = {5, 5, 5, 0};
  const RenderPlan plan = PlanFor(3, 10, 5, 0, 1);  // Strip_W = 3 / 10 x 10 = 3
  const Surface work = BuildWorkStrip(picture.View(), plan);
  ASSERT_EQ(work.width(), 13);
  for (int x = 0; x < 13; ++x) EXPECT_EQ(work.View().At(x, 4).blue, x < 6 ? 5 : 0) << x;
}

}  // namespace
}  // namespace gyra
