#include "dialog/win32/dialog_artwork.h"

#include "resource_ids.h"
#include "toolkit/font.h"

namespace gyra {

namespace {

// Requested by name with the Japanese character set, so that a Japanese
// font stands in where this face is missing.
constexpr wchar_t kCaptionFace[] = L"ＭＳ Ｐゴシック";
constexpr double kCaptionPoints = 9.75;

HBITMAP LoadPicture(int id) {
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

bool DialogArtwork::Load() {
  const HINSTANCE program = GetModuleHandleW(nullptr);
  tile_strip = LoadPicture(IDB_TILE_STRIP);
  header_bar = LoadPicture(IDB_HEADER_BAR);
  button_up = LoadPicture(IDB_BUTTON_UP);
  button_down = LoadPicture(IDB_BUTTON_DOWN);
  option_off = LoadPicture(IDB_OPTION_OFF);
  option_on = LoadPicture(IDB_OPTION_ON);
  check_off = LoadPicture(IDB_CHECK_OFF);
  check_on = LoadPicture(IDB_CHECK_ON);
  pointer = LoadCursorW(program, MAKEINTRESOURCEW(IDC_POINTER));
  icon = LoadIconW(program, MAKEINTRESOURCEW(IDI_GYRAFOTO));
  caption_font = CreateNamedFont(kCaptionFace, kCaptionPoints, SHIFTJIS_CHARSET);
  link_font = CreateNamedFont(kCaptionFace, kCaptionPoints, SHIFTJIS_CHARSET, true);
  return tile_strip && header_bar && button_up && button_down && option_off && option_on && check_off &&
         check_on && pointer && icon && caption_font && link_font;
}

DialogArtwork::~DialogArtwork() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(tile_strip), static_cast<HGDIOBJ>(header_bar),
                         static_cast<HGDIOBJ>(button_up), static_cast<HGDIOBJ>(button_down),
                         static_cast<HGDIOBJ>(option_off), static_cast<HGDIOBJ>(option_on),
                         static_cast<HGDIOBJ>(check_off), static_cast<HGDIOBJ>(check_on),
                         static_cast<HGDIOBJ>(caption_font), static_cast<HGDIOBJ>(link_font)})
    if (object) DeleteObject(object);
  // The pointer and the icon are shared resources: never destroyed.
}

}  // namespace gyra
