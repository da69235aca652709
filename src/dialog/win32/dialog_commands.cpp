// The five buttons, acting on release, and the home-page link.
#include <windows.h>

#include <shellapi.h>

#include "dialog/win32/settings_dialog.h"
#include "render/win32/render_window.h"
#include "toolkit/message_loop.h"
#include "toolkit/screen_pointer.h"

namespace gyra {

// The push button has drawn its face up already.
void SettingsDialog::OnButtonReleased(DialogButton button) {
  // Let the face be repainted before the work starts.
  DoEvents();
  if (!hwnd()) return;  // closed meanwhile
  if (button == kRenderButton && path_label_.caption().empty()) return;
  SetScreenPointer(hwnd(), ScreenPointer::kHourglass);
  switch (button) {
    case kBrowseButton:
      BrowseCommand();
      break;
    case kRenderButton:
      RenderCommand();
      break;
    case kOkButton:
      if (SaveSettings(false)) Close();
      break;
    case kCancelButton:
      Close();
      break;
    case kApplyButton:
      if (SaveSettings(true)) Close();
      break;
  }
  SetScreenPointer(hwnd(), ScreenPointer::kDefault);
}

// Whether or not a picture was chosen, trimming is off afterwards and the
// frames rendered so far are no longer for OK to commit.
void SettingsDialog::BrowseCommand() {
  buttons_[kOkButton].Enable(false);
  ChoosePicture();
  ShowTrimming(false);
  settings_.trim = 0;
}

// The rendering window renders the picture with the settings into Image2;
// OK is for frames only when every one of them is there.
void SettingsDialog::RenderCommand() {
  if (!CheckProportions()) return;
  settings_.frame_count = static_cast<int16_t>(-frame_count_spinner_.value());
  settings_.radius = static_cast<int16_t>(-radius_spinner_.value());
  if (settings_.trim == 1) settings_.trim_top = static_cast<int16_t>(band_top_);
  const RenderOptions options{.radius = settings_.radius,
                              .frame_count = settings_.frame_count,
                              .stretch = settings_.stretch,
                              .trim = settings_.trim,
                              .trim_top = settings_.trim_top};
  const bool rendered = ShowRenderWindow(hwnd(), options, settings_.picture_path, paths_.rendering_folder);
  buttons_[kOkButton].Enable(rendered);
  if (!rendered) return;
  frames_committed_ = false;
  ShowFirstFrame(true);
}

void SettingsDialog::OpenHomePage() {
  SetScreenPointer(hwnd(), ScreenPointer::kHourglass);
  ShellExecuteW(hwnd(), L"open", home_page_link_.caption().c_str(), L"", L"", SW_SHOWNORMAL);
  SetScreenPointer(hwnd(), ScreenPointer::kDefault);
}

void SettingsDialog::Close() { SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace gyra
