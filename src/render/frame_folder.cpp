#include "render/frame_folder.h"

#include <cstdio>
#include <string_view>

#include "data/frame_files.h"
#include "render/bmp.h"

namespace gyra {

namespace {

// A frame, or what an interrupted write of one left ("PicD_001.bmp.new").
bool IsFrameOrUnfinishedFrame(std::string_view name) {
  if (name.ends_with(kUnfinishedSuffix)) name.remove_suffix(kUnfinishedSuffix.size());
  return IsBitmapFileName(std::string(name));
}

bool RemoveOldFrames(FileSystem& fs, const std::string& folder) {
  const auto entries = fs.ListFolder(folder);
  if (!entries) return false;
  for (const FolderEntry& entry : *entries) {
    if (entry.is_directory || !IsFrameOrUnfinishedFrame(entry.name)) continue;
    if (!fs.RemoveFile(folder + "\\" + entry.name)) return false;
  }
  return true;
}

}  // namespace

std::string FrameFileName(int frame_number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", frame_number);
  return std::string("PicD_") + digits + ".bmp";
}

RenderStatus RenderToFolder(FileSystem& fs, const std::string& folder, ConstSurfaceView picture,
                            const RenderOptions& options, const FrameCallback& on_frame) {
  const auto planned = PlanRender(picture.width, picture.height, options);
  if (const auto* refusal = std::get_if<RenderStatus>(&planned)) return *refusal;
  if (!RemoveOldFrames(fs, folder)) return RenderStatus::kFolderNotCleared;

  bool saved = true;
  const RenderStatus status = RenderFrames(picture, std::get<RenderPlan>(planned), [&](const RenderedFrame& frame) {
    saved = fs.WriteFileReplacing(folder + "\\" + FrameFileName(frame.frame_number), EncodeBmp(frame.pixels));
    return saved && on_frame(frame);
  });
  return saved ? status : RenderStatus::kFrameNotSaved;
}

}  // namespace gyra
