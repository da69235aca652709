// The option marks, the stretching and trimming switches, the combo box and
// the sliders: each shows the user's choice, puts it into the settings where
// it takes effect at once, and enables Apply where Apply saves it.
#include <string>

#include "settings/win32/vorten_p.h"
#include "startup/globals.h"

namespace gyra {

void Vorten_P::EnableApply() { lbl_Button[5].Enable(true); }

// A press on the chosen member, too, enables Apply.
void Vorten_P::Img_BGM_MouseDown(int Index) {
  ShowChosen(Img_BGM, Index);
  Config.BGM_Sel = static_cast<int16_t>(Index);
  EnableApply();
}

void Vorten_P::Img_Move_MouseDown(int Index) {
  ShowChosen(Img_Move, Index);
  Config.Move_Ptn = static_cast<int16_t>(Index);
  EnableApply();
}

void Vorten_P::Img_Kaiten_MouseDown(int Index) {
  ShowChosen(Img_Kaiten, Index);
  Config.Kaiten_Ptn = static_cast<int16_t>(Index);
  EnableApply();
}

void Vorten_P::ShowTrimming(bool on) {
  Img_Trim.SetOn(on);
  Scroll_Trim.Show(on);
  Shape_Trim.Show(on);
}

// The switches exclude each other; neither enables Apply or touches OK. A
// stored value other than 0 or 1 counts as on and is switched to 0, so that
// the mark and the value never disagree.
void Vorten_P::Img_Stretch_MouseDown() {
  const bool on = Config.Stretch_On == 0;
  Img_Stretch.SetOn(on);
  if (on) {
    ShowTrimming(false);
    Config.Trim_On = 0;
  }
  Config.Stretch_On = on ? 1 : 0;
  ShowOriginal();
  ResetTrimFrame();
}

// Switched off, the preview stays as it is.
void Vorten_P::Img_Trim_MouseDown() {
  const bool on = Config.Trim_On == 0;
  ShowTrimming(on);
  if (on) {
    Img_Stretch.SetOn(false);
    Config.Stretch_On = 0;
    ShowOriginal();
    ResetTrimFrame();
  }
  Config.Trim_On = on ? 1 : 0;
}

// Compared with the speed loaded at start, so that the value Form_Load
// assigns does not enable Apply.
void Vorten_P::Scroll_Fast_Change() {
  if (Scroll_Fast.value() != Config.Speed) EnableApply();
  lbl_Fast.SetCaption(std::to_wstring(Scroll_Fast.value()));
}

void Vorten_P::Scroll_Fast_Scroll() {
  EnableApply();
  lbl_Fast.SetCaption(std::to_wstring(Scroll_Fast.value()));
}

// The spinners' ranges are negated: the number shown is minus the value.
void Vorten_P::Scroll_Flame_Change() { lbl_Flame.SetCaption(std::to_wstring(-Scroll_Flame.value())); }

void Vorten_P::Scroll_Radius_Change() { lbl_Radius.SetCaption(std::to_wstring(-Scroll_Radius.value())); }

}  // namespace gyra
