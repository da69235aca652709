// The dialog's window and controls, built from the layout table.
#include "core/win32/wide_text.h"
#include "dialog/dialog_layout.h"
#include "dialog/tile_panel.h"
#include "dialog/win32/settings_dialog.h"
#include "toolkit/bitmap.h"
#include "toolkit/control_pointer.h"

namespace gyra {

namespace {

constexpr COLORREF kCaptionColour = RGB(0, 0, 0);
constexpr COLORREF kHeaderColour = RGB(24, 48, 92);
constexpr COLORREF kValueBackground = RGB(0xE0, 0xE0, 0xE0);
constexpr COLORREF kLinkColour = RGB(26, 63, 143);
// The trimming band: black and white dashes show on any picture.
constexpr COLORREF kBandDash = RGB(0, 0, 0);
constexpr COLORREF kBandGap = RGB(255, 255, 255);
constexpr int kComboListHeight = 200;

}  // namespace

bool SettingsDialog::CreateControls() {
  if (!CreatePanels() || !CreatePictureControls() || !CreateRenderingControls() || !CreateOptionControls() ||
      !CreateCaptions())
    return false;
  WhitenPictureBoxes();
  return true;
}

bool SettingsDialog::CreatePanels() {
  const Box& back = kPanels[0];
  if (!panels_[0].Create(hwnd(), back.left, back.top, back.width, back.height, false)) return false;
  for (size_t i = 1; i < panels_.size(); ++i) {
    const Box& b = kPanels[i];
    if (!panels_[i].Create(panels_[0].hwnd(), b.left, b.top, b.width, b.height, true)) return false;
  }
  const Box& r = kResultBox;
  if (!result_box_.Create(panels_[0].hwnd(), r.left, r.top, r.width, r.height, true)) return false;

  const LabelStyle header{.font = art_.caption_font, .colour = kHeaderColour};
  for (size_t i = 0; i < kHeaders.size(); ++i) {
    const Header& h = kHeaders[i];
    if (!headers_[i].Create(panels_[0], h.left + kCaptionInset, h.top + kCaptionInset, 0, 0, Widen(h.caption), header))
      return false;
  }
  const LabelStyle button{.font = art_.caption_font, .colour = kCaptionColour, .align = DT_CENTER};
  for (size_t i = 1; i < kButtons.size(); ++i) {
    const ButtonPlace& b = kButtons[i];
    if (!buttons_[i].Create(panels_[b.container], b.left, b.top, {art_.button_up, art_.button_down}, kCaptionInset,
                              b.label_width, kButtonLabelHeight, Widen(b.caption), button))
      return false;
  }
  return true;
}

bool SettingsDialog::CreatePictureControls() {
  HWND panel = panels_[1].hwnd();
  const Box& o = kPictureBox.box;
  if (!picture_box_.Create(panel, o.left, o.top, o.width, o.height, false)) return false;
  if (!trim_band_.Create(picture_box_.hwnd(), 0, 0, o.width, o.height / 2, kBandDash, kBandGap, false)) return false;

  const Box& s = kStretchMark.box;
  const Box& t = kTrimMark.box;
  const Box& st = kTrimSlider.box;
  if (!stretch_mark_.Create(panel, s.left, s.top, art_.check_off, art_.check_on) ||
      !trim_mark_.Create(panel, t.left, t.top, art_.check_off, art_.check_on) ||
      !trim_slider_.Create(panel, st.left, st.top, st.width, st.height, true))
    return false;
  trim_slider_.SetSteps(1, 1);
  SetControlPointer(stretch_mark_.hwnd(), art_.pointer);
  SetControlPointer(trim_mark_.hwnd(), art_.pointer);

  const Box& p = kPathLabel.box;
  return path_label_.Create(panels_[1], p.left, p.top, p.width, p.height, L"",
                         {.font = art_.caption_font, .background = kValueBackground, .boxed = true,
                          .path_ellipsis = true});
}

bool SettingsDialog::CreateRenderingControls() {
  HWND panel = panels_[2].hwnd();
  const LabelStyle value{.font = art_.caption_font, .background = kValueBackground, .align = DT_RIGHT,
                         .boxed = true};
  const Box& lf = kFrameCountLabel.box;
  const Box& lr = kRadiusLabel.box;
  const Box& sf = kFrameCountSpinner.box;
  const Box& sr = kRadiusSpinner.box;
  if (!frame_count_label_.Create(panels_[2], lf.left, lf.top, lf.width, lf.height, L"", value) ||
      !radius_label_.Create(panels_[2], lr.left, lr.top, lr.width, lr.height, L"", value) ||
      !frame_count_spinner_.Create(panel, sf.left, sf.top, sf.width, sf.height, true) ||
      !radius_spinner_.Create(panel, sr.left, sr.top, sr.width, sr.height, true))
    return false;
  // Negated ranges: the up arrow, towards the minimum, raises the number.
  frame_count_spinner_.SetRange(-128, -8);
  radius_spinner_.SetRange(-200, -100);
  return true;
}

bool SettingsDialog::CreateOptionControls() {
  const auto create_marks = [this](auto& marks, const auto& places) {
    for (size_t i = 0; i < marks.size(); ++i) {
      const Box& b = places[i].box;
      if (!marks[i].Create(panels_[places[i].container].hwnd(), b.left, b.top, art_.option_off, art_.option_on))
        return false;
    }
    return true;
  };
  if (!create_marks(music_marks_, kMusicMarks) || !create_marks(motion_marks_, kMotionMarks) ||
      !create_marks(turn_marks_, kTurnMarks))
    return false;

  const Box& c = kRepeatCombo.box;
  if (!repeat_combo_.Create(panels_[3].hwnd(), c.left, c.top, c.width, c.height, kComboListHeight, art_.caption_font))
    return false;
  SetControlPointer(repeat_combo_.hwnd(), art_.pointer);

  const Box& f = kSpeedSlider.box;
  const Box& l = kSpeedLabel.box;
  if (!speed_slider_.Create(panels_[5].hwnd(), f.left, f.top, f.width, f.height, false)) return false;
  speed_slider_.SetRange(1, 1000);
  speed_slider_.SetSteps(10, 100);
  return speed_label_.Create(panels_[5], l.left, l.top, l.width, l.height, L"",
                         {.font = art_.caption_font, .align = DT_CENTER});
}

bool SettingsDialog::CreateCaptions() {
  const LabelStyle plain{.font = art_.caption_font, .colour = kCaptionColour};
  for (size_t i = 0; i < kCaptions.size(); ++i) {
    const Caption& c = kCaptions[i];
    if (!captions_[i].Create(panels_[c.container], c.left, c.top, 0, 0, Widen(c.text), plain)) return false;
  }
  const Box& credit = kCreditLabel.box;
  const Box& url = kHomePageLink.box;
  // A font standing in for the requested one may be a pixel taller than the
  // link's label: set at the bottom, the link loses its empty top row rather
  // than its underline.
  if (!credit_label_.Create(panels_[0], credit.left, credit.top, 0, 0, Widen(kCredit), plain) ||
      !home_page_link_.Create(panels_[0], url.left, url.top, url.width, url.height, Widen(kHomePage),
                      {.font = art_.link_font, .colour = kLinkColour, .align = DT_LEFT | DT_BOTTOM}))
    return false;
  SetControlPointer(home_page_link_.hwnd(), art_.pointer);
  return true;
}

void SettingsDialog::TilePanel(Container& box) {
  const SIZE tile = BitmapSize(art_.tile_strip);
  for (const TileOrigin& at : TileOrigins(box.width(), box.height(), tile.cx, tile.cy))
    box.DrawPicture(art_.tile_strip, at.x, at.y);
}

}  // namespace gyra
