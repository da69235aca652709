#include "render/sphere_map.h"

#include <cmath>
#include <optional>

#include "core/numbers.h"

namespace gyra {

namespace {

// round(v) as a grid index within 0 .. last; nothing outside (or for NaN).
std::optional<int> GridIndex(double v, int last) {
  const double r = RoundHalfEven(v);
  if (!(r >= 0 && r <= last)) return std::nullopt;
  return static_cast<int>(r);
}

}  // namespace

SphereArgs RunSphereArgs(int radius) {
  const double n = radius;
  return {0, 0, 2 * n - 1, 2 * n - 1, n, n, n};
}

SphereConstants SphereConstantsFor(const SphereArgs& a) {
  const double k = 2 * a.R / std::sqrt((a.X1 - a.X2) * (a.X1 - a.X2) + (a.Y1 - a.Y2) * (a.Y1 - a.Y2));
  const SamplingSteps steps = k > 1 ? SamplingSteps{0.2, 0.2} : SamplingSteps{0.3, 0.5};
  return {steps, 2 * a.R / (a.Y2 - a.Y1), (kPiPrime * steps.xStep) / (a.X2 - a.X1)};
}

std::optional<Chord> ChordAt(const SphereArgs& a, const SphereConstants& c, double Y) {
  const double yc = a.R - (Y - a.Y1) * c.yScale;
  const double q = a.R * a.R - yc * yc;
  if (q < 0) return std::nullopt;
  return Chord{yc, std::sqrt(q), a.CY - yc};
}

bool WalkSphereSamples(const SphereArgs& a, const std::function<bool(const SphereSample&)>& visit) {
  const SphereConstants c = SphereConstantsFor(a);
  for (double y = a.Y1; y <= a.Y2; y += c.steps.yStep) {
    const auto chord = ChordAt(a, c, y);
    if (!chord) continue;
    double theta = kPiPrime / 2;
    double dx = a.CX - chord->hw;
    for (double x = a.X1; x <= a.X2; x += c.steps.xStep) {
      const double next_theta = theta + c.dTheta;
      dx = dx + (std::sin(theta) - std::sin(next_theta)) * chord->hw;
      theta = next_theta;
      if (!visit({x, y, chord->yc, chord->hw, dx, chord->dy})) return false;
    }
  }
  return true;
}

bool MapOntoSphere(const PixelGrid& window, const SphereArgs& a, PixelGrid& sphere) {
  sphere = PixelGrid(sphere.last_column(), sphere.last_row());
  return WalkSphereSamples(a, [&](const SphereSample& sample) {
    const auto src_col = GridIndex(sample.X, window.last_column());
    const auto src_row = GridIndex(sample.Y, window.last_row());
    const auto dst_col = GridIndex(sample.dx, sphere.last_column());
    const auto dst_row = GridIndex(sample.dy, sphere.last_row());
    if (!src_col || !src_row || !dst_col || !dst_row) return false;
    const Pixel& s = window.At(*src_col, *src_row);
    Pixel& d = sphere.At(*dst_col, *dst_row);
    d.red = s.red;
    d.green = s.green;
    d.blue = s.blue;
    return true;
  });
}

}  // namespace gyra
