// A surface turned and mirrored into one of the eight orientations a camera
// records (the values of the EXIF orientation tag, 1 to 8).
#pragma once

#include "core/surface.h"

namespace gyra {

// The picture as it should be seen when its stored pixels carry `orientation`:
// 1 as stored, 2 mirrored left to right, 3 turned half round, 4 mirrored top
// to bottom, 5 mirrored across the top-left to bottom-right diagonal, 6 turned
// a quarter clockwise, 7 mirrored across the other diagonal, 8 turned a
// quarter anticlockwise. Any other value leaves the picture as it is.
Surface Orient(Surface picture, int orientation);

}  // namespace gyra
