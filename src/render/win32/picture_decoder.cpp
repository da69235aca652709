#include "render/win32/picture_decoder.h"

#include <objidl.h>  // IStream, which the GDI+ headers use but do not include
#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <new>

#include "core/numbers.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// The picture and GDI+'s own decoded copy both live in the process at once:
// 64 Mi pixels (256 MB each) is as much as a 32-bit process can safely hold.
constexpr int64_t kMaxPicturePixels = int64_t{64} * 1024 * 1024;
constexpr double kScreenDpi = 96;

// GDI+ started once, on first use, and shut down when the process ends.
class GdiplusSession {
 public:
  GdiplusSession() {
    GdiplusStartupInput input;
    started_ = GdiplusStartup(&token_, &input, nullptr) == Ok;
  }
  ~GdiplusSession() {
    if (started_) GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  bool started() const { return started_; }

 private:
  ULONG_PTR token_ = 0;
  bool started_ = false;
};

struct ImageDeleter {
  void operator()(GpImage* image) const { GdipDisposeImage(image); }
};
using ImagePtr = std::unique_ptr<GpImage, ImageDeleter>;

struct GraphicsDeleter {
  void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};
using GraphicsPtr = std::unique_ptr<GpGraphics, GraphicsDeleter>;

bool FitsInMemory(int width, int height) {
  return SurfacePixelCount(width, height) && int64_t{width} * height <= kMaxPicturePixels;
}

// A metafile's size in screen pixels: GDI+ gives it in the metafile's own
// units with their resolution (a placeable WMF's units per inch).
bool NaturalMetafileSize(GpImage* metafile, int& width, int& height) {
  REAL units_wide = 0, units_high = 0, dpi_x = 0, dpi_y = 0;
  if (GdipGetImageDimension(metafile, &units_wide, &units_high) != Ok ||
      GdipGetImageHorizontalResolution(metafile, &dpi_x) != Ok ||
      GdipGetImageVerticalResolution(metafile, &dpi_y) != Ok || !(dpi_x > 0) || !(dpi_y > 0))
    return false;
  const auto w = RoundToInt32(units_wide * kScreenDpi / dpi_x);
  const auto h = RoundToInt32(units_high * kScreenDpi / dpi_y);
  if (!w || !h) return false;
  width = *w;
  height = *h;
  return true;
}

// The metafile played onto a black bitmap of its natural size.
std::variant<ImagePtr, PictureError> RasteriseMetafile(GpImage* metafile) {
  int width = 0, height = 0;
  if (!NaturalMetafileSize(metafile, width, height) || width <= 0 || height <= 0)
    return PictureError::kNotAPicture;
  if (!FitsInMemory(width, height)) return PictureError::kTooLarge;
  GpBitmap* canvas = nullptr;
  if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppRGB, nullptr, &canvas) != Ok)
    return PictureError::kTooLarge;
  ImagePtr owned(canvas);
  GpGraphics* graphics = nullptr;
  if (GdipGetImageGraphicsContext(canvas, &graphics) != Ok) return PictureError::kNotAPicture;
  const GraphicsPtr drawing(graphics);
  GdipGraphicsClear(graphics, 0xFF000000);
  if (GdipDrawImageRectI(graphics, metafile, 0, 0, width, height) != Ok) return PictureError::kNotAPicture;
  return owned;
}

// The bitmap's pixels, premultiplied by their opacity, which lays them over
// black; GDI+'s rows run top-down, the surface's bottom-up.
std::variant<Surface, PictureError> CopyPixels(GpBitmap* bitmap) {
  UINT width = 0, height = 0;
  if (GdipGetImageWidth(bitmap, &width) != Ok || GdipGetImageHeight(bitmap, &height) != Ok)
    return PictureError::kNotAPicture;
  if (width == 0 || height == 0) return PictureError::kNotAPicture;
  if (width > INT32_MAX || height > INT32_MAX || !FitsInMemory(static_cast<int>(width), static_cast<int>(height)))
    return PictureError::kTooLarge;
  auto picture = Surface::Create(static_cast<int>(width), static_cast<int>(height));
  if (!picture) return PictureError::kTooLarge;
  const GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  BitmapData data{};
  if (GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead, PixelFormat32bppPARGB, &data) != Ok)
    return PictureError::kNotAPicture;
  const SurfaceView view = picture->View();
  for (int y = 0; y < view.height; ++y) {
    const auto* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
    std::memcpy(&view.At(0, view.height - 1 - y), row, static_cast<size_t>(view.width) * sizeof(Pix_Quad));
  }
  GdipBitmapUnlockBits(bitmap, &data);
  return std::move(*picture);
}

std::variant<Surface, PictureError> Decode(const std::wstring& path) {
  GpImage* loaded = nullptr;
  if (GdipLoadImageFromFile(path.c_str(), &loaded) != Ok) return PictureError::kNotAPicture;
  ImagePtr image(loaded);
  ImageType type = ImageTypeUnknown;
  GdipGetImageType(image.get(), &type);
  if (type == ImageTypeMetafile) {
    auto raster = RasteriseMetafile(image.get());
    if (auto* error = std::get_if<PictureError>(&raster)) return *error;
    image = std::move(std::get<ImagePtr>(raster));
  } else if (type != ImageTypeBitmap) {
    return PictureError::kNotAPicture;
  }
  return CopyPixels(static_cast<GpBitmap*>(image.get()));
}

}  // namespace

std::variant<Surface, PictureError> LoadPictureFile(const std::string& utf8_path) {
  static const GdiplusSession session;
  if (!session.started() || utf8_path.empty()) return PictureError::kNotAPicture;
  try {
    return Decode(Widen(utf8_path));
  } catch (const std::bad_alloc&) {
    return PictureError::kTooLarge;
  }
}

}  // namespace gyra
