// Filling the dialog from the settings as it loads, and closing it.
#include <string>

#include "core/win32/wide_text.h"
#include "dialog/dialog_layout.h"
#include "dialog/load_states.h"
#include "dialog/repeat_track.h"
#include "dialog/win32/settings_dialog.h"
#include "toolkit/control_pointer.h"

namespace gyra {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, const DataPaths& paths) : settings_(settings), paths_(paths) {}

bool SettingsDialog::Load(HWND owner) {
  if (!art_.Load()) return false;
  if (!Create({.title = L"ジラフォトの設定",
               .style = kFormStyle,
               .bounds = Form::CentredOver(owner, kPanels[0].width, kPanels[0].height),
               .parent = owner,
               .background = GetSysColorBrush(COLOR_BTNFACE),
               .icon = art_.icon}))
    return false;
  if (!CreateControls()) {
    Unload();
    return false;
  }
  ConnectHandlers();
  FillFromSettings();
  return true;
}

void SettingsDialog::ConnectHandlers() {
  for (int i = kBrowseButton; i <= kApplyButton; ++i) {
    const auto button = static_cast<DialogButton>(i);
    buttons_[button].on_release = [this, button] { OnButtonReleased(button); };
  }
  home_page_link_.on_mouse_down = [this] { OpenHomePage(); };
  // One handler serves each option group and is given the member's index.
  const auto connect = [](auto& group, auto handler) {
    for (int i = 0; i < static_cast<int>(group.size()); ++i) group[i].on_mouse_down = [handler, i] { handler(i); };
  };
  connect(music_marks_, [this](int i) { OnMusicChosen(i); });
  connect(motion_marks_, [this](int i) { OnMotionChosen(i); });
  connect(turn_marks_, [this](int i) { OnTurnChosen(i); });
  stretch_mark_.on_mouse_down = [this] { OnStretchToggled(); };
  trim_mark_.on_mouse_down = [this] { OnTrimToggled(); };
  repeat_combo_.on_click = [this] { EnableApply(); };
  repeat_combo_.on_key_down = [this] { EnableApply(); };
  speed_slider_.on_change = [this] { OnSpeedChanged(); };
  speed_slider_.on_scroll = [this] { OnSpeedDragged(); };
  frame_count_spinner_.on_change = [this] { OnFrameCountChanged(); };
  radius_spinner_.on_change = [this] { OnRadiusChanged(); };
  // The band follows the thumb while it is dragged, too.
  trim_slider_.on_change = [this] { OnTrimBandMoved(); };
  trim_slider_.on_scroll = [this] { OnTrimBandMoved(); };
}

void SettingsDialog::FillFromSettings() {
  FitClientAndCentre(kPanels[0].width, kPanels[0].height);
  DrawBackground();
  ShowStoredPicture();
  ShowStoredOptions();
  SetPointers();
  anchor_ = ReadZoomAnchor();
  ZoomOutOfPoint(hwnd(), anchor_.x, anchor_.y);
}

void SettingsDialog::DrawBackground() {
  for (Container& box : panels_) TilePanel(box);
  for (const Header& h : kHeaders) panels_[0].DrawPicture(art_.header_bar, h.left, h.top);
  DrawEdgeRound(picture_box_, EDGE_RAISED);
}

void SettingsDialog::ShowStoredPicture() {
  const bool has_picture = !settings_.picture_path.empty();
  if (has_picture) {
    DecodePicture();
    ShowPicture();
    ShowFirstFrame(false);
  }
  const LoadStates states = StatesAfterLoad(has_picture);
  buttons_[kBrowseButton].Enable(states.browse);
  buttons_[kRenderButton].Enable(states.render);
  buttons_[kOkButton].Enable(states.ok);
  buttons_[kCancelButton].Enable(states.cancel);
  buttons_[kApplyButton].Enable(states.apply);
  frame_count_spinner_.Enable(states.spinners);
  radius_spinner_.Enable(states.spinners);
}

void SettingsDialog::ShowStoredOptions() {
  // A stored number outside a slider's range cannot be assigned: the slider
  // keeps its design value while its label shows the stored number.
  frame_count_spinner_.SetValue(-settings_.frame_count);
  frame_count_label_.SetCaption(std::to_wstring(settings_.frame_count));
  radius_spinner_.SetValue(-settings_.radius);
  radius_label_.SetCaption(std::to_wstring(settings_.radius));

  ShowChosen(music_marks_, settings_.music_off);
  repeat_combo_.SetText(Widen(FormatHashHash(settings_.repeat_track)));
  for (const std::string& entry : RepeatTrackEntries()) repeat_combo_.AddItem(Widen(entry));

  speed_slider_.SetValue(settings_.speed);
  speed_label_.SetCaption(std::to_wstring(settings_.speed));

  stretch_mark_.SetOn(settings_.stretch != 0);
  ShowTrimmingAtLoad();
  ShowChosen(motion_marks_, settings_.motion);
  ShowChosen(turn_marks_, settings_.turn_left);
}

void SettingsDialog::SetPointers() {
  for (int i = kBrowseButton; i <= kApplyButton; ++i) {
    SetControlPointer(buttons_[i].label().hwnd(), art_.pointer);
    buttons_[i].ShowFace(false);
  }
  for (const ScrollBar* bar : {&frame_count_spinner_, &radius_spinner_, &trim_slider_, &speed_slider_})
    SetControlPointer(bar->hwnd(), art_.pointer);
  for (Mark& mark : music_marks_) SetControlPointer(mark.hwnd(), art_.pointer);
  for (Mark& mark : motion_marks_) SetControlPointer(mark.hwnd(), art_.pointer);
  for (Mark& mark : turn_marks_) SetControlPointer(mark.hwnd(), art_.pointer);
}

void SettingsDialog::ShowTrimmingAtLoad() {
  const bool on = settings_.trim != 0;
  ShowTrimming(on);
  if (!on) return;
  trim_frame_ = TrimFrameFor(preview_);
  PlaceTrimmingBand(settings_.trim_top);
  trim_slider_.SetRange(0, trim_frame_.max);
  trim_slider_.SetValue(settings_.trim_top);
}

void SettingsDialog::OnUnload() { ZoomIntoPoint(hwnd(), anchor_.x, anchor_.y); }

LRESULT SettingsDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      // Every way out closes here: the closing zoom, then the window goes.
      OnUnload();
      Unload();
      return 0;
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra
