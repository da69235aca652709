// Windows layer: choosing the picture file with the system's open-file
// dialog, and the short form of a path for the settings file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gyra {

struct PictureChoice {
  std::optional<std::string> path;  // the chosen file's full path (UTF-8)
  bool too_long = false;            // a file was chosen whose path no buffer holds
};

// The file the user chose; no path when the user cancelled or the dialog
// failed. The current folder stays as it was.
PictureChoice ChoosePictureFile(HWND owner);

// The path's short (8.3) form, as the system gives it for an existing file;
// nothing when it cannot.
std::optional<std::string> ShortPathOf(const std::string& path);

}  // namespace gyra
