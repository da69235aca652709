// Shift-JIS as Windows code page 932 defines it, converted to and from UTF-8
// without asking the system: Data.ini holds CP932 bytes on any Windows locale,
// while the program's own text is UTF-8. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gyra {

// 0x81-0x9F and 0xE0-0xFC start a two-byte character.
bool IsCp932LeadByte(unsigned char byte);

// Nothing when the bytes hold a code without a character (an unassigned
// two-byte code, a lead byte without its trail byte).
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// Nothing when the text is not valid UTF-8 or holds a character that code
// page 932 cannot represent (no "best fit" replacement). Where Windows has
// several codes for one character it picks the one WideCharToMultiByte picks.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace gyra
