// Windows layer: pictures decoded by the Windows Imaging Component, for the
// formats GDI+ leaves out (TIFF and ICO everywhere; WebP, HEIC, AVIF and
// JPEG XR where Windows has their codecs) and for large pictures decoded
// scaled down. WIC is a COM server: CoCreateInstance loads windowscodecs.dll
// by the full path the registry gives, never from the program's folder.
#pragma once

#include <windows.h>

#include <wincodec.h>

#include <string>
#include <variant>

#include "core/surface.h"
#include "render/picture_size.h"
#include "render/win32/com_apartment.h"

namespace gyra {

// The first image of a file, opened: its size is known, its pixels not yet.
struct WicPicture {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapFrameDecode> frame;
  DecodeSize size;
};

// The file opened by the decoder WIC has for its format, or the failure
// (WINCODEC_ERR_COMPONENTNOTFOUND: WIC has none). Needs COM on the thread.
std::variant<WicPicture, HRESULT> OpenWithWic(const std::wstring& path);

// The picture at `size` (its own, or smaller in about its proportions),
// transparent parts laid over black, pixels picked, never blended; a codec
// that decodes at a reduced scale is asked to, so a huge photo is never held
// at its own size. The failure otherwise.
std::variant<Surface, HRESULT> DecodeWithWic(const WicPicture& picture, DecodeSize size);

}  // namespace gyra
