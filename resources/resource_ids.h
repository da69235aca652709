#ifndef GYRAFOTO_RESOURCE_IDS_H
#define GYRAFOTO_RESOURCE_IDS_H

// Shared by the resource script and the C++ code, so plain defines only.
#define IDS_DESCRIPTION 1      // the name the screen-saver list shows
#define IDI_GYRAFOTO 100       // the program icon
#define IDB_PREVIEW_GLOBE 101  // the preview window's globe picture

// The settings dialog's artwork. The dialog's window icon is IDI_GYRAFOTO.
#define IDB_TILE_STRIP 110     // 602 x 24 paper, tiled over every panel
#define IDB_HEADER_BAR 111     // 95 x 22 bar above each panel
#define IDB_BUTTON_UP 112      // 95 x 22 push-button faces
#define IDB_BUTTON_DOWN 113
#define IDB_OPTION_OFF 114     // 13 x 13 one-of-N marks
#define IDB_OPTION_ON 115
#define IDB_CHECK_OFF 116      // 11 x 11 switch marks
#define IDB_CHECK_ON 117
#define IDC_POINTER 118        // the hand over every clickable control

#endif
