// Number conventions shared by the whole program, portable (no platform API):
// fractional values become integers by rounding to nearest with ties to even,
// settings and counters kept between steps are 16-bit signed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gyra {

// Nearest integer, ties to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2).
double RoundHalfEven(double v);

// RoundHalfEven into the 16-bit range, or nothing when it does not fit.
std::optional<int16_t> RoundToInt16(double v);

// RoundHalfEven into the 32-bit range, or nothing when it does not fit.
std::optional<int32_t> RoundToInt32(double v);

// The text-to-number coercion a settings value goes through: surrounding
// blanks allowed, an optional sign, decimal digits with an optional fraction
// and exponent (e/E, or d/D as in Basic), or &H / &O followed by hex / octal
// digits (four digits or fewer wrap to 16 bits, more to 32 bits, as Basic
// literals do). Anything else -- "", "12abc", "1,5" -- is not a number.
std::optional<double> TextToNumber(std::string_view text);

// Basic's Val: the number at the start of the text, 0 when there is none.
// Blanks, tabs and line feeds anywhere are skipped; reading stops at the
// first character that cannot continue the number.
double LeadingNumber(std::string_view text);

}  // namespace gyra
