// A system DLL's stand-in dropped beside the program: it exports every name the program imports from
// winmm.dll and gdiplus.dll (and mcicda.dll's driver entry) and, when loaded, leaves "<its own path>.ran" and refuses to load.
#include <windows.h>

#define STAND_IN(name) \
  extern "C" __declspec(dllexport) void name() {}

STAND_IN(mciSendStringW) STAND_IN(mciGetErrorStringW) STAND_IN(GdiplusStartup) STAND_IN(GdiplusShutdown)
STAND_IN(GdipLoadImageFromFile) STAND_IN(GdipDisposeImage) STAND_IN(GdipGetImageType)
STAND_IN(GdipGetImageWidth) STAND_IN(GdipGetImageHeight) STAND_IN(GdipGetImageDimension)
STAND_IN(GdipGetImageHorizontalResolution) STAND_IN(GdipGetImageVerticalResolution)
STAND_IN(GdipCreateBitmapFromScan0) STAND_IN(GdipGetImageGraphicsContext) STAND_IN(GdipDeleteGraphics)
STAND_IN(GdipGraphicsClear) STAND_IN(GdipDrawImageRectI) STAND_IN(GdipBitmapLockBits)
STAND_IN(GdipBitmapUnlockBits) STAND_IN(DriverProc)

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t marker[MAX_PATH + 4] = {};
  GetModuleFileNameW(self, marker, MAX_PATH);
  lstrcatW(marker, L".ran");
  CloseHandle(CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return FALSE;
}
