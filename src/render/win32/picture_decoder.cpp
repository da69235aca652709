#include "render/win32/picture_decoder.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>
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
#include "render/picture_size.h"
#include "render/win32/gdiplus_library.h"

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
// black; GDI+'s rows run top-down, the surface's bottom-up.
std::variant<Surface, PictureError> CopyPixels(GpBitmap* bitmap) {
  UINT width = 0, height = 0;
  if (Gdip().GdipGetImageWidth(bitmap, &width) != Ok || Gdip().GdipGetImageHeight(bitmap, &height) != Ok)
    return PictureError::kNotAPicture;
  if (width == 0 || height == 0) return PictureError::kNotAPicture;
  if (int64_t{width} * height > kMaxDecodedPixels) return PictureError::kTooLarge;
  auto picture = Surface::Create(static_cast<int>(width), static_cast<int>(height));
  if (!picture) return PictureError::kTooLarge;
  const GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  BitmapData data{};
  if (Gdip().GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead, PixelFormat32bppPARGB, &data) != Ok)
    return PictureError::kNotAPicture;
  const SurfaceView view = picture->View();
  for (int y = 0; y < view.height; ++y) {
    const auto* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
    std::memcpy(&view.At(0, view.height - 1 - y), row, static_cast<size_t>(view.width) * sizeof(Pixel));
  }
  Gdip().GdipBitmapUnlockBits(bitmap, &data);
  return std::move(*picture);
}

// COM for this thread while a picture is decoded (WIC needs it; the thread
// may already have it in either model).
class ComSession {
 public:
  ComSession() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComSession() {
    if (initialised_) CoUninitialize();
  }
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;

 private:
  bool initialised_;
};

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using ComPtr = std::unique_ptr<T, ComRelease>;

struct WicPicture {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
};

// The first image of a file WIC decodes, with its size from the header;
// nothing for the formats it does not (metafiles).
std::optional<WicPicture> OpenWithWic(const std::wstring& path) {
  WicPicture picture;
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory))))
    return std::nullopt;
  picture.factory.reset(factory);
  IWICBitmapDecoder* decoder = nullptr;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder)))
    return std::nullopt;
  const ComPtr<IWICBitmapDecoder> owned_decoder(decoder);
  IWICBitmapFrameDecode* frame = nullptr;
  if (FAILED(decoder->GetFrame(0, &frame))) return std::nullopt;
  picture.frame.reset(frame);
  if (FAILED(frame->GetSize(&picture.width, &picture.height))) return std::nullopt;
  return picture;
}

PictureError ErrorOf(HRESULT result) {
  return result == E_OUTOFMEMORY ? PictureError::kTooLarge : PictureError::kNotAPicture;
}

// The picture scaled to `size` by WIC, pixels dropped or repeated: WIC reads
// the rows as the scaler asks for them, so the picture is never held at its
// own size in 32 bits.
std::variant<Surface, PictureError> DecodeScaled(const WicPicture& wic, DecodeSize size) {
  IWICFormatConverter* converter = nullptr;
  HRESULT result = wic.factory->CreateFormatConverter(&converter);
  if (FAILED(result)) return ErrorOf(result);
  const ComPtr<IWICFormatConverter> owned_converter(converter);
  result = converter->Initialize(wic.frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                 0, WICBitmapPaletteTypeCustom);
  if (FAILED(result)) return ErrorOf(result);
  IWICBitmapScaler* scaler = nullptr;
  result = wic.factory->CreateBitmapScaler(&scaler);
  if (FAILED(result)) return ErrorOf(result);
  const ComPtr<IWICBitmapScaler> owned_scaler(scaler);
  result = scaler->Initialize(converter, static_cast<UINT>(size.width), static_cast<UINT>(size.height),
                              WICBitmapInterpolationModeNearestNeighbor);
  if (FAILED(result)) return ErrorOf(result);
  auto picture = Surface::Create(static_cast<int>(size.width), static_cast<int>(size.height));
  if (!picture) return PictureError::kTooLarge;
  const SurfaceView view = picture->View();
  const UINT stride = static_cast<UINT>(view.width) * sizeof(Pixel);
  // WIC's rows run top-down, the surface's bottom-up.
  for (int y = 0; y < view.height; ++y) {
    const WICRect row{0, y, view.width, 1};
    result = scaler->CopyPixels(&row, stride, stride, reinterpret_cast<BYTE*>(&view.At(0, view.height - 1 - y)));
    if (FAILED(result)) return ErrorOf(result);
  }
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

// The header is read first, so that a picture too large to decode is refused
// before any decoder sees it; a large one is decoded scaled down. Pictures of
// a fitting size and metafiles are decoded by GDI+.
std::variant<Surface, PictureError> Decode(const std::wstring& path, std::string_view head) {
  if (const auto declared = PictureHeaderSize(head); declared && !DecodedPictureSize(declared->width, declared->height))
    return declared->width > 0 && declared->height > 0 ? PictureError::kTooLarge : PictureError::kNotAPicture;
  const ComSession com;
  if (const std::optional<WicPicture> wic = OpenWithWic(path)) {
    const auto size = DecodedPictureSize(wic->width, wic->height);
    if (!size) return wic->width && wic->height ? PictureError::kTooLarge : PictureError::kNotAPicture;
    if (size->width != wic->width || size->height != wic->height) return DecodeScaled(*wic, *size);
  }
  return DecodeWithGdiplus(path);
}

}  // namespace

std::variant<Surface, PictureError> LoadPictureFile(const std::string& utf8_path) {
  if (!StartedGdiplus() || utf8_path.empty()) return PictureError::kNotAPicture;
  try {
    // The orientation is read from the bytes: neither GDI+ nor WIC turns a picture by it.
    const std::optional<std::string> bytes = Win32FileSystem().ReadFile(utf8_path);
    if (!bytes) return PictureError::kNotAPicture;
    auto decoded = Decode(Widen(utf8_path), std::string_view(*bytes).substr(0, kPictureHeadBytes));
    if (auto* picture = std::get_if<Surface>(&decoded))
      return Orient(std::move(*picture), ReadOrientation(*bytes).value_or(1));
    return decoded;
  } catch (const std::bad_alloc&) {
    return PictureError::kTooLarge;
  }
}

}  // namespace gyra
