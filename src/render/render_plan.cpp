#include "render/render_plan.h"

#include <cstdint>

#include "core/numbers.h"
#include "core/surface.h"

namespace gyra {

float StripWidth(int picture_width, int picture_height, const RenderOptions& options) {
  const int n = options.radius;
  if (options.stretch == 1 || options.trim == 1) return static_cast<float>(4 * n);
  return static_cast<float>(static_cast<double>(picture_width) / picture_height * (2.0 * n));
}

PictureRect TrimBand(int picture_width, int picture_height, int trim_top) {
  // Integer division truncates towards zero, as the band's top is computed.
  const int64_t top = static_cast<int64_t>(trim_top) * picture_height / 100;
  int64_t height = picture_width / 2;
  if (top + height > picture_height) height = picture_height - top;
  return {0, static_cast<int>(top), picture_width, static_cast<int>(height)};
}

std::variant<std::vector<int16_t>, RenderStatus> WindowPositions(float strip_width, float frame_step) {
  std::vector<int16_t> positions;
  int16_t strip_position = 0;
  do {
    positions.push_back(strip_position);
    const float sum = static_cast<float>(strip_position) + frame_step;
    const auto next = RoundToInt16(sum);
    if (!next) return RenderStatus::kStripTooWide;
    if (*next <= strip_position) return RenderStatus::kWindowDoesNotAdvance;
    strip_position = *next;
  } while (strip_position < strip_width);
  return positions;
}

std::variant<RenderPlan, RenderStatus> PlanRender(int picture_width, int picture_height, const RenderOptions& options) {
  const int n = options.radius;
  if (n < 1 || n > INT16_MAX) return RenderStatus::kBadRadius;
  if (options.frame_count < 1 || options.frame_count > INT16_MAX) return RenderStatus::kBadFrameCount;

  RenderPlan plan;
  plan.options = options;
  plan.source = {0, 0, picture_width, picture_height};
  if (options.trim == 1) {
    plan.source = TrimBand(picture_width, picture_height, options.trim_top);
    if (plan.source.y < 0 || plan.source.height < 1) return RenderStatus::kBadTrimBand;
  }
  plan.strip_width = StripWidth(picture_width, picture_height, options);
  plan.strip_height = 2 * n;
  plan.frame_step = plan.strip_width / static_cast<float>(options.frame_count);
  auto positions = WindowPositions(plan.strip_width, plan.frame_step);
  if (auto* refusal = std::get_if<RenderStatus>(&positions)) return *refusal;
  plan.positions = std::move(std::get<std::vector<int16_t>>(positions));
  // strip_width <= 32767 here, since the last position is below it.
  plan.strip_pixels = static_cast<int>(RoundHalfEven(plan.strip_width));
  if (!SurfacePixelCount(plan.strip_pixels + 2 * n, 2 * n)) return RenderStatus::kTooLarge;
  return plan;
}

}  // namespace gyra
