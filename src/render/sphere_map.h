// The rotation transform: one frame of the ball, painted from a square
// source grid onto a disc by a forward mapping. This is the per-sample loop
// as defined; SphereGather (sphere_gather.h) produces the same frames fast.
// Portable.
#pragma once

#include <functional>
#include <optional>

#include "render/pixel_grid.h"

namespace gyra {

// The angle constant used instead of the full-precision pi.
inline constexpr double kPiPrime = 3.14159265;

// Source rectangle (grid columns and rows, X1 <= X2, Y1 < Y2), disc centre
// and radius in the destination grid.
struct SphereArgs {
  double X1, Y1, X2, Y2, CX, CY, R;
};

// The arguments of every frame of a rendering run with picture radius N:
// 0, 0, 2N - 1, 2N - 1, N, N, N.
SphereArgs RunSphereArgs(int radius);

struct SamplingSteps {
  double xStep;  // between samples along a source row
  double yStep;  // between source rows
};

// Per-call constants: the sampling steps (0.2 / 0.2 when the disc's diameter
// exceeds the source rectangle's diagonal, else 0.3 / 0.5), the vertical
// scale 2R / (Y2 - Y1) and the angle step pi' * xStep / (X2 - X1).
struct SphereConstants {
  SamplingSteps steps;
  double yScale;
  double dTheta;
};
SphereConstants SphereConstantsFor(const SphereArgs& a);

// The chord a source row Y becomes: its height yc above the centre, its
// half-width hw and its destination row dy (unrounded); nothing when the row
// misses the disc.
struct Chord {
  double yc, hw, dy;
};
std::optional<Chord> ChordAt(const SphereArgs& a, const SphereConstants& c, double Y);

// One sample: its source position (X, Y), the chord it lies on (height yc
// above the centre, half-width hw) and where it lands (dx, dy), unrounded.
struct SphereSample {
  double X, Y, yc, hw, dx, dy;
};

// Calls visit for every sample in order, walking the source rectangle by
// repeated addition of the steps and accumulating theta and dx per sample,
// every operation in the order defined (the frames depend on the rounding of
// each intermediate). Stops, returning false, when visit returns false.
bool WalkSphereSamples(const SphereArgs& a, const std::function<bool(const SphereSample&)>& visit);

// Clears sphere to black, then copies red, green and blue of the source
// cell (round(X), round(Y)) of each sample to the destination cell
// (round(dx), round(dy)); later samples win, reserved bytes stay 0. Returns
// false, leaving the samples so far, when a cell lies outside a grid.
bool MapOntoSphere(const PixelGrid& window, const SphereArgs& a, PixelGrid& sphere);

}  // namespace gyra
