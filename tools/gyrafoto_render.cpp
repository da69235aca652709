// gyrafoto-render PICTURE OUTDIR [--frames N] [--radius N] [--stretch | --trim TOP]
//
// Renders a picture into a folder of frames exactly as the rendering window
// does, without the dialog: the folder's old *.bmp files are deleted, then
// PicD_001.bmp, PicD_002.bmp, ... are written. Defaults as the dialog's:
// 64 frames, radius 100, the picture's proportions kept. TOP is the trimming
// band's top in hundredths of the picture's height.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/std_file_system.h"
#include "picture_file.h"
#include "render/frame_folder.h"

namespace gyra {
namespace {

constexpr int kUsageError = 2;
constexpr int kRenderError = 1;

const char kUsage[] =
    "usage: gyrafoto-render PICTURE OUTDIR [--frames N] [--radius N] [--stretch | --trim TOP]\n"
    "  PICTURE  a BMP, GIF, JPEG, PNG, WebP, HEIC/HEIF or AVIF file\n"
    "  OUTDIR   the frame folder; its *.bmp files are deleted first\n"
    "  --frames N   frames per turn requested (default 64)\n"
    "  --radius N   radius of the ball in pixels; frames are 2N x 2N (default 100)\n"
    "  --stretch    stretch the whole picture to a 2:1 strip\n"
    "  --trim TOP   use a band half as high as the picture is wide, its top\n"
    "               TOP hundredths of the picture's height down\n";

struct Arguments {
  std::string picture;
  std::string folder;
  RenderOptions options;
};

std::optional<int> WholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// Nothing, after saying why, when the command line is not usable.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args) {
  Arguments parsed;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--stretch") {
      parsed.options.stretch = 1;
      continue;
    }
    if (arg == "--frames" || arg == "--radius" || arg == "--trim") {
      const auto value = i + 1 < args.size() ? WholeNumber(args[++i]) : std::nullopt;
      if (!value) {
        std::fprintf(stderr, "gyrafoto-render: %s needs a whole number\n", arg.c_str());
        return std::nullopt;
      }
      if (arg == "--frames") parsed.options.frame_count = *value;
      if (arg == "--radius") parsed.options.radius = *value;
      if (arg == "--trim") parsed.options.trim = 1, parsed.options.trim_top = *value;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "gyrafoto-render: unknown option %s\n", arg.c_str());
      return std::nullopt;
    }
    positional.push_back(arg);
  }
  if (positional.size() != 2) {
    std::fputs(kUsage, stderr);
    return std::nullopt;
  }
  if (parsed.options.stretch == 1 && parsed.options.trim == 1) {
    std::fputs("gyrafoto-render: --stretch and --trim exclude each other\n", stderr);
    return std::nullopt;
  }
  parsed.picture = positional[0];
  parsed.folder = positional[1];
  return parsed;
}

const char* Explain(RenderStatus status) {
  switch (status) {
    case RenderStatus::kDone: return "done";
    case RenderStatus::kCancelled: return "cancelled";
    case RenderStatus::kFrameNotSaved: return "a frame file could not be written";
    case RenderStatus::kFolderNotCleared: return "the old frames in the folder could not be listed or deleted";
    case RenderStatus::kBadRadius: return "the radius must be 1 to 32767";
    case RenderStatus::kBadFrameCount: return "the frame count must be 1 to 32767";
    case RenderStatus::kBadTrimBand: return "the trimming band lies outside the picture";
    case RenderStatus::kWindowDoesNotAdvance:
      return "the strip is too narrow for this many frames: the picture would not move from frame to frame";
    case RenderStatus::kStripTooWide: return "the strip is too wide (over 32767 pixels)";
    case RenderStatus::kTooLarge: return "the frames or the strip would be too large";
  }
  return "unknown failure";
}

int Run(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args);
  if (!parsed) return kUsageError;
  const auto decoded = LoadPicture(parsed->picture, parsed->options);
  const auto* picture = std::get_if<Surface>(&decoded);
  if (!picture) {
    std::fprintf(stderr, "gyrafoto-render: %s: %s\n", parsed->picture.c_str(), std::get<std::string>(decoded).c_str());
    return kRenderError;
  }
  // Bad options are refused before the folder is made.
  const auto planned = PlanRender(picture->width(), picture->height(), parsed->options);
  if (const auto* refusal = std::get_if<RenderStatus>(&planned)) {
    std::fprintf(stderr, "gyrafoto-render: %s\n", Explain(*refusal));
    return kRenderError;
  }
  StdFileSystem files;
  if (!files.FolderExists(parsed->folder) && !files.CreateFolder(parsed->folder)) {
    std::fprintf(stderr, "gyrafoto-render: cannot create the folder %s\n", parsed->folder.c_str());
    return kRenderError;
  }

  const RenderOptions& options = parsed->options;
  int written = 0;
  const RenderStatus status =
      RenderToFolder(files, parsed->folder, picture->View(), options, [&](const RenderedFrame& frame) {
        written = frame.frame_number;
        std::printf("%s  %d/%d\n", FrameFileName(frame.frame_number).c_str(), frame.caption_count, options.frame_count);
        return true;
      });
  if (status != RenderStatus::kDone) {
    std::fprintf(stderr, "gyrafoto-render: %s\n", Explain(status));
    return kRenderError;
  }
  std::printf("wrote %d frames of %d x %d (%s to %s) into %s\n", written, 2 * options.radius,
              2 * options.radius, FrameFileName(1).c_str(), FrameFileName(written).c_str(), parsed->folder.c_str());
  return 0;
}

int RunGuarded(const std::vector<std::string>& args) {
  try {
    return Run(args);
  } catch (const std::bad_alloc&) {
    std::fputs("gyrafoto-render: not enough memory for this picture and radius\n", stderr);
    return kRenderError;
  }
}

}  // namespace
}  // namespace gyra

#ifdef _WIN32
// Wide arguments, so that any file name arrives; the core takes UTF-8.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u8string text = std::filesystem::path(argv[i]).u8string();
    args.emplace_back(text.begin(), text.end());
  }
  return gyra::RunGuarded(args);
}
#else
int main(int argc, char** argv) { return gyra::RunGuarded(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
