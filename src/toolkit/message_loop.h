// Windows layer: running the thread's message loop.
#pragma once

namespace gyra {

// Processes the messages waiting now and returns (one yield of a long loop).
// Returns false when WM_QUIT arrived; it is posted again for the outer loop.
bool DoEvents();

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace gyra
