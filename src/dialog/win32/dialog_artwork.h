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

  HBITMAP tile_strip = nullptr;  // the panels' tile strip
  HBITMAP header_bar = nullptr;
  HBITMAP button_up = nullptr;  // button face up
  HBITMAP button_down = nullptr;   // button face down
  HBITMAP option_off = nullptr;
  HBITMAP option_on = nullptr;
  HBITMAP check_off = nullptr;  // the switches' check marks
  HBITMAP check_on = nullptr;
  HCURSOR pointer = nullptr;  // over every clickable control
  HICON icon = nullptr;
  HFONT caption_font = nullptr;
  HFONT link_font = nullptr;  // the caption font underlined
};

}  // namespace gyra
