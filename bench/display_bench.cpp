// Display speed: loading 134 frames of 400 x 400 into memory, and the cost of
// one step's drawing and presenting at 1920 x 1080 and 3840 x 2160 (the
// changed rectangles only, against a full clear and full repaint).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/std_file_system.h"
#include "display/motion.h"
#include "display/win32/display_surface.h"
#include "display/win32/frame_images.h"
#include "render/bmp.h"
#include "toolkit/form.h"
#include "toolkit/message_loop.h"

namespace gyra {
namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::vector<std::string> WriteFrames(const std::string& folder, int count, int size) {
  std::filesystem::create_directories(folder);
  StdFileSystem fs;
  std::vector<std::string> paths;
  for (int i = 1; i <= count; ++i) {
    Surface frame = *Surface::Create(size, size);
    SurfaceView view = frame.View();
    for (int s = 0; s < size; ++s)
      for (int x = 0; x < size; ++x) view.At(x, s) = {uint8_t(x + i), uint8_t(s), uint8_t(i * 3), 0};
    char name[32];
    snprintf(name, sizeof(name), "\\PicD_%03d.bmp", i);
    paths.push_back(folder + name);
    fs.WriteFileReplacing(paths.back(), EncodeBmp(frame.View()));
  }
  return paths;
}

double StepCost(FrameImages& frames, int width, int height, bool full) {
  Form form;
  form.Create({.title = L"bench", .style = WS_POPUP | WS_CLIPCHILDREN, .bounds = {0, 0, width, height}});
  DisplaySurface surface;
  surface.Create(form.hwnd(), 0, 0, width, height);
  form.Show();
  DoEvents();
  auto motion = MakeMotion(1, width, height, 200, 0.3);
  const int steps = 300;
  const DWORD gdi_before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const auto start = Clock::now();
  double drawing = 0;
  for (int i = 0; i < steps; ++i) {
    const auto step_start = Clock::now();
    const Point p = motion->Step();
    const int16_t frame = static_cast<int16_t>(i % frames.count() + 1);
    if (full) {
      RECT all{0, 0, width, height};
      FillRect(surface.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      frames.Draw(frame, surface.dc(), p.x - 200, p.y - 200);
      HDC screen = GetDC(surface.hwnd());
      BitBlt(screen, 0, 0, width, height, surface.dc(), 0, 0, SRCCOPY);
      ReleaseDC(surface.hwnd(), screen);
      GdiFlush();
    } else {
      surface.ShowFrame(frames, frame, p.x - 200, p.y - 200);
    }
    drawing += Seconds(step_start);
    DoEvents();
  }
  const double per_step = Seconds(start) / steps;
  printf("  %dx%d %s: %.3f ms drawing and presenting, %.3f ms with the yield (GDI objects %lu -> %lu)\n", width,
         height, full ? "whole surface      " : "changed rectangles ", drawing / steps * 1000, per_step * 1000,
         gdi_before, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  return per_step;
}

int Run() {
  const std::string folder = "C:\\display_bench_frames";
  const auto paths = WriteFrames(folder, 134, 400);
  const StdFileSystem files;
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    FrameImages frames;
    const auto start = Clock::now();
    frames.Load(paths, files, [] {});
    best = std::min(best, Seconds(start));
  }
  printf("load 134 frames of 400x400: %.3f s (best of 3)\n", best);
  FrameImages frames;
  frames.Load(paths, files, [] {});
  printf("step cost:\n");
  for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    StepCost(frames, w, h, false);
    StepCost(frames, w, h, true);
  }
  std::filesystem::remove_all(folder);
  return 0;
}

}  // namespace
}  // namespace gyra

int main() { return gyra::Run(); }
