// Windows layer: the display's step loop. Each step is due on the
// performance counter; between steps the thread sleeps until the due time or
// until input arrives, whichever comes first, so the screensaver costs next
// to no processor time and answers the user at once at any speed.
#pragma once

#include <cstdint>
#include <functional>

namespace gyra {

// Runs `step` (draw the next picture; false to stop) at the pace of Speed,
// handling the thread's messages as they arrive. Returns false when WM_QUIT
// arrived (posted again for the outer loop), true when `step` stopped.
bool RunPacedSteps(int16_t speed, const std::function<bool()>& step);

}  // namespace gyra
