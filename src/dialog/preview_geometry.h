// The sizes of the dialog's picture preview and of its trimming band, and the
// proportion check made before rendering. Portable.
#pragma once

namespace gyra {

struct PreviewSize {
  int width = 0;
  int height = 0;

  friend bool operator==(const PreviewSize&, const PreviewSize&) = default;
};

// The design size of the preview box, kept while no picture is shown.
inline constexpr PreviewSize kDesignPreview = {100, 100};

// The preview box for a picture of width x height pixels. Stretched: always
// 100 x 50. Otherwise the longer side is 100 and the other 100 x short / long,
// rounded half to even and at least 1. Without a picture (a side not
// positive): the design size, or 100 x 50 stretched.
PreviewSize PreviewFor(int picture_width, int picture_height, bool stretched);

// The trimming band over a preview: as wide as the preview, half as high as
// wide, and the slider's range 0 .. max for its top. A preview more than
// twice as wide as high gives a band taller than the preview and a negative
// max.
struct TrimFrame {
  int width = 0;
  int height = 0;  // width / 2, rounded half to even
  int max = 0;     // preview height - width / 2, rounded half to even

  friend bool operator==(const TrimFrame&, const TrimFrame&) = default;
};
TrimFrame TrimFrameFor(PreviewSize preview);

// Whether rendering must be refused for the picture's proportions: in as-is
// mode (neither trimming nor stretching) a preview taller than wide. A square
// passes.
bool ProportionRefused(PreviewSize preview, bool trim, bool stretch);

}  // namespace gyra
