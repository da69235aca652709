// Picture surfaces as plain memory, portable: 32-bit pixels in the layout of
// a Windows DIB (blue, green, red, reserved; scanlines bottom-up, no gaps), so
// the Windows layer can hand the core the very pixels of a DIB section and
// the core can hand back frames the system shows or saves as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace gyra {

// One pixel; the reserved byte is carried but never interpreted.
struct Pixel {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0;

  friend bool operator==(const Pixel&, const Pixel&) = default;
};
static_assert(sizeof(Pixel) == 4);

// Pixels owned elsewhere (a DIB section, a Surface). Pixel (x, s) is column x
// of scanline s counted from the bottom, at pixels[s * width + x].
struct SurfaceView {
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;

  Pixel& At(int x, int scanline) const { return pixels[static_cast<size_t>(scanline) * width + x]; }
};

struct ConstSurfaceView {
  const Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;

  ConstSurfaceView() = default;
  ConstSurfaceView(const Pixel* p, int w, int h) : pixels(p), width(w), height(h) {}
  ConstSurfaceView(SurfaceView v) : pixels(v.pixels), width(v.width), height(v.height) {}

  const Pixel& At(int x, int scanline) const { return pixels[static_cast<size_t>(scanline) * width + x]; }
};

// Number of pixels of a width x height surface, or nothing when a side is not
// positive or the image would not fit a DIB (its byte size is a signed 32-bit
// field), so sizes are refused before anything is allocated.
std::optional<size_t> SurfacePixelCount(int width, int height);

// A surface that owns its pixels, all black when created.
class Surface {
 public:
  // Nothing when SurfacePixelCount refuses the size.
  static std::optional<Surface> Create(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  SurfaceView View() { return {pixels_.data(), width_, height_}; }
  ConstSurfaceView View() const { return {pixels_.data(), width_, height_}; }

 private:
  Surface(int width, int height, size_t count) : width_(width), height_(height), pixels_(count) {}

  int width_;
  int height_;
  std::vector<Pixel> pixels_;
};

}  // namespace gyra
