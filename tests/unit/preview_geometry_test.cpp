#include "settings/preview_geometry.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

TEST(PreviewFor, TheLongerSideIsOneHundred) {
  const struct { int width, height; PreviewSize preview; } cases[] = {
      {640, 480, {100, 75}}, {300, 400, {75, 100}}, {400, 500, {80, 100}}, {200, 200, {100, 100}},
      {1, 1, {100, 100}},    {800, 200, {100, 25}}, {101, 200, {50, 100}},  // 50.5 -> 50
      {200, 103, {100, 52}},                                                  // 51.5 -> 52
      {1000, 3, {100, 1}},   {3000, 1, {100, 1}},   {1, 3000, {1, 100}},     // never 0 px
  };
  for (const auto& c : cases)
    EXPECT_EQ(PreviewFor(c.width, c.height, false), c.preview) << c.width << " x " << c.height;
}

TEST(PreviewFor, StretchedIsAlwaysOneHundredByFifty) {
  for (auto [width, height] : {std::pair{640, 480}, {300, 400}, {50, 5000}, {0, 0}})
    EXPECT_EQ(PreviewFor(width, height, true), (PreviewSize{100, 50})) << width << " x " << height;
}

TEST(PreviewFor, WithoutAPictureTheDesignSizeStays) {
  EXPECT_EQ(PreviewFor(0, 0, false), (PreviewSize{100, 100}));
  EXPECT_EQ(PreviewFor(0, 480, false), (PreviewSize{100, 100}));
}

TEST(TrimFrameFor, TheBandIsHalfAsHighAsWideAndSlidesOverTheRest) {
  const struct { PreviewSize preview; TrimFrame frame; } cases[] = {
      {{80, 100}, {80, 40, 60}},     // the 400 x 500 picture
      {{100, 100}, {100, 50, 50}},   // no picture: the design preview
      {{75, 100}, {75, 38, 62}},     // 37.5 and 62.5 round to even
      {{77, 100}, {77, 38, 62}},     // 38.5 -> 38, 61.5 -> 62
      {{100, 75}, {100, 50, 25}},
      {{100, 25}, {100, 50, -25}},   // more than twice as wide as high
  };
  for (const auto& c : cases)
    EXPECT_EQ(TrimFrameFor(c.preview), c.frame) << c.preview.width << " x " << c.preview.height;
}

TEST(ProportionRefused, OnlyATallPreviewInAsIsMode) {
  EXPECT_TRUE(ProportionRefused({75, 100}, false, false));
  EXPECT_FALSE(ProportionRefused({75, 100}, true, false));
  EXPECT_FALSE(ProportionRefused({75, 100}, false, true));
  EXPECT_FALSE(ProportionRefused({100, 100}, false, false));
  EXPECT_FALSE(ProportionRefused({100, 75}, false, false));
}

}  // namespace
}  // namespace gyra
