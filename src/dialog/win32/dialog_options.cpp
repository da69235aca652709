// The option marks, the stretching and trimming switches, the combo box and
// the sliders: each shows the user's choice, puts it into the settings where
// it takes effect at once, and enables Apply where Apply saves it.
#include <string>

#include "dialog/win32/settings_dialog.h"

namespace gyra {

void SettingsDialog::EnableApply() { buttons_[kApplyButton].Enable(true); }

// A press on the chosen member, too, enables Apply.
void SettingsDialog::OnMusicChosen(int index) {
  ShowChosen(music_marks_, index);
  settings_.music_off = static_cast<int16_t>(index);
  EnableApply();
}

void SettingsDialog::OnMotionChosen(int index) {
  ShowChosen(motion_marks_, index);
  settings_.motion = static_cast<int16_t>(index);
  EnableApply();
}

void SettingsDialog::OnTurnChosen(int index) {
  ShowChosen(turn_marks_, index);
  settings_.turn_left = static_cast<int16_t>(index);
  EnableApply();
}

void SettingsDialog::ShowTrimming(bool on) {
  trim_mark_.SetOn(on);
  trim_slider_.Show(on);
  trim_band_.Show(on);
}

// The switches exclude each other; neither enables Apply or touches OK. A
// stored value other than 0 or 1 counts as on and is switched to 0, so that
// the mark and the value never disagree.
void SettingsDialog::OnStretchToggled() {
  const bool on = settings_.stretch == 0;
  stretch_mark_.SetOn(on);
  if (on) {
    ShowTrimming(false);
    settings_.trim = 0;
  }
  settings_.stretch = on ? 1 : 0;
  ShowPicture();
  ResetTrimmingBand();
}

// Switched off, the preview stays as it is.
void SettingsDialog::OnTrimToggled() {
  const bool on = settings_.trim == 0;
  ShowTrimming(on);
  if (on) {
    stretch_mark_.SetOn(false);
    settings_.stretch = 0;
    ShowPicture();
    ResetTrimmingBand();
  }
  settings_.trim = on ? 1 : 0;
}

// Compared with the speed loaded at start, so that the value FillFromSettings
// assigns does not enable Apply.
void SettingsDialog::OnSpeedChanged() {
  if (speed_slider_.value() != settings_.speed) EnableApply();
  speed_label_.SetCaption(std::to_wstring(speed_slider_.value()));
}

void SettingsDialog::OnSpeedDragged() {
  EnableApply();
  speed_label_.SetCaption(std::to_wstring(speed_slider_.value()));
}

// The spinners' ranges are negated: the number shown is minus the value.
void SettingsDialog::OnFrameCountChanged() { frame_count_label_.SetCaption(std::to_wstring(-frame_count_spinner_.value())); }

void SettingsDialog::OnRadiusChanged() { radius_label_.SetCaption(std::to_wstring(-radius_spinner_.value())); }

}  // namespace gyra
