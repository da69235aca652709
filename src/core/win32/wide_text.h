// Windows layer: UTF-8 (the core's text) to and from UTF-16 (the wide API).
#pragma once

#include <string>
#include <string_view>

namespace gyra {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace gyra
