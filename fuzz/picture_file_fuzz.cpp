// Any bytes as a picture file for the headless renderer, then the plan for
// what decoded with any options: no crash; the windows rise inside the strip.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "picture_file.h"
#include "render/picture_size.h"
#include "render/render_plan.h"

// libheif 1.15 hands an AV1 picture in a file branded HEIC to dav1d and
// leaks 40 bytes of it when the picture is damaged; the tool then refuses it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdav1d.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  gyra::RenderOptions options{.radius = input.ConsumeIntegralInRange(-2, 40000),
                              .frame_count = input.ConsumeIntegralInRange(-2, 40000),
                              .stretch = input.ConsumeIntegralInRange(0, 1)};
  options.trim = options.stretch ? 0 : input.ConsumeIntegralInRange(0, 1);
  options.trim_top = input.ConsumeIntegralInRange(-200, 200);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  // Larger headers only fill memory: DecodePicture's limit is beyond a fuzzer's budget.
  const auto header = gyra::PictureHeaderSize(std::string_view(bytes).substr(0, gyra::kPictureHeadBytes));
  if (header && static_cast<double>(header->width) * header->height > 4e6) return 0;  // sizes reach 2^32 - 1
  const auto decoded = gyra::DecodePicture(bytes, options);
  const auto* picture = std::get_if<gyra::Surface>(&decoded);
  if (!picture) return 0;
  const auto planned = gyra::PlanRender(picture->width(), picture->height(), options);
  if (const auto* plan = std::get_if<gyra::RenderPlan>(&planned)) {
    Check(!plan->positions.empty() && plan->positions.front() == 0 && plan->positions.back() < plan->strip_width);
    for (size_t i = 1; i < plan->positions.size(); ++i) Check(plan->positions[i] > plan->positions[i - 1]);
    const gyra::PictureRect& s = plan->source;
    Check(s.x >= 0 && s.y >= 0 && s.width >= 1 && s.height >= 1 && s.x + s.width <= picture->width() &&
          s.y + s.height <= picture->height());
  }
  return 0;
}
