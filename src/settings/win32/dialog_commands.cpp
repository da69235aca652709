// The five buttons, acting on release, and the home-page link.
#include <windows.h>

#include <shellapi.h>

#include "render/win32/render_window.h"
#include "settings/win32/vorten_p.h"
#include "startup/globals.h"
#include "toolkit/message_loop.h"
#include "toolkit/screen_pointer.h"

namespace gyra {

namespace {

enum Command { kBrowse = 1, kRender, kOk, kCancel, kApply };

}  // namespace

// The push button has drawn its face up already.
void Vorten_P::lbl_Button_MouseUp(int Index) {
  // Let the face be repainted before the work starts.
  DoEvents();
  if (!hwnd()) return;  // closed meanwhile
  if (Index == kRender && lbl_Path.caption().empty()) return;
  SetScreenPointer(ScreenPointer::kHourglass);
  switch (Index) {
    case kBrowse:
      BrowseCommand();
      break;
    case kRender:
      RenderCommand();
      break;
    case kOk:
      if (SaveSettings(false)) Close();
      break;
    case kCancel:
      Close();
      break;
    case kApply:
      if (SaveSettings(true)) Close();
      break;
  }
  SetScreenPointer(ScreenPointer::kDefault);
}

// Whether or not a picture was chosen, trimming is off afterwards and the
// frames rendered so far are no longer for OK to commit.
void Vorten_P::BrowseCommand() {
  lbl_Button[kOk].Enable(false);
  BrowsePicture();
  ShowTrimming(false);
  Config.Trim_On = 0;
  Render_Done = false;
}

// The rendering window reads the settings and writes Image2; it tells
// through Render_Done whether every frame is there.
void Vorten_P::RenderCommand() {
  if (!CheckProportions()) return;
  Config.Flame_Count = static_cast<int16_t>(-Scroll_Flame.value());
  Config.Disp_Size = static_cast<int16_t>(-Scroll_Radius.value());
  if (Config.Trim_On == 1) Config.Trim_Y = static_cast<int16_t>(band_top_);
  Render_Done = false;
  ShowRenderWindow(hwnd());
  lbl_Button[kOk].Enable(Render_Done);
  if (!Render_Done) return;
  frames_committed_ = false;
  ShowRenderResult(true);
}

void Vorten_P::lbl_URL_MouseDown() {
  SetScreenPointer(ScreenPointer::kHourglass);
  ShellExecuteW(hwnd(), L"open", lbl_URL.caption().c_str(), L"", L"", SW_SHOWNORMAL);
  SetScreenPointer(ScreenPointer::kDefault);
}

void Vorten_P::Close() { SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace gyra
