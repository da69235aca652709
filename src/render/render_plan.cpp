#include "render/render_plan.h"

#include <cstdint>

#include "core/numbers.h"
#include "render/surface.h"

namespace gyra {

float StripWidth(int picture_width, int picture_height, const RenderOptions& options) {
  const int n = options.Disp_Size;
  if (options.Stretch_On == 1 || options.Trim_On == 1) return static_cast<float>(4 * n);
  return static_cast<float>(static_cast<double>(picture_width) / picture_height * (2.0 * n));
}

PictureRect TrimBand(int picture_width, int picture_height, int Trim_Y) {
  // Integer division truncates towards zero, as the band's top is computed.
  const int64_t top = static_cast<int64_t>(Trim_Y) * picture_height / 100;
  int64_t height = picture_width / 2;
  if (top + height > picture_height) height = picture_height - top;
  return {0, static_cast<int>(top), picture_width, static_cast<int>(height)};
}

std::variant<std::vector<int16_t>, RenderStatus> WindowPositions(float Strip_W, float Flame_Step) {
  std::vector<int16_t> positions;
  int16_t Strip_Pos = 0;
  do {
    positions.push_back(Strip_Pos);
    const float sum = static_cast<float>(Strip_Pos) + Flame_Step;
    const auto next = RoundToInt16(sum);
    if (!next) return RenderStatus::kStripTooWide;
    if (*next <= Strip_Pos) return RenderStatus::kWindowDoesNotAdvance;
    Strip_Pos = *next;
  } while (Strip_Pos < Strip_W);
  return positions;
}

std::variant<RenderPlan, RenderStatus> PlanRender(int picture_width, int picture_height, const RenderOptions& options) {
  const int n = options.Disp_Size;
  if (n < 1 || n > INT16_MAX) return RenderStatus::kBadRadius;
  if (options.Flame_Count < 1 || options.Flame_Count > INT16_MAX) return RenderStatus::kBadFrameCount;

  RenderPlan plan;
  plan.options = options;
  plan.source = {0, 0, picture_width, picture_height};
  if (options.Trim_On == 1) {
    plan.source = TrimBand(picture_width, picture_height, options.Trim_Y);
    if (plan.source.y < 0 || plan.source.height < 1) return RenderStatus::kBadTrimBand;
  }
  plan.Strip_W = StripWidth(picture_width, picture_height, options);
  plan.Strip_H = 2 * n;
  plan.Flame_Step = plan.Strip_W / static_cast<float>(options.Flame_Count);
  auto positions = WindowPositions(plan.Strip_W, plan.Flame_Step);
  if (auto* refusal = std::get_if<RenderStatus>(&positions)) return *refusal;
  plan.positions = std::move(std::get<std::vector<int16_t>>(positions));
  // Strip_W <= 32767 here, since the last position is below it.
  plan.strip_pixels = static_cast<int>(RoundHalfEven(plan.Strip_W));
  if (!SurfacePixelCount(plan.strip_pixels + 2 * n, 2 * n)) return RenderStatus::kTooLarge;
  return plan;
}

}  // namespace gyra
