// Case folding of the Latin letters A-Z only, as Windows compares file names
// and profile keys: bytes of other scripts (UTF-8, Shift-JIS) stay as they
// are. Portable.
#pragma once

#include <string>
#include <string_view>

namespace gyra {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLowered(std::string_view text);

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether the name ends in the extension (".bmp"), the letters in any case.
bool HasExtension(std::string_view name, std::string_view extension);

}  // namespace gyra
