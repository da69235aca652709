#ifndef GYRAFOTO_RESOURCE_IDS_H
#define GYRAFOTO_RESOURCE_IDS_H

// Shared by the resource script and the C++ code, so plain defines only.
#define IDS_DESCRIPTION 1      // the name the screen-saver list shows
#define IDI_GYRAFOTO 100       // the program icon
#define IDB_PREVIEW_GLOBE 101  // the preview window's globe picture

#endif
