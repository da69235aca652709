#include "render/win32/picture_decoder.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/numbers.h"
#include "core/surface_orientation.h"
#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "render/exif_orientation.h"
#include "render/picture_format.h"
#include "render/picture_size.h"
#include "render/win32/com_apartment.h"
#include "render/win32/gdiplus_library.h"
#include "render/win32/wic_decoder.h"

namespace gyra {

namespace {

using namespace Gdiplus;

constexpr double kScreenDpi = 96;

// The GDI+ functions, once LoadPictureFile has found GDI+ started.
const GdiplusFunctions& Gdip() { return *StartedGdiplus(); }

struct ImageDeleter {
  void operator()(GpImage* image) const { Gdip().GdipDisposeImage(image); }
};
using ImagePtr = std::unique_ptr<GpImage, ImageDeleter>;

struct GraphicsDeleter {
  void operator()(GpGraphics* graphics) const { Gdip().GdipDeleteGraphics(graphics); }
};
using GraphicsPtr = std::unique_ptr<GpGraphics, GraphicsDeleter>;

// A metafile's size in screen pixels: GDI+ gives it in the metafile's own
// units with their resolution (a placeable WMF's units per inch).
bool NaturalMetafileSize(GpImage* metafile, int& width, int& height) {
  REAL units_wide = 0, units_high = 0, dpi_x = 0, dpi_y = 0;
  if (Gdip().GdipGetImageDimension(metafile, &units_wide, &units_high) != Ok ||
      Gdip().GdipGetImageHorizontalResolution(metafile, &dpi_x) != Ok ||
      Gdip().GdipGetImageVerticalResolution(metafile, &dpi_y) != Ok || !(dpi_x > 0) || !(dpi_y > 0))
    return false;
  const auto w = RoundToInt32(units_wide * kScreenDpi / dpi_x);
  const auto h = RoundToInt32(units_high * kScreenDpi / dpi_y);
  if (!w || !h) return false;
  width = *w;
  height = *h;
  return true;
}

// The metafile played onto a black bitmap of its natural size, or scaled
// down as a large raster picture is.
std::variant<ImagePtr, PictureError> RasteriseMetafile(GpImage* metafile) {
  int width = 0, height = 0;
  if (!NaturalMetafileSize(metafile, width, height) || width <= 0 || height <= 0)
    return PictureError::kNotAPicture;
  const auto size = DecodedPictureSize(width, height);
  if (!size) return PictureError::kTooLarge;
  width = static_cast<int>(size->width);
  height = static_cast<int>(size->height);
  GpBitmap* canvas = nullptr;
  if (Gdip().GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppRGB, nullptr, &canvas) != Ok)
    return PictureError::kTooLarge;
  ImagePtr owned(canvas);
  GpGraphics* graphics = nullptr;
  if (Gdip().GdipGetImageGraphicsContext(canvas, &graphics) != Ok) return PictureError::kNotAPicture;
  const GraphicsPtr drawing(graphics);
  Gdip().GdipGraphicsClear(graphics, 0xFF000000);
  if (Gdip().GdipDrawImageRectI(graphics, metafile, 0, 0, width, height) != Ok) return PictureError::kNotAPicture;
  return owned;
}

// The bitmap's pixels, premultiplied by their opacity, which lays them over
// black, written by GDI+ straight into the surface: its rows run top-down,
// the surface's bottom-up. A 24-bit picture has no opacity, and is taken as
// it is, which saves GDI+ a pass over its pixels.
std::variant<Surface, PictureError> CopyPixels(GpBitmap* bitmap) {
  UINT width = 0, height = 0;
  PixelFormat stored = PixelFormatUndefined;
  if (Gdip().GdipGetImageWidth(bitmap, &width) != Ok || Gdip().GdipGetImageHeight(bitmap, &height) != Ok ||
      Gdip().GdipGetImagePixelFormat(bitmap, &stored) != Ok)
    return PictureError::kNotAPicture;
  if (width == 0 || height == 0) return PictureError::kNotAPicture;
  if (int64_t{width} * height > kMaxDecodedPixels) return PictureError::kTooLarge;
  auto picture = Surface::Create(static_cast<int>(width), static_cast<int>(height));
  if (!picture) return PictureError::kTooLarge;
  const SurfaceView view = picture->View();
  const GpRect whole(0, 0, view.width, view.height);
  BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = -view.width * static_cast<INT>(sizeof(Pixel));
  data.PixelFormat = stored == PixelFormat24bppRGB ? PixelFormat32bppRGB : PixelFormat32bppPARGB;
  data.Scan0 = &view.At(0, view.height - 1);
  if (Gdip().GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead | ImageLockModeUserInputBuf, data.PixelFormat,
                                &data) != Ok)
    return PictureError::kNotAPicture;
  Gdip().GdipBitmapUnlockBits(bitmap, &data);
  return std::move(*picture);
}

std::variant<Surface, PictureError> DecodeWithGdiplus(const std::wstring& path) {
  GpImage* loaded = nullptr;
  if (Gdip().GdipLoadImageFromFile(path.c_str(), &loaded) != Ok) return PictureError::kNotAPicture;
  ImagePtr image(loaded);
  ImageType type = ImageTypeUnknown;
  Gdip().GdipGetImageType(image.get(), &type);
  if (type == ImageTypeMetafile) {
    auto raster = RasteriseMetafile(image.get());
    if (auto* error = std::get_if<PictureError>(&raster)) return *error;
    image = std::move(std::get<ImagePtr>(raster));
  } else if (type != ImageTypeBitmap) {
    return PictureError::kNotAPicture;
  }
  return CopyPixels(static_cast<GpBitmap*>(image.get()));
}

PictureError ErrorOf(HRESULT failure, std::string_view head) {
  if (failure == E_OUTOFMEMORY) return {PictureError::kTooLarge};
  const std::string_view format = OptionalFormatName(head);
  if (failure == WINCODEC_ERR_COMPONENTNOTFOUND && !format.empty())
    return {PictureError::kNoDecoder, std::string(format)};
  return {PictureError::kNotAPicture};
}

// Why DecodedPictureSize refused the size.
PictureError RefusedSize(DecodeSize size) {
  return size.width > 0 && size.height > 0 ? PictureError::kTooLarge : PictureError::kNotAPicture;
}

// The header is read first, so that a picture too large to decode is refused
// before any decoder sees it. BMP, GIF, JPEG and PNG of a fitting size go
// straight to GDI+ (opening a JPEG with Wine's WIC decodes it whole); WIC
// decodes the rest, and large pictures scaled down. What WIC has no codec
// for (metafiles) is left to GDI+.
std::variant<Surface, PictureError> Decode(const std::wstring& path, std::string_view head) {
  if (const std::optional<DecodeSize> declared = PictureHeaderSize(head)) {
    const std::optional<DecodeSize> size = DecodedPictureSize(declared->width, declared->height);
    if (!size) return RefusedSize(*declared);
    if (*size == *declared) return DecodeWithGdiplus(path);
  }
  const ComApartment com;
  const std::variant<WicPicture, HRESULT> opened = OpenWithWic(path);
  if (const HRESULT* failure = std::get_if<HRESULT>(&opened)) {
    if (*failure != WINCODEC_ERR_COMPONENTNOTFOUND) return ErrorOf(*failure, head);
    // No codec: a metafile, which GDI+ draws, or a format this Windows lacks.
    std::variant<Surface, PictureError> drawn = DecodeWithGdiplus(path);
    if (std::holds_alternative<PictureError>(drawn) && !OptionalFormatName(head).empty())
      return ErrorOf(*failure, head);
    return drawn;
  }
  const WicPicture& wic = std::get<WicPicture>(opened);
  const std::optional<DecodeSize> size = DecodedPictureSize(wic.size.width, wic.size.height);
  if (!size) return RefusedSize(wic.size);
  std::variant<Surface, HRESULT> decoded = DecodeWithWic(wic, *size);
  if (const HRESULT* failure = std::get_if<HRESULT>(&decoded)) return ErrorOf(*failure, head);
  return std::move(std::get<Surface>(decoded));
}

}  // namespace

std::variant<Surface, PictureError> LoadPictureFile(const std::string& utf8_path) {
  if (!StartedGdiplus() || utf8_path.empty()) return PictureError::kNotAPicture;
  try {
    // The orientation is read from the bytes: neither GDI+ nor WIC turns a
    // picture by it. Only the head is kept while the picture decodes.
    std::optional<std::string> bytes = Win32FileSystem().ReadFile(utf8_path);
    if (!bytes) return PictureError::kNotAPicture;
    const int orientation = ReadOrientation(*bytes).value_or(1);
    bytes->resize(std::min(bytes->size(), kPictureHeadBytes));
    bytes->shrink_to_fit();
    auto decoded = Decode(Widen(utf8_path), *bytes);
    if (auto* picture = std::get_if<Surface>(&decoded)) return Orient(std::move(*picture), orientation);
    return decoded;
  } catch (const std::bad_alloc&) {
    return PictureError::kTooLarge;
  }
}

}  // namespace gyra
