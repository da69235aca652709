// Reading and writing one key of a Windows private-profile (.ini) file, over
// the file's bytes, with the rules of GetPrivateProfileStringA and
// WritePrivateProfileStringA on a code page 932 system. Portable: the caller
// reads and writes the file.
//
// The rules: lines end in CRLF, LF or CR; blanks around lines, names and
// values do not count; "[name]" opens a section (name between the '[' and
// the last ']'); other lines are "key=value" or a key without value. Section
// and key names match without regard to ASCII case; Shift-JIS two-byte
// characters match exactly (their trail bytes may look like ASCII letters,
// '\', '[' or ']'). When a section name or a key repeats, the first one
// counts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gyra {

// The longest value a read returns, in bytes (GetPrivateProfileStringA with
// a 256-byte buffer).
inline constexpr size_t kMaxIniValueBytes = 255;

// The value of the key in the section: trimmed, without one pair of matching
// surrounding quotes (' or "), cut to kMaxIniValueBytes without splitting a
// two-byte character. "" when the section or key is missing or the key has no
// '='.
std::string ReadProfileString(std::string_view file_bytes, std::string_view section, std::string_view key);

// The file bytes after writing key=value into the section. An existing key's
// line is replaced where it stands (keeping the key's spelling in the file);
// a missing key goes after the last non-blank line of the section; a missing
// section is added at the end of the file. Written lines end in CRLF; every
// other byte is kept. When the key already holds exactly that value the
// bytes come back unchanged. Nothing when the entry could not be read back:
// a line break or NUL anywhere, an empty section or key, a key containing
// '=' or starting with '[', a section or key ending in a lead byte without
// its trail byte.
std::optional<std::string> WriteProfileString(std::string_view file_bytes, std::string_view section,
                                    std::string_view key, std::string_view value);

}  // namespace gyra
