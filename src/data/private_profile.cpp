#include "data/private_profile.h"

#include <algorithm>
#include <vector>

#include "core/ascii.h"
#include "core/cp932.h"

namespace gyra {

namespace {

// The blanks Windows trims: tab to carriage return, space, and ^Z.
bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Bytes of the character at s[i]: a Shift-JIS lead byte takes the next byte
// with it, whatever that byte looks like.
size_t CharLength(std::string_view s, size_t i) {
  return IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// Where the single-byte character c stands in s (first or last), npos if not.
size_t FindChar(std::string_view s, char c, bool last) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (s[i] != c) continue;
    found = i;
    if (!last) break;
  }
  return found;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    const size_t n = CharLength(a, i);
    const bool same = n == 2 ? a.substr(i, 2) == b.substr(i, 2) : AsciiLower(a[i]) == AsciiLower(b[i]);
    if (!same) return false;
    i += n;
  }
  return true;
}

enum class LineKind { Blank, Section, Entry };

struct IniLine {
  size_t start = 0;  // byte offsets: the line, the end of its text,
  size_t end = 0;    // and the start of the next line
  size_t next = 0;
  LineKind kind = LineKind::Blank;
  std::string_view name;                  // section or key, trimmed
  std::optional<std::string_view> value;  // after the '=', trimmed; none without '='
};

void Classify(std::string_view text, IniLine& line) {
  text = Trim(text);
  if (text.empty()) return;
  if (text.front() == '[') {
    const size_t close = FindChar(text, ']', true);
    if (close != std::string_view::npos) {
      line.kind = LineKind::Section;
      line.name = Trim(text.substr(1, close - 1));
      return;
    }
  }
  line.kind = LineKind::Entry;
  const size_t equals = FindChar(text, '=', false);
  line.name = Trim(text.substr(0, equals));
  if (equals != std::string_view::npos) line.value = Trim(text.substr(equals + 1));
}

std::vector<IniLine> ParseLines(std::string_view bytes) {
  std::vector<IniLine> lines;
  for (size_t start = 0; start < bytes.size();) {
    IniLine line;
    line.start = start;
    line.end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    line.next = line.end;
    if (line.next < bytes.size() && bytes[line.next] == '\r') ++line.next;
    if (line.next < bytes.size() && bytes[line.next] == '\n') ++line.next;
    Classify(bytes.substr(start, line.end - start), line);
    lines.push_back(line);
    start = line.next;
  }
  return lines;
}

// The first section of that name (line indexes of its header and of the
// line after its last), and the first line of the key within it.
struct Lookup {
  std::optional<size_t> header;
  size_t section_end = 0;
  std::optional<size_t> key;
};

Lookup Find(const std::vector<IniLine>& lines, std::string_view section, std::string_view key) {
  Lookup found;
  section = Trim(section);
  key = Trim(key);
  size_t i = 0;
  while (i < lines.size() && !(lines[i].kind == LineKind::Section && SameName(lines[i].name, section))) ++i;
  if (i == lines.size()) return found;
  found.header = i;
  for (++i; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
    if (!found.key && lines[i].kind == LineKind::Entry && SameName(lines[i].name, key)) found.key = i;
  }
  found.section_end = i;
  return found;
}

std::string_view StripQuotes(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

std::string_view CutToMax(std::string_view v) {
  size_t n = 0;
  while (n < v.size() && n + CharLength(v, n) <= kMaxIniValueBytes) n += CharLength(v, n);
  return v.substr(0, n);
}

// A name ending in a lead byte without its trail byte: written out, the
// lead byte would take the ']' or '=' after it as its trail byte.
bool EndsInLoneLeadByte(std::string_view s) {
  size_t last = 0;
  for (size_t i = 0; i < s.size(); i += CharLength(s, i)) last = i;
  return last + 1 == s.size() && IsCp932LeadByte(static_cast<unsigned char>(s[last]));
}

bool Writable(std::string_view section, std::string_view key, std::string_view value) {
  constexpr std::string_view kLineBreakOrNul("\r\n\0", 3);
  for (std::string_view part : {section, key, value})
    if (part.find_first_of(kLineBreakOrNul) != std::string_view::npos) return false;
  section = Trim(section);
  key = Trim(key);
  return !section.empty() && !key.empty() && key.front() != '[' && key.find('=') == std::string_view::npos &&
         !EndsInLoneLeadByte(section) && !EndsInLoneLeadByte(key);
}

std::string Entry(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  line += "\r\n";
  return line;
}

std::string Splice(std::string_view bytes, size_t from, size_t to, std::string_view insert) {
  std::string out(bytes.substr(0, from));
  out += insert;
  out += bytes.substr(to);
  return out;
}

}  // namespace

std::string ReadProfileString(std::string_view file_bytes, std::string_view section, std::string_view key) {
  const std::vector<IniLine> lines = ParseLines(file_bytes);
  const Lookup found = Find(lines, section, key);
  if (!found.key) return "";
  return std::string(CutToMax(StripQuotes(lines[*found.key].value.value_or(""))));
}

std::optional<std::string> WriteProfileString(std::string_view file_bytes, std::string_view section,
                                    std::string_view key, std::string_view value) {
  if (!Writable(section, key, value)) return std::nullopt;
  const std::vector<IniLine> lines = ParseLines(file_bytes);
  const Lookup found = Find(lines, section, key);

  if (!found.header) {
    std::string out(file_bytes);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    out += '[';
    out += Trim(section);
    out += "]\r\n";
    return out + Entry(Trim(key), value);
  }
  if (found.key) {
    const IniLine& line = lines[*found.key];
    if (line.value == value) return std::string(file_bytes);
    return Splice(file_bytes, line.start, line.next, Entry(line.name, value));
  }
  size_t last = *found.header;
  for (size_t i = last + 1; i < found.section_end; ++i)
    if (lines[i].kind != LineKind::Blank) last = i;
  const IniLine& after = lines[last];
  const std::string line_break = after.next == after.end ? "\r\n" : "";
  return Splice(file_bytes, after.next, after.next, line_break + Entry(Trim(key), value));
}

}  // namespace gyra
