#include "core/numbers.h"

#include <cmath>
#include <cctype>
#include <cstdlib>
#include <string>

namespace gyra {

// Plain arithmetic, so that a DLL that changes the processor's rounding mode
// cannot change a frame: converting to an integer always truncates, and every
// step below is exact, so no step rounds.
double RoundHalfEven(double v) {
  constexpr double kAllIntegers = 4503599627370496.0;  // 2^52: from here on every double is whole
  if (!(std::fabs(v) < kAllIntegers)) return v;          // whole already, infinite or NaN
  double whole = static_cast<double>(static_cast<int64_t>(v));
  const double fraction = std::fabs(v - whole);
  const double away = v < 0 ? -1.0 : 1.0;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += away;
  return std::copysign(whole, v);
}

std::optional<int16_t> RoundToInt16(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(r);
}

std::optional<int32_t> RoundToInt32(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
  return static_cast<int32_t>(r);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "&H1F" / "&O17" (prefix already checked): the digits after it.
std::optional<double> RadixNumber(std::string_view digits, int radix) {
  if (digits.empty() || digits.size() > (radix == 16 ? 8u : 11u)) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return std::nullopt;
    if (d >= radix) return std::nullopt;
    value = value * radix + d;
  }
  const bool short_literal = radix == 16 ? digits.size() <= 4 : value <= 0177777;
  if (short_literal) {
    if (value > 0xFFFF) return std::nullopt;
    return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(value)));
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

// Length of the decimal number (sign, digits, fraction, exponent) at the start
// of s; 0 when there is none. Basic's 'd' exponent is accepted like 'e'.
size_t DecimalLength(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t exp_digits = 0;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++exp_digits;
    if (exp_digits > 0) i = j;
  }
  return i;
}

double ParseDecimal(std::string_view s) {
  std::string text(s);
  for (char& c : text)
    if (c == 'd' || c == 'D') c = 'e';
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace

std::optional<double> TextToNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() >= 2 && text[0] == '&') {
    const char kind = text[1];
    if (kind == 'H' || kind == 'h') return RadixNumber(text.substr(2), 16);
    if (kind == 'O' || kind == 'o') return RadixNumber(text.substr(2), 8);
    return std::nullopt;
  }
  const size_t length = DecimalLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  const double value = ParseDecimal(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

double LeadingNumber(std::string_view text) {
  std::string packed;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') packed += c;
  if (packed.size() >= 2 && packed[0] == '&') {
    size_t end = 2;
    while (end < packed.size() && std::isxdigit(static_cast<unsigned char>(packed[end]))) ++end;
    for (size_t n = end; n > 2; --n)
      if (auto v = TextToNumber(std::string_view(packed).substr(0, n))) return *v;
    return 0;
  }
  const size_t length = DecimalLength(packed);
  if (length == 0) return 0;
  const double value = ParseDecimal(std::string_view(packed).substr(0, length));
  return std::isfinite(value) ? value : 0;
}

}  // namespace gyra
