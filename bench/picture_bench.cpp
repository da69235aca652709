// A huge photo through the headless renderer on Linux: a 16384 x 12288 JPEG
// (200 megapixels) and a 640 x 480 one, written here row by row, each rendered
// by gyrafoto-render (64 frames, N = 100) in a child process. Prints the wall
// time and the child's peak memory of each, and their ratio, so the figures
// hold on a noisy machine. Goals for the huge one: 0.5 s and 150 MB.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// Smooth gradients under fine grain, at quality 90: about as many bytes per
// pixel as a phone's photo.
bool WriteJpeg(const std::string& path, int width, int height) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t{3} * width);
  while (info.next_scanline < info.image_height) {
    const unsigned y = info.next_scanline;
    for (int x = 0; x < width; ++x) {
      const unsigned grain = (x * 2654435761u ^ y * 40503u) >> 27;  // 0 .. 31
      row[3 * x] = static_cast<JSAMPLE>(x * 223 / width + grain);
      row[3 * x + 1] = static_cast<JSAMPLE>(y * 223 / height + grain);
      row[3 * x + 2] = static_cast<JSAMPLE>(128 + grain);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

struct Figures {
  bool ok = false;
  double seconds = 0;
  double megabytes = 0;
};

// One run of the tool in a child process, its output discarded.
Figures Render(const std::string& picture, const std::string& folder) {
  const auto start = std::chrono::steady_clock::now();
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execl(GYRAFOTO_RENDER_TOOL, GYRAFOTO_RENDER_TOOL, picture.c_str(), folder.c_str(), "--frames", "64", "--radius",
          "100", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return {};
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, seconds, usage.ru_maxrss / 1024.0};
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path temp = fs::temp_directory_path() / ("gyrafoto-picture-bench-" + std::to_string(getpid()));
  fs::create_directory(temp);
  std::printf("%-12s %10s %8s %8s\n", "picture", "file MB", "wall s", "peak MB");
  Figures small;
  for (const auto& [width, height] : {std::pair{640, 480}, std::pair{16384, 12288}}) {
    const std::string picture = (temp / (std::to_string(width) + ".jpg")).string();
    if (!WriteJpeg(picture, width, height)) {
      std::printf("cannot write %s\n", picture.c_str());
      return 1;
    }
    Figures best;
    for (int round = 0; round < 3; ++round) {
      const Figures run = Render(picture, (temp / "frames").string());
      if (!run.ok) {
        std::printf("gyrafoto-render failed on %s\n", picture.c_str());
        return 1;
      }
      if (!best.ok || run.seconds < best.seconds) best = run;
    }
    if (width == 640) small = best;
    std::printf("%5dx%-6d %10.2f %8.3f %8.1f", width, height, fs::file_size(picture) / 1e6, best.seconds,
                best.megabytes);
    if (width != 640) std::printf("   (%.1f x the time, %.1f x the memory of 640x480)", best.seconds / small.seconds,
                                  best.megabytes / small.megabytes);
    std::printf("\n");
  }
  fs::remove_all(temp);
  return 0;
}
