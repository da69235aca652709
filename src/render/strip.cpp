#include "render/strip.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace gyra {

namespace {

// For each of `count` destination positions, the source position under its
// centre within [first, first + length).
std::vector<int> NearestIndices(int first, int length, int count) {
  std::vector<int> indices(count);
  for (int i = 0; i < count; ++i)
    indices[i] = first + static_cast<int>((2 * static_cast<int64_t>(i) + 1) * length / (2 * static_cast<int64_t>(count)));
  return indices;
}

}  // namespace

void ScaleNearest(ConstSurfaceView src, PictureRect from, SurfaceView dst, int dst_width) {
  const std::vector<int> columns = NearestIndices(from.x, from.width, dst_width);
  const std::vector<int> rows = NearestIndices(from.y, from.height, dst.height);
  for (int j = 0; j < dst.height; ++j) {
    const int src_scanline = src.height - 1 - rows[j];
    const int dst_scanline = dst.height - 1 - j;
    for (int i = 0; i < dst_width; ++i) dst.At(i, dst_scanline) = src.At(columns[i], src_scanline);
  }
}

Surface BuildWorkStrip(ConstSurfaceView picture, const RenderPlan& plan) {
  const int side = plan.strip_height;
  auto work = Surface::Create(plan.strip_pixels + side, side);
  if (!work) throw std::length_error("strip too large");  // PlanRender checked the size
  SurfaceView view = work->View();
  ScaleNearest(picture, plan.source, view, plan.strip_pixels);
  const int copied = std::min(side, plan.strip_pixels);
  for (int s = 0; s < side; ++s) std::copy_n(&view.At(0, s), copied, &view.At(plan.strip_pixels, s));
  return std::move(*work);
}

}  // namespace gyra
