#include "app/command_line.h"

#include <string>

#include "core/numbers.h"

namespace gyra {

namespace {

// The host handle: the number at the start of the text, as Basic's Val reads
// it, rounded to an integer; 0 when there is none or it does not fit in 32
// bits. The host writes it unsigned, and handles at or above 2^31 occur in
// long sessions; a negative number (a host that wrote it signed, or &HFFFFFFFF,
// which Val reads as -1) names the same 32 bits.
uint32_t HandleFrom(std::u16string_view text) {
  std::string ascii;
  for (char16_t c : text) {
    if (c >= 0x80) break;  // no digit, sign or blank beyond ASCII
    ascii += static_cast<char>(c);
  }
  const double value = RoundHalfEven(LeadingNumber(ascii));
  if (value < -2147483648.0 || value > 4294967295.0) return 0;
  return static_cast<uint32_t>(static_cast<int64_t>(value));
}

}  // namespace

std::u16string_view ArgumentsOf(std::u16string_view whole_line) {
  size_t i = 0;
  for (bool quoted = false; i < whole_line.size(); ++i) {
    if (whole_line[i] == u'"') quoted = !quoted;
    else if (!quoted && (whole_line[i] == u' ' || whole_line[i] == u'\t')) break;
  }
  if (i < whole_line.size()) ++i;  // the one blank after the name
  return whole_line.substr(i);
}

StartRequest ParseCommandLine(std::u16string_view line) {
  if (line.empty()) return {StartMode::Settings};
  if (line.size() < 2) return {StartMode::FullScreen};
  char16_t letter = line[1];
  if (letter >= u'a' && letter <= u'z') letter = letter - u'a' + u'A';
  switch (letter) {
    case u'P':
      return {StartMode::Preview, line.size() > 3 ? HandleFrom(line.substr(3)) : 0};
    case u'C':
      return {StartMode::Settings, line.size() > 3 ? HandleFrom(line.substr(3)) : 0};
    case u'S':
      return {StartMode::FullScreen, 0, true};
    default:
      return {StartMode::None};
  }
}

}  // namespace gyra
