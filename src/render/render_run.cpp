#include "render/render_run.h"

#include <algorithm>
#include <stdexcept>

#include "render/pixel_grid.h"
#include "render/sphere_gather.h"
#include "render/sphere_map.h"
#include "render/strip.h"

namespace gyra {

namespace {

Surface SquareSurface(int side) {
  auto surface = Surface::Create(side, side);
  if (!surface) throw std::length_error("frame too large");  // PlanRender checked the strip, which is larger
  return std::move(*surface);
}

// The definition: cut the window out of the strip, read it into a fresh
// grid, map it, write the grid into the frame. A failed mapping leaves the
// frame as it was, as the transform's error leaves the shown frame.
class PerSampleFrames {
 public:
  explicit PerSampleFrames(int radius)
      : args_(RunSphereArgs(radius)), side_(2 * radius), bef_(SquareSurface(side_)), dst_(side_, side_) {}

  void Render(ConstSurfaceView strip, int strip_position, SurfaceView frame) {
    SurfaceView bef = bef_.View();
    for (int s = 0; s < side_; ++s) std::copy_n(&strip.At(strip_position, s), side_, &bef.At(0, s));
    PixelGrid src(side_, side_);
    CopySurfaceToGrid(bef, src);
    if (MapOntoSphere(src, args_, dst_)) CopyGridToSurface(dst_, frame);
  }

 private:
  SphereArgs args_;
  int side_;
  Surface bef_;
  PixelGrid dst_;
};

// Draws each frame with draw(strip_position, frame) and hands it on.
template <class Draw>
bool DeliverFrames(const RenderPlan& plan, Draw draw, const FrameCallback& on_frame) {
  Surface frame = SquareSurface(plan.strip_height);
  int frame_number = 0;
  for (const int16_t strip_position : plan.positions) {
    ++frame_number;
    draw(strip_position, frame.View());
    const int caption_count = std::min(frame_number, plan.options.frame_count);
    if (!on_frame({frame_number, caption_count, frame.View()})) return false;
  }
  return true;
}

}  // namespace

RenderStatus RenderFrames(ConstSurfaceView picture, const RenderPlan& plan, const FrameCallback& on_frame,
                          SphereMethod method) {
  const int radius = plan.options.radius;
  const Surface work = BuildWorkStrip(picture, plan);
  bool finished = false;
  if (method == SphereMethod::kGather) {
    const std::optional<SphereGather> gather = SphereGather::For(radius, work.width());
    if (!gather) return RenderStatus::kBadRadius;
    finished =
        DeliverFrames(plan, [&](int pos, SurfaceView frame) { gather->Render(work.View(), pos, frame); }, on_frame);
  } else {
    PerSampleFrames per_sample(radius);
    finished =
        DeliverFrames(plan, [&](int pos, SurfaceView frame) { per_sample.Render(work.View(), pos, frame); }, on_frame);
  }
  return finished ? RenderStatus::kDone : RenderStatus::kCancelled;
}

std::string RenderCaption(int caption_count, int frame_count) {
  return "ﾚﾝﾀﾞﾘﾝｸﾞをしています。" + std::to_string(caption_count) + "/" + std::to_string(frame_count);
}

}  // namespace gyra
