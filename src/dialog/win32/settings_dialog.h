// Windows layer: the settings dialog, a custom-drawn window of
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

#include "core/surface.h"
#include "data/frame_files.h"
#include "data/settings_store.h"
#include "dialog/dialog_layout.h"
#include "dialog/preview_geometry.h"
#include "dialog/win32/dialog_artwork.h"
#include "toolkit/combo_box.h"
#include "toolkit/container.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/mark.h"
#include "toolkit/outline_shape.h"
#include "toolkit/push_button.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/window_effects.h"

namespace gyra {

// Shows the dialog over the settings (changed as the user works) and the
// data folder's paths, modal to `owner` (the screen-saver host's window, or
// nullptr); returns when it has closed.
void ShowSettingsDialog(Settings& settings, const DataPaths& paths, HWND owner);

class SettingsDialog : public Form {
 public:
  SettingsDialog(Settings& settings, const DataPaths& paths);

  // Creates the window and its controls and fills them from the settings;
  // the caller shows it.
  // Owned by `owner` (the screen-saver host's window, or nullptr).
  bool Load(HWND owner);

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
  void ConnectHandlers();
  void FillFromSettings();
  void DrawBackground();
  void ShowStoredPicture();
  void ShowStoredOptions();
  void ShowTrimmingAtLoad();
  void SetPointers();
  void OnUnload();

  // dialog_picture.cpp
  void WhitenPictureBoxes();
  void DecodePicture();
  void ChoosePicture();
  void ShowPicture();
  void ResetTrimmingBand();
  void PlaceTrimmingBand(int top);
  void ShowFirstFrame(bool fresh);
  // The check before rendering: false, after telling the user, when the
  // picture is taller than wide in as-is mode.
  bool CheckProportions();
  void OnTrimBandMoved();

  // dialog_options.cpp
  void OnMusicChosen(int index);
  void OnMotionChosen(int index);
  void OnTurnChosen(int index);
  void OnStretchToggled();
  void OnTrimToggled();
  void OnSpeedChanged();
  void OnSpeedDragged();
  void OnFrameCountChanged();
  void OnRadiusChanged();
  void ShowTrimming(bool on);  // the mark, the slider and the band
  void EnableApply();

  // dialog_commands.cpp
  void OnButtonReleased(DialogButton button);
  void BrowseCommand();
  void RenderCommand();
  void OpenHomePage();
  // Closes the dialog as the close box does: the closing zoom, then unloading.
  void Close();

  // dialog_save.cpp
  // SaveSettings(options_only): false, after telling the user, when the
  // frames could not be committed or the settings file not written.
  bool SaveSettings(bool options_only);

  Settings& settings_;
  const DataPaths& paths_;
  DialogArtwork art_;

  std::array<Container, 7> panels_;
  Container result_box_;
  Container picture_box_;
  OutlineShape trim_band_;

  std::array<Label, 7> headers_;  // the header captions
  std::array<Label, 16> captions_;
  Label path_label_;
  Label frame_count_label_;
  Label radius_label_;
  Label speed_label_;
  Label home_page_link_;
  Label credit_label_;
  std::array<PushButton, 6> buttons_;  // by DialogButton; 0 is unused

  Mark stretch_mark_;
  Mark trim_mark_;
  std::array<Mark, 2> music_marks_;  // 0 music on, 1 off
  std::array<Mark, 3> motion_marks_;
  std::array<Mark, 2> turn_marks_;

  ScrollBar trim_slider_;
  ScrollBar frame_count_spinner_;
  ScrollBar radius_spinner_;
  ScrollBar speed_slider_;
  ComboBox repeat_combo_;

  // The picture of settings_.picture_path as decoded; nothing while none is shown.
  std::optional<Surface> picture_;
  PreviewSize preview_ = kDesignPreview;  // picture_box_'s size
  TrimFrame trim_frame_;                   // trim_band_'s size and trim_slider_'s range
  int band_top_ = 0;                       // trim_band_'s top
  // An OK whose settings file could not be written has committed the frames
  // already: trying again must not commit the now empty Image2.
  bool frames_committed_ = false;
  ZoomAnchor anchor_;
};

}  // namespace gyra
