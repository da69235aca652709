#include "render/win32/wic_decoder.h"

#include <utility>

#include "render/decode_reduction.h"

namespace gyra {

namespace {

// IWICBitmapSourceTransform, which MinGW's wincodec.h does not declare.
constexpr IID kSourceTransformId = {0x3B16811B, 0x6A43, 0x4EC9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};
struct SourceTransform : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height, WICPixelFormatGUID* format,
                                               WICBitmapTransformOptions transform, UINT stride, UINT buffer_size,
                                               BYTE* buffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
  virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};

// Where the frame's codec decodes at a reduced scale (Windows' JPEG decoder
// does, from the coefficients, by 1/2, 1/4 and 1/8), the picture decoded at
// the smallest such size that still holds `size`, into a bitmap of its own.
// Null where the codec cannot (Wine's cannot) or nothing would be gained.
ComPtr<IWICBitmap> ReducedByCodec(const WicPicture& wic, DecodeSize size) {
  SourceTransform* found = nullptr;
  if (FAILED(wic.frame->QueryInterface(kSourceTransformId, reinterpret_cast<void**>(&found)))) return nullptr;
  const ComPtr<SourceTransform> transform(found);
  const DecodeSize wanted = ReducedDecodeSize(wic.size, size);
  auto width = static_cast<UINT>(wanted.width), height = static_cast<UINT>(wanted.height);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (wanted == wic.size || FAILED(transform->GetClosestSize(&width, &height)) || width < size.width ||
      height < size.height || width >= wic.size.width || FAILED(transform->GetClosestPixelFormat(&format)))
    return nullptr;
  IWICBitmap* made = nullptr;
  if (FAILED(wic.factory->CreateBitmap(width, height, format, WICBitmapCacheOnLoad, &made))) return nullptr;
  ComPtr<IWICBitmap> bitmap(made);
  const WICRect whole{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  IWICBitmapLock* lock = nullptr;
  if (FAILED(bitmap->Lock(&whole, WICBitmapLockWrite, &lock))) return nullptr;
  const ComPtr<IWICBitmapLock> locked(lock);
  UINT stride = 0, bytes = 0;
  BYTE* pixels = nullptr;
  if (FAILED(lock->GetStride(&stride)) || FAILED(lock->GetDataPointer(&bytes, &pixels)) ||
      FAILED(transform->CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0, stride, bytes, pixels)))
    return nullptr;
  return bitmap;
}

// The source's rows (32-bit premultiplied, `size` large) into a surface:
// WIC's rows run top-down, the surface's bottom-up. A row at a time, so a
// scaler reads the rows of its source only as it needs them.
std::variant<Surface, HRESULT> CopyRows(IWICBitmapSource* source, DecodeSize size) {
  auto picture = Surface::Create(static_cast<int>(size.width), static_cast<int>(size.height));
  if (!picture) return E_OUTOFMEMORY;
  const SurfaceView view = picture->View();
  const UINT stride = static_cast<UINT>(view.width) * sizeof(Pixel);
  for (int y = 0; y < view.height; ++y) {
    const WICRect row{0, y, view.width, 1};
    const HRESULT result =
        source->CopyPixels(&row, stride, stride, reinterpret_cast<BYTE*>(&view.At(0, view.height - 1 - y)));
    if (FAILED(result)) return result;
  }
  return std::move(*picture);
}

}  // namespace

std::variant<WicPicture, HRESULT> OpenWithWic(const std::wstring& path) {
  WicPicture picture;
  IWICImagingFactory* factory = nullptr;
  HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory));
  if (FAILED(result)) return result;
  picture.factory.reset(factory);
  IWICBitmapDecoder* decoder = nullptr;
  result = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                              &decoder);
  if (FAILED(result)) return result;
  const ComPtr<IWICBitmapDecoder> owned_decoder(decoder);
  IWICBitmapFrameDecode* frame = nullptr;
  if (FAILED(result = decoder->GetFrame(0, &frame))) return result;
  picture.frame.reset(frame);
  UINT width = 0, height = 0;
  if (FAILED(result = frame->GetSize(&width, &height))) return result;
  picture.size = {width, height};
  return picture;
}

std::variant<Surface, HRESULT> DecodeWithWic(const WicPicture& wic, DecodeSize size) {
  const ComPtr<IWICBitmap> reduced = size == wic.size ? nullptr : ReducedByCodec(wic, size);
  IWICBitmapSource* source = reduced ? static_cast<IWICBitmapSource*>(reduced.get()) : wic.frame.get();
  IWICFormatConverter* converter = nullptr;
  HRESULT result = wic.factory->CreateFormatConverter(&converter);
  if (FAILED(result)) return result;
  const ComPtr<IWICFormatConverter> owned_converter(converter);
  result = converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                 WICBitmapPaletteTypeCustom);
  if (FAILED(result)) return result;
  UINT width = 0, height = 0;
  if (FAILED(result = converter->GetSize(&width, &height))) return result;
  if (DecodeSize{width, height} == size) return CopyRows(converter, size);
  IWICBitmapScaler* scaler = nullptr;
  if (FAILED(result = wic.factory->CreateBitmapScaler(&scaler))) return result;
  const ComPtr<IWICBitmapScaler> owned_scaler(scaler);
  result = scaler->Initialize(converter, static_cast<UINT>(size.width), static_cast<UINT>(size.height),
                              WICBitmapInterpolationModeNearestNeighbor);
  if (FAILED(result)) return result;
  return CopyRows(scaler, size);
}

}  // namespace gyra
