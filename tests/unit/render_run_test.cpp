#include "render/render_run.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace gyra {
namespace {

Surface NoisePicture(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  std::mt19937 random(width + height);
  for (int i = 0; i < width * height; ++i) {
    const uint32_t v = random();
    surface.View().pixels[i] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                                0xFF};
  }
  return surface;
}

RenderPlan PlanFor(const Surface& picture, int radius, int frames, int stretch) {
  RenderOptions options;
  options.Disp_Size = radius;
  options.Flame_Count = frames;
  options.Stretch_On = stretch;
  return std::get<RenderPlan>(PlanRender(picture.width(), picture.height(), options));
}

struct Delivered {
  std::vector<int> numbers, counts;
  std::vector<std::vector<Pix_Quad>> frames;
};

Delivered Collect(const Surface& picture, const RenderPlan& plan, SphereMethod method, int stop_after = -1) {
  Delivered d;
  RenderFrames(picture.View(), plan, [&](const RenderedFrame& f) {
    d.numbers.push_back(f.Flame_No);
    d.counts.push_back(f.caption_count);
    d.frames.emplace_back(f.pixels.pixels, f.pixels.pixels + f.pixels.width * f.pixels.height);
    EXPECT_EQ(f.pixels.width, plan.Strip_H);
    EXPECT_EQ(f.pixels.height, plan.Strip_H);
    return f.Flame_No != stop_after;
  }, method);
  return d;
}

TEST(RenderFrames, DeliversEveryFrameWithTheCaptionCounterStoppingAtFlameCount) {
  const Surface picture = NoisePicture(300, 150);
  const Delivered d = Collect(picture, PlanFor(picture, 100, 64, 1), SphereMethod::kGather);
  ASSERT_EQ(d.numbers.size(), 67u);
  for (int i = 0; i < 67; ++i) {
    EXPECT_EQ(d.numbers[i], i + 1);
    EXPECT_EQ(d.counts[i], i < 64 ? i + 1 : 64);
  }
  EXPECT_NE(d.frames[0], d.frames[1]);
}

TEST(RenderFrames, GatherFramesAreThePerSampleFramesOverAWholeRun) {
  // An odd-sized picture in as-is mode: the strip is scaled, and the last
  // windows run past its end into the copied beginning.
  const Surface picture = NoisePicture(97, 61);
  const RenderPlan plan = PlanFor(picture, 20, 8, 0);
  ASSERT_GT(plan.positions.back() + 40, plan.strip_pixels);
  const Delivered fast = Collect(picture, plan, SphereMethod::kGather);
  const Delivered slow = Collect(picture, plan, SphereMethod::kPerSample);
  ASSERT_EQ(fast.frames.size(), plan.positions.size());
  EXPECT_EQ(fast.frames, slow.frames);
}

TEST(RenderFrames, StopsRightAfterTheFrameTheCallbackRefuses) {
  const Surface picture = NoisePicture(64, 32);
  const RenderPlan plan = PlanFor(picture, 16, 8, 0);
  const Delivered d = Collect(picture, plan, SphereMethod::kGather, 3);
  EXPECT_EQ(d.numbers, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(RenderFrames(picture.View(), plan, [](const RenderedFrame&) { return false; }), RenderStatus::kCancelled);
  EXPECT_EQ(RenderFrames(picture.View(), plan, [](const RenderedFrame&) { return true; }), RenderStatus::kDone);
}

TEST(RenderCaption, TextThenCounterSlashCount) {
  EXPECT_EQ(RenderCaption(12, 64), "ﾚﾝﾀﾞﾘﾝｸﾞをしています。12/64");
  // Half-width katakana: "ﾚ" is U+FF9A, three bytes in UTF-8.
  EXPECT_EQ(RenderCaption(1, 8).substr(0, 3), "\xEF\xBE\x9A");
  EXPECT_EQ(RenderCaption(128, 128).size(), 24u + 21u + 7u);
}

}  // namespace
}  // namespace gyra
