// Decoding speed and memory of the shipped decoder: each picture given is
// decoded as the dialog and the rendering window decode it, best of three,
// beside a 640 x 480 picture decoded the same way, so the ratio holds on a
// busy machine. A Windows program: run it under Wine or on Windows, one
// large picture per run (the peak memory is the process's).
//   decode_bench SMALL.jpg PHOTO.jpg
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <variant>

#include "core/win32/wide_text.h"
#include "render/win32/picture_decoder.h"

namespace {

using Clock = std::chrono::steady_clock;

double BestDecodeSeconds(const std::string& path, int& width, int& height) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    const auto loaded = gyra::LoadPictureFile(path);
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    const auto* picture = std::get_if<gyra::Surface>(&loaded);
    width = picture ? picture->width() : 0;
    height = picture ? picture->height() : 0;
  }
  return best;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  double first = 0;
  for (int i = 1; i < argc; ++i) {
    int width = 0, height = 0;
    const double seconds = BestDecodeSeconds(gyra::Narrow(argv[i]), width, height);
    if (i == 1) first = seconds;
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%ls: %dx%d in %.3f s (%.1f x the first), peak %.0f MB so far\n", argv[i], width, height, seconds,
                seconds / first, memory.PeakWorkingSetSize / 1048576.0);
  }
  return 0;
}
