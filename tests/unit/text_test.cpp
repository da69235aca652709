// Code page 932 text and Basic-style numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "core/cp932.h"
#include "core/numbers.h"

namespace gyra {
namespace {

TEST(Cp932, WorkedCharacters) {
  const struct { const char* cp932; const char* utf8; } both_ways[] = {
      {"C:\\a~b", "C:\\a~b"},            // 0x5C and 0x7E stay ASCII
      {"\xB5\xD8\xBC\xDE", "ｵﾘｼﾞ"},       // half-width katakana are single bytes
      {"\x83\x5C\x95\x5C", "ソ表"},      // trail byte 0x5C
      {"\x81\x60", "～"},                // U+FF5E
      {"\x87\x54", "Ⅰ"},                // NEC row 13, not its 0xFA4A copy
      {"\xFA\x40", "ⅰ"},                // IBM extension, not its 0xEEEF copy
      {"\x81\xCA", "￢"},                // JIS X 0208, not 0xEEF9 or 0xFA54
      {"\xF0\x40", "\xEE\x80\x80"},      // user-defined area from U+E000
      {"\xA0", "\xEF\xA3\xB0"},          // Windows' odd single bytes
  };
  for (const auto& p : both_ways) {
    EXPECT_EQ(Cp932ToUtf8(p.cp932), std::optional<std::string>(p.utf8)) << p.utf8;
    EXPECT_EQ(Utf8ToCp932(p.utf8), std::optional<std::string>(p.cp932)) << p.utf8;
  }
  // Duplicate codes decode to the character of the code preferred above.
  const struct { const char* duplicate; const char* preferred; } duplicates[] = {
      {"\xFA\x4A", "\x87\x54"}, {"\xEE\xEF", "\xFA\x40"}, {"\xFA\x54", "\x81\xCA"}, {"\xEE\xF9", "\x81\xCA"},
  };
  for (const auto& d : duplicates) EXPECT_EQ(Cp932ToUtf8(d.duplicate), Cp932ToUtf8(d.preferred)) << d.preferred;
}

TEST(Cp932, RejectsBytesWithoutCharacterAndTextWithoutCode) {
  for (const char* bytes : {"\x81", "a\x95", "\x81\x20", "\x81\x7F", "\x81\xFD", "\x85\x40", "\x81\xAD"})
    EXPECT_EQ(Cp932ToUtf8(bytes), std::nullopt) << bytes;
  for (const char* text : {"¥", "〜", "€", "\xF0\x9F\x98\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\x80"})
    EXPECT_EQ(Utf8ToCp932(text), std::nullopt) << text;
  for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(IsCp932LeadByte(b)) << b;
  for (int b : {0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(IsCp932LeadByte(b)) << b;
}

TEST(Numbers, RoundHalfEvenAndTheRangeChecks) {
  const struct { double in, out; } ties[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999999, 2}, {2.5000001, 3}, {1023.0 / 2, 512},
  };
  for (const auto& c : ties) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_FALSE(RoundToInt16(32767.5));
  EXPECT_FALSE(RoundToInt16(std::nan("")));
  EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
  EXPECT_FALSE(RoundToInt32(2147483647.5));
}

TEST(Numbers, TextAsBasicReadsIt) {
  const struct { const char* text; double value; } numbers[] = {
      {" 12.9 ", 12.9}, {"+7", 7}, {"1e2", 100},   {"1.5D1", 15}, {".5", 0.5},
      {"5.", 5},        {"&hFFFF", -1}, {"&H10000", 65536}, {"&O17", 15}, {"\t40000\t", 40000},
  };
  for (const auto& c : numbers) EXPECT_EQ(TextToNumber(c.text), c.value) << c.text;
  for (const char* text : {"", " ", "12abc", "1,5", "1e", "--1", "&H", "&HG", "1 2", "."})
    EXPECT_FALSE(TextToNumber(text)) << text;
  const struct { const char* text; double value; } leading[] = {
      {" 12 34", 1234}, {"1234abc", 1234}, {"", 0}, {"abc", 0}, {"-5", -5}, {"&H1F", 31}, {"1e3x", 1000},
  };
  for (const auto& c : leading) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace gyra
