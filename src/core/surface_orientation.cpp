#include "core/surface_orientation.h"

#include <utility>

namespace gyra {

namespace {

// Where an upright pixel comes from: sides swapped first, then either
// coordinate counted from the far side.
struct Turn {
  bool swap;
  bool flip_x;
  bool flip_y;
};
constexpr Turn kTurns[8] = {{false, false, false}, {false, true, false}, {false, true, true}, {false, false, true},
                            {true, false, false},  {true, false, true},  {true, true, true},  {true, true, false}};

}  // namespace

Surface Orient(Surface picture, int orientation) {
  if (orientation < 2 || orientation > 8) return picture;
  const Turn turn = kTurns[orientation - 1];
  const ConstSurfaceView in = std::as_const(picture).View();
  Surface upright = *Surface::Create(turn.swap ? in.height : in.width, turn.swap ? in.width : in.height);
  const SurfaceView out = upright.View();
  // Rows counted from the top, as the tag counts them; surfaces store them bottom-up.
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      int u = turn.swap ? y : x, v = turn.swap ? x : y;
      if (turn.flip_x) u = in.width - 1 - u;
      if (turn.flip_y) v = in.height - 1 - v;
      out.At(x, out.height - 1 - y) = in.At(u, in.height - 1 - v);
    }
  }
  return upright;
}

}  // namespace gyra
