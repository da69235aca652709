#include "render/sphere_gather.h"

#include <cmath>

#include "core/numbers.h"
#include "render/sphere_map.h"

namespace gyra {

namespace {

// One source row's walk: the rounded column of every sample and the change of
// sin(theta) it applies to dx. Theta restarts at pi'/2 on every row, so these
// are the same on every row, and computing them once gives the very values
// MapOntoSphere computes per sample.
struct RowWalk {
  std::vector<int> columns;
  std::vector<double> sine_steps;
};

RowWalk WalkRow(const SphereArgs& a, const SphereConstants& c) {
  RowWalk walk;
  double theta = kPiPrime / 2;
  for (double x = a.X1; x <= a.X2; x += c.steps.xStep) {
    const double next_theta = theta + c.dTheta;
    walk.sine_steps.push_back(std::sin(theta) - std::sin(next_theta));
    theta = next_theta;
    walk.columns.push_back(static_cast<int>(RoundHalfEven(x)));
  }
  return walk;
}

}  // namespace

std::optional<std::vector<int32_t>> ResolveSphereSamples(int radius) {
  const SphereArgs a = RunSphereArgs(radius);
  const SphereConstants c = SphereConstantsFor(a);
  const RowWalk walk = WalkRow(a, c);
  const int side = 2 * radius;
  const int grid = side + 1;  // grids are dimensioned 0 .. 2N
  std::vector<int32_t> cells(static_cast<size_t>(grid) * grid, -1);

  for (double y = a.Y1; y <= a.Y2; y += c.steps.yStep) {
    const auto chord = ChordAt(a, c, y);
    if (!chord) continue;
    double dx = a.CX - chord->hw;
    const int src_row = static_cast<int>(RoundHalfEven(y));
    const int dst_row = static_cast<int>(RoundHalfEven(chord->dy));
    for (size_t k = 0; k < walk.columns.size(); ++k) {
      dx = dx + walk.sine_steps[k] * chord->hw;
      const int dst_col = static_cast<int>(RoundHalfEven(dx));
      // |dx - CX| and |dy - CY| never exceed R by more than rounding noise,
      // so every sample stays inside the grid; this only guards the memory.
      if (dst_col < 0 || dst_col > side || dst_row < 0 || dst_row > side) return std::nullopt;
      cells[static_cast<size_t>(dst_row) * grid + dst_col] =
          src_row == 0 ? -1 : walk.columns[k] + src_row * grid;
    }
  }

  // Grid (x, 2N - s) is frame pixel (x, s); grid row 0 and column 2N are not
  // part of the frame.
  std::vector<int32_t> frame(static_cast<size_t>(side) * side);
  for (int s = 0; s < side; ++s)
    for (int x = 0; x < side; ++x) frame[static_cast<size_t>(s) * side + x] = cells[static_cast<size_t>(side - s) * grid + x];
  return frame;
}

std::optional<SphereGather> SphereGather::For(int radius, int strip_width) {
  std::optional<std::vector<int32_t>> offsets = ResolveSphereSamples(radius);
  if (!offsets) return std::nullopt;
  const int side = 2 * radius;
  const int grid = side + 1;
  // Source cell (c, r), r >= 1, is row r - 1 from the window's top, which is
  // scanline 2N - r of the strip.
  for (int32_t& cell : *offsets) {
    if (cell < 0) continue;
    const int column = cell % grid;
    const int row = cell / grid;
    cell = (side - row) * strip_width + column;
  }
  return SphereGather(std::move(*offsets));
}

void SphereGather::Render(ConstSurfaceView strip, int strip_position, SurfaceView frame) const {
  const Pixel* window = strip.pixels + strip_position;
  Pixel* out = frame.pixels;
  for (const int32_t offset : offsets_) {
    if (offset < 0) {
      *out++ = Pixel{};
    } else {
      const Pixel& s = window[offset];
      *out++ = Pixel{s.blue, s.green, s.red, 0};
    }
  }
}

}  // namespace gyra
