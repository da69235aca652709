// render_host.exe (Win32): the shipped decoder and the rendering window without the dialog. decode OUT.bmp
// PICTURE...: per picture "WIDTHxHEIGHT" (written to OUT.bmp) or "error=not-a-picture|too-large|no-decoder:FORMAT".
#include <windows.h>

#include <cstdio>
#include <string>
#include <variant>

#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "render/bmp.h"
#include "render/win32/picture_decoder.h"
#include "render/win32/render_window.h"

// render PICTURE FOLDER [--frames N] [--radius N] [--trim TOP] [--stretch]: the options set as the
// dialog sets them, then the rendering window shown modally; prints "rendered=0|1".
int Render(int argc, wchar_t** argv) {
  gyra::RenderOptions options{.radius = 100, .frame_count = 64};
  for (int i = 4; i < argc; ++i) {
    const std::wstring option = argv[i];
    int* value = option == L"--frames"   ? &options.frame_count
                 : option == L"--radius" ? &options.radius
                 : option == L"--trim"   ? &options.trim_top
                                         : nullptr;
    options.stretch |= option == L"--stretch";
    options.trim |= option == L"--trim";
    if (value && ++i < argc) *value = _wtoi(argv[i]);
    else if (option != L"--stretch") return 2;
  }
  const bool rendered = gyra::ShowRenderWindow(nullptr, options, gyra::Narrow(argv[2]), gyra::Narrow(argv[3]));
  return std::printf("rendered=%d\n", rendered ? 1 : 0), 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"render") return Render(argc, argv);
  if (argc < 4 || std::wstring(argv[1]) != L"decode") return 2;
  gyra::Win32FileSystem files;
  for (int i = 3; i < argc; ++i) {
    const auto loaded = gyra::LoadPictureFile(gyra::Narrow(argv[i]));
    if (const auto* error = std::get_if<gyra::PictureError>(&loaded)) {
      std::printf("error=%s%s\n", error->kind == gyra::PictureError::kTooLarge   ? "too-large"
                                   : error->kind == gyra::PictureError::kNoDecoder ? "no-decoder:"
                                                                                   : "not-a-picture",
                  error->format.c_str());
      continue;
    }
    const gyra::Surface& picture = std::get<gyra::Surface>(loaded);
    if (!files.WriteFileReplacing(gyra::Narrow(argv[2]), gyra::EncodeBmp(picture.View()))) return 1;
    std::printf("%dx%d\n", picture.width(), picture.height());
  }
  return 0;
}
