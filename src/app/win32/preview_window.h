// Windows layer: the preview mode, PreviewWindow embedded in the host's window.
#pragma once

#include <cstdint>

namespace gyra {

// Shows the fixed preview picture inside the host window and runs until the
// host destroys it. Returns at once when the handle names no window.
int RunPreview(int32_t host_handle);

}  // namespace gyra
