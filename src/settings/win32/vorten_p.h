// Windows layer: the settings dialog Vorten_P, a custom-drawn window of
// tiled panels with header bars, picture buttons and marks. Split by
// concern: dialog_controls.cpp builds the window from the layout table,
// dialog_load.cpp fills it from the settings and closes it, dialog_picture.cpp
// holds the picture choice, the preview, the trimming band and the result box,
// dialog_options.cpp the option marks, switches and sliders,
// dialog_commands.cpp the five buttons and the home-page link, and
// dialog_save.cpp the saving behind OK and Apply.
#pragma once

#include <array>
#include <optional>

#include "render/surface.h"
#include "settings/preview_geometry.h"
#include "settings/win32/dialog_artwork.h"
#include "startup/win32/window_effects.h"
#include "toolkit/combo_box.h"
#include "toolkit/container.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/mark.h"
#include "toolkit/outline_shape.h"
#include "toolkit/push_button.h"
#include "toolkit/scroll_bar.h"

namespace gyra {

class Vorten_P : public Form {
 public:
  // Creates the window and its controls and fills them from the settings
  // (Form_Load); the caller shows it.
  bool Load();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // dialog_controls.cpp
  bool CreateControls();
  bool CreatePanels();
  bool CreatePictureControls();
  bool CreateRenderingControls();
  bool CreateOptionControls();
  bool CreateCaptions();
  void TilePanel(Container& box);

  // dialog_load.cpp
  void Form_Load();
  void Form_QueryUnload();
  void ShowTrimmingAtLoad();
  void ConnectHandlers();

  // dialog_picture.cpp
  void WhitenPictureBoxes();
  void LoadOriginal();
  void BrowsePicture();
  void ShowOriginal();
  void ResetTrimFrame();
  void PlaceTrimFrame(int top);
  void ShowRenderResult(bool fresh);
  // The check before rendering: false, after telling the user, when the
  // picture is taller than wide in as-is mode.
  bool CheckProportions();
  void Scroll_Trim_Change();

  // dialog_options.cpp
  void Img_BGM_MouseDown(int Index);
  void Img_Move_MouseDown(int Index);
  void Img_Kaiten_MouseDown(int Index);
  void Img_Stretch_MouseDown();
  void Img_Trim_MouseDown();
  void Scroll_Fast_Change();
  void Scroll_Fast_Scroll();
  void Scroll_Flame_Change();
  void Scroll_Radius_Change();
  void ShowTrimming(bool on);  // the mark, the slider and the band
  void EnableApply();

  // dialog_commands.cpp
  void lbl_Button_MouseUp(int Index);
  void BrowseCommand();
  void RenderCommand();
  void lbl_URL_MouseDown();
  // Closes the dialog as the close box does: the closing zoom, then unloading.
  void Close();

  // dialog_save.cpp
  // SaveSettings(Options_Only): false, after telling the user, when the
  // frames could not be committed or the settings file not written.
  bool SaveSettings(bool Options_Only);

  DialogArtwork art_;

  std::array<Container, 7> Pic_B;
  Container Pic_Rnder;
  Container Pic_Orgn;
  OutlineShape Shape_Trim;

  std::array<Label, 7> lbl;  // the header captions
  std::array<Label, 16> captions_;
  Label lbl_Path;
  Label lbl_Flame;
  Label lbl_Radius;
  Label lbl_Fast;
  Label lbl_URL;
  Label lbl_Credit;
  std::array<PushButton, 6> lbl_Button;  // 1 .. 5: face Img_Button(i) with its label

  Mark Img_Stretch;
  Mark Img_Trim;
  std::array<Mark, 2> Img_BGM;  // 0 music on, 1 off
  std::array<Mark, 3> Img_Move;
  std::array<Mark, 2> Img_Kaiten;

  ScrollBar Scroll_Trim;
  ScrollBar Scroll_Flame;
  ScrollBar Scroll_Radius;
  ScrollBar Scroll_Fast;
  ComboBox BGM_Repeat;

  // The picture of Config.Orgn_Path as decoded; nothing while none is shown.
  std::optional<Surface> Pic_F;
  PreviewSize preview_ = kDesignPreview;  // Pic_Orgn's size
  TrimFrame trim_frame_;                   // Shape_Trim's size and Scroll_Trim's range
  int band_top_ = 0;                       // Shape_Trim's top
  // An OK whose settings file could not be written has committed the frames
  // already: trying again must not commit the now empty Image2.
  bool frames_committed_ = false;
  ZoomAnchor anchor_;
};

}  // namespace gyra
