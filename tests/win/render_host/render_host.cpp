// render_host.exe: the picture decoder and the rendering window on their own,
// standing in for the settings dialog in the end-to-end tests. Output is UTF-8.
//
//   render PICTURE FOLDER
//       sets the settings globals and the frame folder as the dialog would
//       (radius 100, 64 frames), shows the rendering window modally, then
//       prints "Render_Done=0|1".
//   decode OUT.bmp PICTURE...
//       decodes each picture as the rendering window does and prints one line
//       for each: "WIDTHxHEIGHT" (the picture then written to OUT.bmp) or
//       "error=not-a-picture|too-large".
#include <windows.h>

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "render/bmp.h"
#include "render/win32/picture_decoder.h"
#include "render/win32/render_window.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/text.h"

namespace gyra {
namespace {

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

int Usage() {
  std::fputs("usage: render_host render PICTURE FOLDER | decode OUT.bmp PICTURE...\n", stderr);
  return 2;
}

int Render(const std::vector<std::wstring>& args) {
  if (args.size() != 2) return Usage();
  Config.Orgn_Path = Narrow(args[0]);
  Paths.Image2_Path = Narrow(args[1]);
  Config.Disp_Size = 100;
  Config.Flame_Count = 64;
  ShowRenderWindow();
  Print(std::string("Render_Done=") + (Render_Done ? "1" : "0"));
  return 0;
}

int Decode(const std::vector<std::wstring>& args) {
  if (args.size() < 2) return Usage();
  Win32FileSystem files;
  for (size_t i = 1; i < args.size(); ++i) {
    const auto loaded = LoadPictureFile(Narrow(args[i]));
    if (const auto* error = std::get_if<PictureError>(&loaded)) {
      Print(*error == PictureError::kTooLarge ? "error=too-large" : "error=not-a-picture");
      continue;
    }
    const Surface& picture = std::get<Surface>(loaded);
    if (!files.WriteFileReplacing(Narrow(args[0]), EncodeBmp(picture.View()))) return 1;
    Print(std::to_string(picture.width()) + "x" + std::to_string(picture.height()));
  }
  return 0;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.empty()) return Usage();
  const std::vector<std::wstring> rest(args.begin() + 1, args.end());
  if (args[0] == L"render") return Render(rest);
  if (args[0] == L"decode") return Decode(rest);
  return Usage();
}

}  // namespace
}  // namespace gyra

int wmain(int argc, wchar_t** argv) { return gyra::Run(std::vector<std::wstring>(argv + 1, argv + argc)); }
