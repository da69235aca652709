// Which form of a chosen picture's path the dialog keeps. Portable.
#pragma once

#include <optional>
#include <string>

#include "core/file_system.h"
#include "data/frame_files.h"

namespace gyra {

// Data.ini keeps the path in Shift-JIS, so a path is kept only in a form
// that code page 932 can hold: the chosen path itself, else its short (8.3)
// form when the volume gives one that opens the same file. Nothing when
// neither can be stored. Paths are UTF-8.
std::optional<std::string> StorablePicturePath(const std::string& chosen,
                                               const std::optional<std::string>& short_form);

// For a picture whose path neither form can store (Windows 8 and later make
// no short names on most volumes other than the system one): a copy in the
// data folder named "Picture" + the picture's extension (when code page 932
// holds it), or "Picture2" + extension when the settings file names the
// first, so the saved picture never changes under it. An earlier copy is
// replaced only by a complete one. The copy's path; nothing when the copy
// failed or its path cannot be stored either. The user's file is only read.
std::optional<std::string> CopyIntoDataFolder(FileSystem& fs, const std::string& picture, const DataPaths& paths);

}  // namespace gyra
