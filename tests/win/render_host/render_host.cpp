// render_host.exe: shows the rendering window and its pieces on their own for
// the end-to-end tests, standing in for the settings dialog. Output is UTF-8.
//
//   render PICTURE FOLDER [--radius N] [--frames N] [--stretch] [--trim TOP]
//          [--hourglass] [--pause-at K]
//       sets the settings globals and the frame folder as the dialog would,
//       shows the rendering window modally, then prints "Render_Done=0|1"
//       and "pointer=default|hourglass". --hourglass sets the screen-wide
//       pointer first, as the dialog does. --pause-at K stops the window once
//       frame K is shown and captioned: prints "paused K HWND" and waits for
//       a line on stdin before the run goes on to its yield.
//   decode PICTURE OUT.bmp
//       decodes the picture as the rendering window does; writes it as a BMP
//       and prints "WIDTHxHEIGHT", or prints "error=not-a-picture|too-large".
//   anchor
//       prints the zoom anchor "X Y" read from the pointer.
//   bevel WIDTH HEIGHT EDGE
//       shows a grey WIDTH x HEIGHT picture box with DrawBevel(EDGE), prints
//       "HWND", then one "name=RRGGBB" line for pixels of its picture and for
//       the system colours of the edges, and waits for a line on stdin.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <variant>
#include <vector>

#include "render/bmp.h"
#include "render/win32/picture_decoder.h"
#include "render/win32/render_window.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "startup/win32/window_effects.h"
#include "toolkit/form.h"
#include "toolkit/picture_surface.h"
#include "toolkit/screen_pointer.h"
#include "toolkit/text.h"

namespace gyra {
namespace {

constexpr wchar_t kRenderCaption[] = L"ﾚﾝﾀﾞﾘﾝｸﾞをしています。";

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void WaitForLine() {
  char line[64];
  std::fgets(line, sizeof line, stdin);
}

int Usage() {
  std::fputs("usage: render_host render|decode|anchor|bevel ...\n", stderr);
  return 2;
}

// --- render ---------------------------------------------------------------

constexpr UINT kNeverPosted = WM_APP + 0x3FFF;

int pause_at = 0;
int captions_seen = 0;

// Runs after the window has handled each message it was sent: the K-th
// progress caption means frame K is shown and captioned.
LRESULT CALLBACK AfterMessage(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
  if (code == HC_ACTION && sent->message == WM_SETTEXT && sent->lParam) {
    const std::wstring text = reinterpret_cast<const wchar_t*>(sent->lParam);
    if (text.starts_with(kRenderCaption) && text.find(L'/') != std::wstring::npos && ++captions_seen == pause_at) {
      // Wine copies windows to the X screen when the thread looks for a
      // message and finds none; this looks for one that is never posted.
      MSG none;
      PeekMessageW(&none, nullptr, kNeverPosted, kNeverPosted, PM_NOREMOVE);
      Print("paused " + std::to_string(pause_at) + " " + std::to_string(reinterpret_cast<uintptr_t>(sent->hwnd)));
      WaitForLine();
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

int Render(const std::vector<std::wstring>& args) {
  if (args.size() < 2) return Usage();
  Config.Orgn_Path = Narrow(args[0]);
  Paths.Image2_Path = Narrow(args[1]);
  Config.Disp_Size = 100;
  Config.Flame_Count = 64;
  bool hourglass = false;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::wstring& option = args[i];
    const bool has_value = i + 1 < args.size();
    if (option == L"--stretch") Config.Stretch_On = 1;
    else if (option == L"--hourglass") hourglass = true;
    else if (option == L"--radius" && has_value) Config.Disp_Size = static_cast<int16_t>(std::stoi(args[++i]));
    else if (option == L"--frames" && has_value) Config.Flame_Count = static_cast<int16_t>(std::stoi(args[++i]));
    else if (option == L"--pause-at" && has_value) pause_at = std::stoi(args[++i]);
    else if (option == L"--trim" && has_value) Config.Trim_On = 1, Config.Trim_Y = static_cast<int16_t>(std::stoi(args[++i]));
    else return Usage();
  }
  if (pause_at > 0) SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
  if (hourglass) SetScreenPointer(ScreenPointer::kHourglass);
  ShowRenderWindow(nullptr);
  Print(std::string("Render_Done=") + (Render_Done ? "1" : "0"));
  Print(std::string("pointer=") + (CurrentScreenPointer() == ScreenPointer::kDefault ? "default" : "hourglass"));
  return 0;
}

// --- decode ---------------------------------------------------------------

int Decode(const std::vector<std::wstring>& args) {
  if (args.size() != 2) return Usage();
  const auto loaded = LoadPictureFile(Narrow(args[0]));
  if (const auto* error = std::get_if<PictureError>(&loaded)) {
    Print(*error == PictureError::kTooLarge ? "error=too-large" : "error=not-a-picture");
    return 1;
  }
  const Surface& picture = std::get<Surface>(loaded);
  Win32FileSystem files;
  if (!files.WriteFileReplacing(Narrow(args[1]), EncodeBmp(picture.View()))) return 1;
  Print(std::to_string(picture.width()) + "x" + std::to_string(picture.height()));
  return 0;
}

// --- anchor ---------------------------------------------------------------

int Anchor() {
  const ZoomAnchor anchor = ReadZoomAnchor();
  Print(std::to_string(anchor.Cur_X) + " " + std::to_string(anchor.Cur_Y));
  return 0;
}

// --- bevel ----------------------------------------------------------------

std::string Hex(COLORREF colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

std::string Hex(const Pix_Quad& p) { return Hex(RGB(p.red, p.green, p.blue)); }

int Bevel(const std::vector<std::wstring>& args) {
  if (args.size() != 3) return Usage();
  const int width = std::stoi(args[0]);
  const int height = std::stoi(args[1]);
  Form form;
  PictureSurface box;
  if (!form.Create({.title = L"DrawBevel",
                    .style = WS_POPUP | WS_BORDER,
                    .bounds = Form::CentredOnScreen(width + 40, height + 40),
                    .background = GetSysColorBrush(COLOR_BTNFACE)}) ||
      !box.Create(form.hwnd(), 20, 20, width, height))
    return 1;
  const SurfaceView pixels = box.View();
  std::fill_n(pixels.pixels, static_cast<size_t>(width) * height, Pix_Quad{128, 128, 128, 0});
  DrawBevel(box, static_cast<UINT>(std::stoul(args[2], nullptr, 0)));
  form.Show();
  GdiFlush();
  // Rows of the picture counted from the top, as the screen shows them.
  const auto at = [&](int x, int y) { return Hex(pixels.At(x, height - 1 - y)); };
  Print(std::to_string(reinterpret_cast<uintptr_t>(form.hwnd())));
  Print("outer_top_left=" + at(0, 0));
  Print("outer_bottom_right=" + at(width - 1, height - 1));
  Print("inner_top_left=" + at(1, 1));
  Print("inner_bottom_right=" + at(width - 2, height - 2));
  Print("inside=" + at(2, 2));
  Print("light=" + Hex(GetSysColor(COLOR_3DLIGHT)));
  Print("dark_shadow=" + Hex(GetSysColor(COLOR_3DDKSHADOW)));
  Print("highlight=" + Hex(GetSysColor(COLOR_3DHIGHLIGHT)));
  Print("shadow=" + Hex(GetSysColor(COLOR_3DSHADOW)));
  // The box stays on the screen, painted, until the test has looked at it.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  WaitForLine();
  return 0;
}

int Run(const std::vector<std::wstring>& args) {
  if (args.empty()) return Usage();
  const std::wstring& command = args[0];
  const std::vector<std::wstring> rest(args.begin() + 1, args.end());
  if (command == L"render") return Render(rest);
  if (command == L"decode") return Decode(rest);
  if (command == L"anchor") return Anchor();
  if (command == L"bevel") return Bevel(rest);
  return Usage();
}

}  // namespace
}  // namespace gyra

int wmain(int argc, wchar_t** argv) { return gyra::Run(std::vector<std::wstring>(argv + 1, argv + argc)); }
