// A rendering run into a frame folder: the folder's old *.bmp files are
// deleted and the frames written as PicD_001.bmp, PicD_002.bmp, ... in order,
// through the FileSystem interface. Portable.
#pragma once

#include <string>

#include "core/file_system.h"
#include "core/surface.h"
#include "render/render_plan.h"
#include "render/render_run.h"

namespace gyra {

// "PicD_" + the number with at least three digits + ".bmp".
std::string FrameFileName(int frame_number);

// Plans the run and refuses it (returning the reason) before anything is
// deleted; then clears the folder's *.bmp files and writes each frame before
// handing it to on_frame (progress, display, cancel). A cancel leaves exactly
// the frames delivered so far; a frame that cannot be written stops the run
// with kFrameNotSaved. kDone means the folder holds every frame of the run.
RenderStatus RenderToFolder(FileSystem& fs, const std::string& folder, ConstSurfaceView picture,
                            const RenderOptions& options, const FrameCallback& on_frame);

}  // namespace gyra
