// Windows layer: choosing the picture file with the system's open-file
// dialog, and the short form of a path for the settings file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gyra {

// The chosen file's full path (UTF-8, at most 254 characters); nothing when
// the user cancelled or the dialog failed.
std::optional<std::string> ChoosePictureFile(HWND owner);

// The path's short (8.3) form, as the system gives it for an existing file;
// nothing when it cannot.
std::optional<std::string> ShortPathOf(const std::string& path);

}  // namespace gyra
