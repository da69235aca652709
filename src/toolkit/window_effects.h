// Windows layer: the small effects the forms share: a window growing out of
// the mouse pointer as it opens and shrinking back into the same point as it
// closes, and a raised edge round a picture box.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/picture_surface.h"

namespace gyra {

// Where a form's zoom starts and ends: the pointer's screen position when the
// form was loaded.
struct ZoomAnchor {
  int16_t x = 0;
  int16_t y = 0;
};

// The pointer's position as 16-bit numbers; 0, 0 when it cannot be read. A
// coordinate outside the 16-bit range stays 0.
ZoomAnchor ReadZoomAnchor();

// The caption animation from the empty rectangle at (X, Y) to the window's
// rectangle, and back. Cosmetic: nothing is reported.
void ZoomOutOfPoint(HWND window, int16_t X, int16_t Y);
void ZoomIntoPoint(HWND window, int16_t X, int16_t Y);

// Draws an edge of the given kind (EDGE_RAISED, ...) round the whole box,
// into its picture, and shows it.
void DrawEdgeRound(PictureSurface& box, UINT edge);

}  // namespace gyra
