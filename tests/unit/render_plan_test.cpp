#include "render/render_plan.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

RenderOptions Options(int radius, int frames, int stretch = 0) {
  RenderOptions o;
  o.Disp_Size = radius;
  o.Flame_Count = frames;
  o.Stretch_On = stretch;
  return o;
}

RenderPlan Plan(int width, int height, const RenderOptions& options) {
  auto planned = PlanRender(width, height, options);
  EXPECT_TRUE(std::holds_alternative<RenderPlan>(planned));
  return std::get<RenderPlan>(planned);
}

RenderStatus Refusal(int width, int height, const RenderOptions& options) {
  auto planned = PlanRender(width, height, options);
  EXPECT_TRUE(std::holds_alternative<RenderStatus>(planned));
  return std::holds_alternative<RenderStatus>(planned) ? std::get<RenderStatus>(planned) : RenderStatus::kDone;
}

TEST(PlanRender, EveryRowOfTheFrameTable) {
  const struct {
    int width, height;
    RenderOptions options;
    float strip_w, step;
    int second, last, frames;
  } rows[] = {
      {300, 300, Options(100, 64, 1), 400, 6.25f, 6, 396, 67},
      {300, 300, Options(100, 128, 1), 400, 3.125f, 3, 399, 134},
      {300, 300, Options(100, 8, 1), 400, 50, 50, 350, 8},
      {300, 300, Options(200, 64, 1), 800, 12.5f, 12, 792, 67},  // ties go to the even value
      {300, 300, Options(50, 128, 1), 200, 1.5625f, 2, 198, 100},
      {640, 480, Options(100, 64), 266.66666f, 4.1666665f, 4, 264, 67},
  };
  for (const auto& r : rows) {
    const RenderPlan plan = Plan(r.width, r.height, r.options);
    EXPECT_EQ(plan.Strip_W, r.strip_w) << r.strip_w;
    EXPECT_EQ(plan.Flame_Step, r.step) << r.strip_w;
    ASSERT_EQ(plan.positions.size(), static_cast<size_t>(r.frames)) << r.strip_w;
    EXPECT_EQ(plan.positions[0], 0);
    EXPECT_EQ(plan.positions[1], r.second) << r.strip_w;
    EXPECT_EQ(plan.positions.back(), r.last) << r.strip_w;
  }
}

TEST(PlanRender, AsIsStripKeepsThePicturesProportionsInSinglePrecision) {
  const RenderPlan plan = Plan(640, 480, Options(100, 64));
  EXPECT_EQ(plan.Strip_W, static_cast<float>(640.0 / 480.0 * 200.0));
  EXPECT_NE(static_cast<double>(plan.Strip_W), 640.0 / 480.0 * 200.0);  // the float, not the double
  EXPECT_EQ(plan.Strip_H, 200);
  EXPECT_EQ(plan.strip_pixels, 267);
  EXPECT_EQ(plan.source, (PictureRect{0, 0, 640, 480}));
  // 4.1666665 added to a whole number always rounds down: every shift is 4.
  for (size_t i = 1; i < plan.positions.size(); ++i) EXPECT_EQ(plan.positions[i] - plan.positions[i - 1], 4) << i;
}

TEST(PlanRender, NoWindowStartsPastTheScaledPicture) {
  // The strip is round(Strip_W) + 2N wide, so every window fits when the last
  // position is at most round(Strip_W).
  for (int width = 137; width <= 1500; width += 7)
    for (int frames : {8, 13, 64, 128}) {
      const RenderPlan plan = Plan(width, 137, Options(100, frames));
      EXPECT_LE(plan.positions.back(), plan.strip_pixels) << width << " " << frames;
    }
}

TEST(PlanRender, StretchingAndTrimmingMakeA4NStripWhateverThePicture) {
  RenderOptions trim = Options(100, 64);
  trim.Trim_On = 1;
  trim.Trim_Y = 10;
  const RenderPlan landscape = Plan(640, 480, trim);
  EXPECT_EQ(landscape.Strip_W, 400);
  EXPECT_EQ(landscape.source, (PictureRect{0, 48, 640, 320}));
  EXPECT_EQ(Plan(100, 900, Options(100, 64, 1)).Strip_W, 400);
  EXPECT_EQ(Plan(100, 900, Options(100, 64, 1)).source, (PictureRect{0, 0, 100, 900}));
}

TEST(TrimBand, HalfAsHighAsWideFromTrimYAndCutAtTheBottom) {
  const struct { int width, height, trim_y; PictureRect band; } cases[] = {
      {640, 480, 0, {0, 0, 640, 320}},
      {640, 480, 10, {0, 48, 640, 320}},
      {400, 500, 60, {0, 300, 400, 200}},   // exactly reaches the bottom
      {400, 500, 70, {0, 350, 400, 150}},   // cut to PicH - T0
      {401, 250, 33, {0, 82, 401, 168}},    // 82.5 truncated; 401 \ 2 = 200, cut to 168
      {640, 480, 100, {0, 480, 640, 0}},    // nothing left
      {640, 50, -1, {0, 0, 640, 50}},       // -0.5 truncates to 0
  };
  for (const auto& c : cases) EXPECT_EQ(TrimBand(c.width, c.height, c.trim_y), c.band) << c.trim_y;
}

TEST(WindowPositions, StopsWhenTheSumCannotMoveOrStore) {
  EXPECT_EQ(std::get<RenderStatus>(WindowPositions(100, 0.5f)), RenderStatus::kWindowDoesNotAdvance);
  EXPECT_EQ(std::get<RenderStatus>(WindowPositions(40000, 40000)), RenderStatus::kStripTooWide);
  EXPECT_EQ(std::get<RenderStatus>(WindowPositions(32768, 1)), RenderStatus::kStripTooWide);
  const auto uneven = std::get<std::vector<int16_t>>(WindowPositions(3, 0.6f));  // 0.6, 1.6, 2.6
  EXPECT_EQ(uneven, (std::vector<int16_t>{0, 1, 2}));
  EXPECT_EQ(std::get<std::vector<int16_t>>(WindowPositions(32767, 32767)).size(), 1u);
}

TEST(PlanRender, RefusesRunsThatCannotWorkBeforeTheyStart) {
  RenderOptions trim = Options(100, 64);
  trim.Trim_On = 1;
  const struct {
    int width, height;
    RenderOptions options;
    int trim_y;
    RenderStatus status;
  } cases[] = {
      {640, 480, Options(0, 64), 0, RenderStatus::kBadRadius},
      {640, 480, Options(32768, 64), 0, RenderStatus::kBadRadius},
      {640, 480, Options(100, 0), 0, RenderStatus::kBadFrameCount},
      {640, 480, Options(100, 32768), 0, RenderStatus::kBadFrameCount},
      {640, 480, trim, 100, RenderStatus::kBadTrimBand},
      {640, 480, trim, -10, RenderStatus::kBadTrimBand},
      {1, 480, trim, 0, RenderStatus::kBadTrimBand},       // 1 \ 2 = 0 rows
      {1, 400, Options(100, 64), 0, RenderStatus::kWindowDoesNotAdvance},  // Strip_W 0.5
      {640, 480, Options(100, 1000), 0, RenderStatus::kWindowDoesNotAdvance},
      {40000, 100, Options(100, 64), 0, RenderStatus::kStripTooWide},
      {10, 10, Options(8192, 1, 1), 0, RenderStatus::kStripTooWide},  // Strip_W 32768
      {10, 10, Options(8191, 1, 1), 0, RenderStatus::kTooLarge},      // 49146 x 16382
  };
  for (const auto& c : cases) {
    RenderOptions options = c.options;
    options.Trim_Y = c.trim_y;
    EXPECT_EQ(Refusal(c.width, c.height, options), c.status) << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace gyra
