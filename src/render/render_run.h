// A rendering run: the picture, planned by PlanRender, becomes a sequence of
// frames handed one by one, in order, to a callback that shows, saves or
// collects them and may stop the run. The rendering window, the headless tool
// and the tests all run this. Portable.
#pragma once

#include <functional>
#include <string>

#include "core/surface.h"
#include "render/render_plan.h"

namespace gyra {

struct RenderedFrame {
  int frame_number;       // 1, 2, ...
  int caption_count;  // M of the progress caption: frame_number, at most frame_count
  ConstSurfaceView pixels;  // 2N x 2N, valid during the callback only
};

// Returns false to stop the run after this frame.
using FrameCallback = std::function<bool(const RenderedFrame&)>;

// How each frame is mapped onto the ball: by the resolved gather, or by the
// per-sample MapOntoSphere over pixel grids (the definition; slow).
enum class SphereMethod { kGather, kPerSample };

// Renders every frame of the plan: kDone when all were delivered, kCancelled
// when the callback stopped the run, kBadRadius, before any frame, when the
// ball cannot be resolved for the radius.
RenderStatus RenderFrames(ConstSurfaceView picture, const RenderPlan& plan, const FrameCallback& on_frame,
                          SphereMethod method = SphereMethod::kGather);

// "ﾚﾝﾀﾞﾘﾝｸﾞをしています。" + M + "/" + frame_count, in UTF-8.
std::string RenderCaption(int caption_count, int frame_count);

}  // namespace gyra
