// Filling the dialog from the settings as it loads, and closing it.
#include <string>

#include "settings/dialog_layout.h"
#include "settings/load_states.h"
#include "settings/repeat_track.h"
#include "settings/win32/vorten_p.h"
#include "startup/globals.h"
#include "toolkit/control_pointer.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Sizes the window so that its client area is width x height and centres it
// on the screen. The frame is measured rather than assumed, since its size
// depends on the system's metrics and theme.
void FitClientAndCentre(Form& form, int width, int height) {
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, 0);
  int outer_width = outer.right - outer.left;
  int outer_height = outer.bottom - outer.top;
  form.SetBounds(0, 0, outer_width, outer_height);
  RECT client;
  GetClientRect(form.hwnd(), &client);
  outer_width += width - client.right;
  outer_height += height - client.bottom;
  const RECT place = Form::CentredOnScreen(outer_width, outer_height);
  form.SetBounds(place.left, place.top, outer_width, outer_height);
}

}  // namespace

bool Vorten_P::Load() {
  if (!art_.Load()) return false;
  if (!Create({.title = L"ジラフォトの設定",
               .style = kFormStyle,
               .bounds = Form::CentredOnScreen(kPic_B[0].width, kPic_B[0].height),
               .background = GetSysColorBrush(COLOR_BTNFACE),
               .icon = art_.icon}))
    return false;
  if (!CreateControls()) {
    Unload();
    return false;
  }
  ConnectHandlers();
  Form_Load();
  return true;
}

void Vorten_P::ConnectHandlers() {
  for (int i = 1; i < static_cast<int>(lbl_Button.size()); ++i)
    lbl_Button[i].on_release = [this, i] { lbl_Button_MouseUp(i); };
  lbl_URL.on_mouse_down = [this] { lbl_URL_MouseDown(); };
  // One handler serves each option group and is given the member's index.
  const auto connect = [](auto& group, auto handler) {
    for (int i = 0; i < static_cast<int>(group.size()); ++i) group[i].on_mouse_down = [handler, i] { handler(i); };
  };
  connect(Img_BGM, [this](int i) { Img_BGM_MouseDown(i); });
  connect(Img_Move, [this](int i) { Img_Move_MouseDown(i); });
  connect(Img_Kaiten, [this](int i) { Img_Kaiten_MouseDown(i); });
  Img_Stretch.on_mouse_down = [this] { Img_Stretch_MouseDown(); };
  Img_Trim.on_mouse_down = [this] { Img_Trim_MouseDown(); };
  BGM_Repeat.on_click = [this] { EnableApply(); };
  BGM_Repeat.on_key_down = [this] { EnableApply(); };
  Scroll_Fast.on_change = [this] { Scroll_Fast_Change(); };
  Scroll_Fast.on_scroll = [this] { Scroll_Fast_Scroll(); };
  Scroll_Flame.on_change = [this] { Scroll_Flame_Change(); };
  Scroll_Radius.on_change = [this] { Scroll_Radius_Change(); };
  // The band follows the thumb while it is dragged, too.
  Scroll_Trim.on_change = [this] { Scroll_Trim_Change(); };
  Scroll_Trim.on_scroll = [this] { Scroll_Trim_Change(); };
}

void Vorten_P::Form_Load() {
  FitClientAndCentre(*this, kPic_B[0].width, kPic_B[0].height);

  for (Container& box : Pic_B) TilePanel(box);
  for (const Header& h : kImg_h) Pic_B[0].DrawPicture(art_.Img_Head, h.left, h.top);

  DrawBevel(Pic_Orgn, EDGE_RAISED);

  const bool has_picture = !Config.Orgn_Path.empty();
  if (has_picture) {
    LoadOriginal();
    ShowOriginal();
    ShowRenderResult(false);
  }
  const LoadStates states = StatesAfterLoad(has_picture);
  lbl_Button[1].Enable(states.browse);
  lbl_Button[2].Enable(states.render);
  lbl_Button[3].Enable(states.ok);
  lbl_Button[4].Enable(states.cancel);
  lbl_Button[5].Enable(states.apply);
  Scroll_Flame.Enable(states.spinners);
  Scroll_Radius.Enable(states.spinners);

  // A stored number outside a slider's range cannot be assigned: the slider
  // keeps its design value while its label shows the stored number.
  Scroll_Flame.SetValue(-Config.Flame_Count);
  lbl_Flame.SetCaption(std::to_wstring(Config.Flame_Count));
  Scroll_Radius.SetValue(-Config.Disp_Size);
  lbl_Radius.SetCaption(std::to_wstring(Config.Disp_Size));

  ShowChosen(Img_BGM, Config.BGM_Sel);
  BGM_Repeat.SetText(Widen(FormatHashHash(Config.BGM_Rep)));
  for (const std::string& entry : RepeatTrackEntries()) BGM_Repeat.AddItem(Widen(entry));

  Scroll_Fast.SetValue(Config.Speed);
  lbl_Fast.SetCaption(std::to_wstring(Config.Speed));

  Img_Stretch.SetOn(Config.Stretch_On != 0);
  ShowTrimmingAtLoad();

  for (Mark& mark : Img_Move) SetControlPointer(mark.hwnd(), art_.pointer);
  ShowChosen(Img_Move, Config.Move_Ptn);
  ShowChosen(Img_Kaiten, Config.Kaiten_Ptn);

  for (size_t i = 1; i < lbl_Button.size(); ++i) {
    SetControlPointer(lbl_Button[i].label().hwnd(), art_.pointer);
    lbl_Button[i].ShowFace(false);
  }
  for (const ScrollBar* bar : {&Scroll_Flame, &Scroll_Radius, &Scroll_Trim, &Scroll_Fast})
    SetControlPointer(bar->hwnd(), art_.pointer);
  for (Mark& mark : Img_BGM) SetControlPointer(mark.hwnd(), art_.pointer);
  for (Mark& mark : Img_Kaiten) SetControlPointer(mark.hwnd(), art_.pointer);

  Render_Done = false;

  anchor_ = ReadZoomAnchor();
  ZoomOpen(hwnd(), anchor_.Cur_X, anchor_.Cur_Y);
}

void Vorten_P::ShowTrimmingAtLoad() {
  const bool on = Config.Trim_On != 0;
  ShowTrimming(on);
  if (!on) return;
  trim_frame_ = TrimFrameFor(preview_);
  PlaceTrimFrame(Config.Trim_Y);
  Scroll_Trim.SetRange(0, trim_frame_.max);
  Scroll_Trim.SetValue(Config.Trim_Y);
}

void Vorten_P::Form_QueryUnload() { ZoomClose(hwnd(), anchor_.Cur_X, anchor_.Cur_Y); }

LRESULT Vorten_P::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      // Every way out closes here: the closing zoom, then the window goes.
      Form_QueryUnload();
      Unload();
      return 0;
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra
