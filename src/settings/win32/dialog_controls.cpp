// The dialog's window and controls, built from the layout table.
#include "settings/dialog_layout.h"
#include "settings/tile_panel.h"
#include "settings/win32/vorten_p.h"
#include "toolkit/bitmap.h"
#include "toolkit/control_pointer.h"
#include "toolkit/text.h"

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

bool Vorten_P::CreateControls() {
  if (!CreatePanels() || !CreatePictureControls() || !CreateRenderingControls() || !CreateOptionControls() ||
      !CreateCaptions())
    return false;
  WhitenPictureBoxes();
  return true;
}

bool Vorten_P::CreatePanels() {
  const Box& back = kPic_B[0];
  if (!Pic_B[0].Create(hwnd(), back.left, back.top, back.width, back.height, false)) return false;
  for (size_t i = 1; i < Pic_B.size(); ++i) {
    const Box& b = kPic_B[i];
    if (!Pic_B[i].Create(Pic_B[0].hwnd(), b.left, b.top, b.width, b.height, true)) return false;
  }
  const Box& r = kPic_Rnder;
  if (!Pic_Rnder.Create(Pic_B[0].hwnd(), r.left, r.top, r.width, r.height, true)) return false;

  const LabelStyle header{.font = art_.caption_font, .colour = kHeaderColour};
  for (size_t i = 0; i < kImg_h.size(); ++i) {
    const Header& h = kImg_h[i];
    if (!lbl[i].Create(Pic_B[0], h.left + kCaptionInset, h.top + kCaptionInset, 0, 0, Widen(h.caption), header))
      return false;
  }
  const LabelStyle button{.font = art_.caption_font, .colour = kCaptionColour, .align = DT_CENTER};
  for (size_t i = 1; i < kButtons.size(); ++i) {
    const ButtonPlace& b = kButtons[i];
    if (!lbl_Button[i].Create(Pic_B[b.container], b.left, b.top, {art_.Img_OFF, art_.Img_ON}, kCaptionInset,
                              b.label_width, kButtonLabelHeight, Widen(b.caption), button))
      return false;
  }
  return true;
}

bool Vorten_P::CreatePictureControls() {
  HWND panel = Pic_B[1].hwnd();
  const Box& o = kPic_Orgn.box;
  if (!Pic_Orgn.Create(panel, o.left, o.top, o.width, o.height, false)) return false;
  if (!Shape_Trim.Create(Pic_Orgn.hwnd(), 0, 0, o.width, o.height / 2, kBandDash, kBandGap, false)) return false;

  const Box& s = kImg_Stretch.box;
  const Box& t = kImg_Trim.box;
  const Box& st = kScroll_Trim.box;
  if (!Img_Stretch.Create(panel, s.left, s.top, art_.Img_Option_Off, art_.Img_Option_On) ||
      !Img_Trim.Create(panel, t.left, t.top, art_.Img_Option_Off, art_.Img_Option_On) ||
      !Scroll_Trim.Create(panel, st.left, st.top, st.width, st.height, true))
    return false;
  Scroll_Trim.SetSteps(1, 1);
  SetControlPointer(Img_Stretch.hwnd(), art_.pointer);
  SetControlPointer(Img_Trim.hwnd(), art_.pointer);

  const Box& p = kLbl_Path.box;
  return lbl_Path.Create(Pic_B[1], p.left, p.top, p.width, p.height, L"",
                         {.font = art_.caption_font, .background = kValueBackground, .boxed = true,
                          .path_ellipsis = true});
}

bool Vorten_P::CreateRenderingControls() {
  HWND panel = Pic_B[2].hwnd();
  const LabelStyle value{.font = art_.caption_font, .background = kValueBackground, .align = DT_RIGHT,
                         .boxed = true};
  const Box& lf = kLbl_Flame.box;
  const Box& lr = kLbl_Radius.box;
  const Box& sf = kScroll_Flame.box;
  const Box& sr = kScroll_Radius.box;
  if (!lbl_Flame.Create(Pic_B[2], lf.left, lf.top, lf.width, lf.height, L"", value) ||
      !lbl_Radius.Create(Pic_B[2], lr.left, lr.top, lr.width, lr.height, L"", value) ||
      !Scroll_Flame.Create(panel, sf.left, sf.top, sf.width, sf.height, true) ||
      !Scroll_Radius.Create(panel, sr.left, sr.top, sr.width, sr.height, true))
    return false;
  // Negated ranges: the up arrow, towards the minimum, raises the number.
  Scroll_Flame.SetRange(-128, -8);
  Scroll_Radius.SetRange(-200, -100);
  return true;
}

bool Vorten_P::CreateOptionControls() {
  const auto create_marks = [this](auto& marks, const auto& places) {
    for (size_t i = 0; i < marks.size(); ++i) {
      const Box& b = places[i].box;
      if (!marks[i].Create(Pic_B[places[i].container].hwnd(), b.left, b.top, art_.Img_Opt_Off, art_.Img_Opt_On))
        return false;
    }
    return true;
  };
  if (!create_marks(Img_BGM, kImg_BGM) || !create_marks(Img_Move, kImg_Move) ||
      !create_marks(Img_Kaiten, kImg_Kaiten))
    return false;

  const Box& c = kBGM_Repeat.box;
  if (!BGM_Repeat.Create(Pic_B[3].hwnd(), c.left, c.top, c.width, c.height, kComboListHeight, art_.caption_font))
    return false;
  SetControlPointer(BGM_Repeat.hwnd(), art_.pointer);

  const Box& f = kScroll_Fast.box;
  const Box& l = kLbl_Fast.box;
  if (!Scroll_Fast.Create(Pic_B[5].hwnd(), f.left, f.top, f.width, f.height, false)) return false;
  Scroll_Fast.SetRange(1, 1000);
  Scroll_Fast.SetSteps(10, 100);
  return lbl_Fast.Create(Pic_B[5], l.left, l.top, l.width, l.height, L"",
                         {.font = art_.caption_font, .align = DT_CENTER});
}

bool Vorten_P::CreateCaptions() {
  const LabelStyle plain{.font = art_.caption_font, .colour = kCaptionColour};
  for (size_t i = 0; i < kCaptions.size(); ++i) {
    const Caption& c = kCaptions[i];
    if (!captions_[i].Create(Pic_B[c.container], c.left, c.top, 0, 0, Widen(c.text), plain)) return false;
  }
  const Box& credit = kLbl_Credit.box;
  const Box& url = kLbl_URL.box;
  // A font standing in for the requested one may be a pixel taller than the
  // link's label: set at the bottom, the link loses its empty top row rather
  // than its underline.
  if (!lbl_Credit.Create(Pic_B[0], credit.left, credit.top, 0, 0, Widen(kCredit), plain) ||
      !lbl_URL.Create(Pic_B[0], url.left, url.top, url.width, url.height, Widen(kHomePage),
                      {.font = art_.link_font, .colour = kLinkColour, .align = DT_LEFT | DT_BOTTOM}))
    return false;
  SetControlPointer(lbl_URL.hwnd(), art_.pointer);
  return true;
}

void Vorten_P::TilePanel(Container& box) {
  const SIZE tile = BitmapSize(art_.Pic_Mbl);
  for (const TileOrigin& at : TileOrigins(box.width(), box.height(), tile.cx, tile.cy))
    box.DrawPicture(art_.Pic_Mbl, at.x, at.y);
}

}  // namespace gyra
