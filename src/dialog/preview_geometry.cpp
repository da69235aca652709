#include "dialog/preview_geometry.h"

#include <algorithm>

#include "core/numbers.h"

namespace gyra {

namespace {

constexpr int kLongSide = 100;

int Rounded(double v) { return static_cast<int>(RoundHalfEven(v)); }

}  // namespace

PreviewSize PreviewFor(int picture_width, int picture_height, bool stretched) {
  if (stretched) return {kLongSide, kLongSide / 2};
  if (picture_width <= 0 || picture_height <= 0) return kDesignPreview;
  // A needle of a picture still gets a preview one pixel across.
  if (picture_width >= picture_height)
    return {kLongSide, std::max(1, Rounded(kLongSide * double(picture_height) / picture_width))};
  return {std::max(1, Rounded(kLongSide * double(picture_width) / picture_height)), kLongSide};
}

TrimFrame TrimFrameFor(PreviewSize preview) {
  const double band = preview.width / 2.0;
  return {preview.width, Rounded(band), Rounded(preview.height - band)};
}

bool ProportionRefused(PreviewSize preview, bool trim, bool stretch) {
  return !trim && !stretch && preview.height > preview.width;
}

}  // namespace gyra
