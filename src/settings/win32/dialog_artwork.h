// Windows layer: the settings dialog's pictures, pointer and fonts, loaded
// from the program's resources once for the dialog's life.
#pragma once

#include <windows.h>

namespace gyra {

class DialogArtwork {
 public:
  DialogArtwork() = default;
  DialogArtwork(const DialogArtwork&) = delete;
  DialogArtwork& operator=(const DialogArtwork&) = delete;
  ~DialogArtwork();

  // False when a piece is missing from the resources.
  bool Load();

  HBITMAP Pic_Mbl = nullptr;  // the panels' tile strip
  HBITMAP Img_Head = nullptr;
  HBITMAP Img_OFF = nullptr;  // button face up
  HBITMAP Img_ON = nullptr;   // button face down
  HBITMAP Img_Opt_Off = nullptr;
  HBITMAP Img_Opt_On = nullptr;
  HBITMAP Img_Option_Off = nullptr;  // the switches' check marks
  HBITMAP Img_Option_On = nullptr;
  HCURSOR pointer = nullptr;  // over every clickable control
  HICON icon = nullptr;
  HFONT caption_font = nullptr;
  HFONT link_font = nullptr;  // the caption font underlined
};

}  // namespace gyra
