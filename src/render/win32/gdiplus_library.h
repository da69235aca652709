// Windows layer: GDI+ loaded from the system folder at run time (linking it
// would let Windows find a planted gdiplus.dll in the program's folder first)
// and started once for the process.
#pragma once

#include <windows.h>

#include <objidl.h>  // IStream, which the GDI+ headers use but do not include
#include <gdiplus.h>

namespace gyra {

// The flat GDI+ functions the decoder calls, each named once.
#define GYRA_GDIPLUS_FLAT_FUNCTIONS(X)                                                                   \
  X(GdipLoadImageFromFile) X(GdipDisposeImage) X(GdipGetImageType) X(GdipGetImageWidth)                 \
  X(GdipGetImageHeight) X(GdipGetImageDimension) X(GdipGetImageHorizontalResolution)                    \
  X(GdipGetImageVerticalResolution) X(GdipCreateBitmapFromScan0) X(GdipGetImageGraphicsContext)         \
  X(GdipDeleteGraphics) X(GdipGraphicsClear) X(GdipDrawImageRectI) X(GdipBitmapLockBits)                \
  X(GdipBitmapUnlockBits) X(GdipGetImagePixelFormat)

struct GdiplusFunctions {
  decltype(&Gdiplus::GdiplusStartup) GdiplusStartup = nullptr;
  decltype(&Gdiplus::GdiplusShutdown) GdiplusShutdown = nullptr;
#define GYRA_DECLARE(name) decltype(&Gdiplus::DllExports::name) name = nullptr;
  GYRA_GDIPLUS_FLAT_FUNCTIONS(GYRA_DECLARE)
#undef GYRA_DECLARE
};

// The functions of GDI+, started on first use and shut down when the
// process ends; null where GDI+ cannot be loaded or started.
const GdiplusFunctions* StartedGdiplus();

}  // namespace gyra
