#include "settings/win32/dialog_artwork.h"

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
  Pic_Mbl = LoadPicture(IDB_TILE_STRIP);
  Img_Head = LoadPicture(IDB_HEADER_BAR);
  Img_OFF = LoadPicture(IDB_BUTTON_UP);
  Img_ON = LoadPicture(IDB_BUTTON_DOWN);
  Img_Opt_Off = LoadPicture(IDB_OPTION_OFF);
  Img_Opt_On = LoadPicture(IDB_OPTION_ON);
  Img_Option_Off = LoadPicture(IDB_CHECK_OFF);
  Img_Option_On = LoadPicture(IDB_CHECK_ON);
  pointer = LoadCursorW(program, MAKEINTRESOURCEW(IDC_POINTER));
  icon = LoadIconW(program, MAKEINTRESOURCEW(IDI_GYRAFOTO));
  caption_font = CreateNamedFont(kCaptionFace, kCaptionPoints, SHIFTJIS_CHARSET);
  link_font = CreateNamedFont(kCaptionFace, kCaptionPoints, SHIFTJIS_CHARSET, true);
  return Pic_Mbl && Img_Head && Img_OFF && Img_ON && Img_Opt_Off && Img_Opt_On && Img_Option_Off &&
         Img_Option_On && pointer && icon && caption_font && link_font;
}

DialogArtwork::~DialogArtwork() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(Pic_Mbl), static_cast<HGDIOBJ>(Img_Head),
                         static_cast<HGDIOBJ>(Img_OFF), static_cast<HGDIOBJ>(Img_ON),
                         static_cast<HGDIOBJ>(Img_Opt_Off), static_cast<HGDIOBJ>(Img_Opt_On),
                         static_cast<HGDIOBJ>(Img_Option_Off), static_cast<HGDIOBJ>(Img_Option_On),
                         static_cast<HGDIOBJ>(caption_font), static_cast<HGDIOBJ>(link_font)})
    if (object) DeleteObject(object);
  // The pointer and the icon are shared resources: never destroyed.
}

}  // namespace gyra
