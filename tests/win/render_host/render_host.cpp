// render_host.exe (Win32): the shipped decoder and the rendering window without the dialog. decode OUT.bmp
// PICTURE...: per picture "WIDTHxHEIGHT" (written to OUT.bmp) or "error=not-a-picture|too-large".
#include <windows.h>

#include <cstdio>
#include <string>
#include <variant>

#include "render/bmp.h"
#include "render/win32/picture_decoder.h"
#include "render/win32/render_window.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/text.h"

// render PICTURE FOLDER [--frames N] [--radius N] [--trim TOP] [--stretch]: the settings set as the
// dialog sets them, then the rendering window shown modally; prints "Render_Done=0|1".
int Render(int argc, wchar_t** argv) {
  auto& config = gyra::Config;
  config = {.Orgn_Path = gyra::Narrow(argv[2]), .Flame_Count = 64, .Disp_Size = 100};
  gyra::Paths.Image2_Path = gyra::Narrow(argv[3]);
  for (int i = 4; i < argc; ++i) {
    const std::wstring option = argv[i];
    int16_t* value = option == L"--frames"   ? &config.Flame_Count
                     : option == L"--radius" ? &config.Disp_Size
                     : option == L"--trim"   ? &config.Trim_Y
                                             : nullptr;
    config.Stretch_On |= option == L"--stretch";
    config.Trim_On |= option == L"--trim";
    if (value && ++i < argc) *value = static_cast<int16_t>(_wtoi(argv[i]));
    else if (option != L"--stretch") return 2;
  }
  gyra::ShowRenderWindow(nullptr);
  return std::printf("Render_Done=%d\n", gyra::Render_Done ? 1 : 0), 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"render") return Render(argc, argv);
  if (argc < 4 || std::wstring(argv[1]) != L"decode") return 2;
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
