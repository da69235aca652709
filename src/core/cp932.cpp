#include "core/cp932.h"

#include <cstdint>
#include <vector>

namespace gyra {

namespace {

#include "core/cp932_table.inc"

constexpr uint16_t kNone = 0xFFFF;
constexpr unsigned kTrailFirst = 0x40;
constexpr unsigned kTrailLast = 0xFC;
constexpr unsigned kTrailCount = kTrailLast - kTrailFirst + 1;

uint16_t DecodePair(unsigned lead, unsigned trail) {
  if (trail < kTrailFirst || trail > kTrailLast) return kNone;
  const unsigned row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
  return kDoubleByte[row * kTrailCount + trail - kTrailFirst];
}

// Among codes that decode to the same character, Windows encodes the JIS X
// 0208 one, else NEC row 13 (0x87xx), else the IBM extension (0xFAxx-0xFCxx)
// rather than its NEC-selected copy (0xEDxx-0xEExx). Lower rank wins.
int EncodingRank(unsigned lead) {
  if (lead == 0x87) return 1;
  if (lead >= 0xFA) return 2;
  if (lead == 0xED || lead == 0xEE) return 3;
  return 0;
}
constexpr int kLowestRank = 3;

// For each UTF-16 code unit its code: one byte below 0x100, else lead * 256 +
// trail; kNone when code page 932 has no such character.
std::vector<uint16_t> BuildEncodeTable() {
  std::vector<uint16_t> table(0x10000, kNone);
  for (unsigned byte = 0; byte < 256; ++byte)
    if (kSingleByte[byte] != kNone) table[kSingleByte[byte]] = static_cast<uint16_t>(byte);
  for (int rank = 0; rank <= kLowestRank; ++rank) {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsCp932LeadByte(static_cast<unsigned char>(lead)) || EncodingRank(lead) != rank) continue;
      for (unsigned trail = kTrailFirst; trail <= kTrailLast; ++trail) {
        const uint16_t c = DecodePair(lead, trail);
        if (c != kNone && table[c] == kNone) table[c] = static_cast<uint16_t>(lead << 8 | trail);
      }
    }
  }
  return table;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character starting at text[i], advancing i past it; nothing for a
// malformed, overlong or surrogate sequence.
std::optional<char32_t> NextUtf8(std::string_view text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned first = byte(i);
  size_t length;
  char32_t c;
  char32_t smallest;
  if (first < 0x80) {
    ++i;
    return first;
  } else if (first >= 0xC2 && first <= 0xDF) {
    length = 2, c = first & 0x1F, smallest = 0x80;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, c = first & 0x0F, smallest = 0x800;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, c = first & 0x07, smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - i < length) return std::nullopt;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (byte(i + k) & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  i += length;
  return c;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (size_t i = 0; i < cp932.size(); ++i) {
    const auto byte = static_cast<unsigned char>(cp932[i]);
    uint16_t c = kSingleByte[byte];
    if (IsCp932LeadByte(byte)) {
      if (++i == cp932.size()) return std::nullopt;
      c = DecodePair(byte, static_cast<unsigned char>(cp932[i]));
    }
    if (c == kNone) return std::nullopt;
    AppendUtf8(out, c);
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  static const std::vector<uint16_t> table = BuildEncodeTable();
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> c = NextUtf8(utf8, i);
    if (!c || *c > 0xFFFF || table[*c] == kNone) return std::nullopt;
    const uint16_t code = table[*c];
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return out;
}

}  // namespace gyra
