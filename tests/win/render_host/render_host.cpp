// render_host.exe decode OUT.bmp PICTURE...: the shipped picture decoder on
// its own (Win32) for the end-to-end tests. Per picture it prints
// "WIDTHxHEIGHT" (the picture written to OUT.bmp) or
// "error=not-a-picture|too-large", as the rendering window decodes it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <variant>

#include "render/bmp.h"
#include "render/win32/picture_decoder.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/text.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || std::wstring(argv[1]) != L"decode") {
    std::fputs("usage: render_host decode OUT.bmp PICTURE...\n", stderr);
    return 2;
  }
  gyra::Win32FileSystem files;
  for (int i = 3; i < argc; ++i) {
    const auto loaded = gyra::LoadPictureFile(gyra::Narrow(argv[i]));
    if (const auto* error = std::get_if<gyra::PictureError>(&loaded)) {
      std::puts(*error == gyra::PictureError::kTooLarge ? "error=too-large" : "error=not-a-picture");
      continue;
    }
    const gyra::Surface& picture = std::get<gyra::Surface>(loaded);
    if (!files.WriteFileReplacing(gyra::Narrow(argv[2]), gyra::EncodeBmp(picture.View()))) return 1;
    std::printf("%dx%d\n", picture.width(), picture.height());
  }
  return 0;
}
