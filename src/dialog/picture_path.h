// Which form of a chosen picture's path the dialog keeps. Portable.
#pragma once

#include <optional>
#include <string>

namespace gyra {

// Data.ini keeps the path in Shift-JIS, so a path is kept only in a form
// that code page 932 can hold: the chosen path itself, else its short (8.3)
// form when the volume gives one that opens the same file. Nothing when
// neither can be stored; the caller refuses the file then. Paths are UTF-8.
std::optional<std::string> StorablePicturePath(const std::string& chosen,
                                               const std::optional<std::string>& short_form);

}  // namespace gyra
