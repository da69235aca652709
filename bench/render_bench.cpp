// Rendering speed: whole runs into a temporary folder, files included, for the
// largest job (N = 200, 128 frames requested) and the default job (N = 100,
// 64 frames) from a 640 x 480 and an 800 x 400 picture, against the same run
// mapped sample by sample. Prints wall time, frames per second and the ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "core/std_file_system.h"
#include "render/bmp.h"
#include "render/frame_folder.h"

namespace gyra {
namespace {

using Clock = std::chrono::steady_clock;

// Smooth gradients with noise, so neighbouring frames differ everywhere.
Surface TestPicture(int width, int height) {
  Surface picture = *Surface::Create(width, height);
  std::mt19937 random(width * 7919 + height);
  SurfaceView view = picture.View();
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      view.At(x, s) = {static_cast<uint8_t>(x * 255 / width), static_cast<uint8_t>(s * 255 / height),
                       static_cast<uint8_t>(random() & 0xFF), 0};
  return picture;
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Best of a few end-to-end runs, as the rendering window runs them.
double FastRun(StdFileSystem& fs, const std::string& folder, const Surface& picture, const RenderOptions& options,
               int& frames) {
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    frames = 0;
    const RenderStatus status = RenderToFolder(fs, folder, picture.View(), options, [&](const RenderedFrame&) {
      ++frames;
      return true;
    });
    best = std::min(best, Seconds(start));
    if (status != RenderStatus::kDone) std::printf("  run failed (%d)\n", static_cast<int>(status));
  }
  return best;
}

// The same frames and files, each frame mapped by the per-sample definition.
double PerSampleRun(StdFileSystem& fs, const std::string& folder, const Surface& picture,
                    const RenderOptions& options) {
  const auto start = Clock::now();
  const RenderPlan plan = std::get<RenderPlan>(PlanRender(picture.width(), picture.height(), options));
  RenderFrames(picture.View(), plan, [&](const RenderedFrame& frame) {
    return fs.WriteFileReplacing(folder + "\\" + FrameFileName(frame.frame_number), EncodeBmp(frame.pixels));
  }, SphereMethod::kPerSample);
  return Seconds(start);
}

int Run() {
  namespace fs = std::filesystem;
  const fs::path temp = fs::temp_directory_path() / ("gyrafoto-bench-" + std::to_string(std::random_device()()));
  fs::create_directory(temp);
  const std::string folder = temp.string();
  StdFileSystem files;

  std::printf("%-9s %4s %6s %7s %10s %8s %12s %8s\n", "picture", "N", "asked", "written", "wall s", "fps",
              "per-sample s", "ratio");
  for (const auto& [width, height] : {std::pair{640, 480}, std::pair{800, 400}}) {
    const Surface picture = TestPicture(width, height);
    for (const auto& [radius, count] : {std::pair{200, 128}, std::pair{100, 64}}) {
      RenderOptions options;
      options.radius = radius;
      options.frame_count = count;
      int frames = 0;
      const double fast = FastRun(files, folder, picture, options, frames);
      const double slow = PerSampleRun(files, folder, picture, options);
      std::printf("%4dx%-4d %4d %6d %7d %10.4f %8.0f %12.3f %8.0f\n", width, height, radius, count, frames, fast,
                  frames / fast, slow, slow / fast);
    }
  }
  fs::remove_all(temp);
  return 0;
}

}  // namespace
}  // namespace gyra

int main() { return gyra::Run(); }
