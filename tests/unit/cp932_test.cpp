#include "core/cp932.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace gyra {
namespace {

struct Pair {
  const char* cp932;
  const char* utf8;
};

// Codes that map one to one.
const Pair kBothWays[] = {
    {"", ""},
    {"C:\\a~b", "C:\\a~b"},                          // 0x5C and 0x7E stay ASCII
    {"\xB5\xD8\xBC\xDE\xC5\xD9", "ｵﾘｼﾞﾅﾙ"},         // half-width katakana are single bytes
    {"\x83\x5C", "ソ"},                              // trail byte 0x5C
    {"\x95\x5C\x8E\xA6", "表示"},
    {"\x81\x5C", "―"},                              // U+2015
    {"\x81\x60", "～"},                              // U+FF5E
    {"\x81\x7C", "－"},                              // U+FF0D
    {"\x87\x40", "①"},                              // NEC row 13
    {"\xFA\x40", "ⅰ"},                              // IBM extension, not its 0xEEEF copy
    {"\xFA\x5C", "纊"},                              // IBM extension, not its 0xED40 copy
    {"\xFA\x55", "￤"},
    {"\x87\x54", "Ⅰ"},                              // NEC row 13, not its 0xFA4A copy
    {"\x81\xE0", "≒"},                              // JIS X 0208, not its 0x8790 copy
    {"\x81\xCA", "￢"},                              // JIS X 0208, not 0xEEF9 or 0xFA54
    {"\x81\xE6", "∵"},                              // JIS X 0208, not 0x879A or 0xFA5B
    {"\xF0\x40", "\xEE\x80\x80"},                    // user-defined area starts at U+E000
    {"\xF9\xFC", "\xEE\x9D\x97"},                    // and ends at U+E757
    {"\x80", "\xC2\x80"},                            // Windows' odd single bytes
    {"\xA0", "\xEF\xA3\xB0"},                        // U+F8F0
    {"\xFF", "\xEF\xA3\xB3"},                        // U+F8F3
    {"\x88\x9F\x98\x9F\xEA\xA4", "亜弌熙"},          // first, second-level and last JIS kanji
};

TEST(Cp932, DecodesAndEncodesOneToOneCodes) {
  for (const Pair& p : kBothWays) {
    EXPECT_EQ(Cp932ToUtf8(p.cp932), std::optional<std::string>(p.utf8)) << p.utf8;
    EXPECT_EQ(Utf8ToCp932(p.utf8), std::optional<std::string>(p.cp932)) << p.utf8;
  }
}

// Duplicate codes decode to the character whose preferred code is above.
TEST(Cp932, DecodesDuplicateCodes) {
  const Pair cases[] = {
      {"\x87\x90", "≒"}, {"\xFA\x4A", "Ⅰ"}, {"\xEE\xEF", "ⅰ"}, {"\xED\x40", "纊"},
      {"\xEE\xF9", "￢"}, {"\xFA\x54", "￢"},  {"\x87\x9A", "∵"}, {"\xFA\x5B", "∵"},
  };
  for (const Pair& p : cases) EXPECT_EQ(Cp932ToUtf8(p.cp932), std::optional<std::string>(p.utf8));
}

TEST(Cp932, RejectsBytesWithoutCharacter) {
  const std::string cases[] = {
      "\x81",           // lead byte at the end
      "a\x95",          // same after other text
      "\x81\x20",       // trail byte below 0x40
      std::string("\x81\x7F"),
      "\x81\xFD",       // trail byte above 0xFC
      "\x85\x40",       // unassigned row
      "\xEB\x40",
      "\x81\xAD",       // unassigned cell in an assigned row
  };
  for (const std::string& s : cases) EXPECT_EQ(Cp932ToUtf8(s), std::nullopt) << s;
}

TEST(Cp932, RejectsTextWithoutCode) {
  const std::string cases[] = {
      "¥",                 // U+00A5: only a best-fit mapping to 0x5C
      "〜",                // U+301C: only a best-fit mapping to 0x8160
      "€",
      "a\xF0\x9F\x98\x80",  // outside the basic plane
      "\xC3",               // truncated
      "\xC0\xAF",           // overlong '/'
      "\xED\xA0\x80",       // surrogate
      "\x80",               // stray continuation byte
      "\xF8\x88\x80\x80\x80",
  };
  for (const std::string& s : cases) EXPECT_EQ(Utf8ToCp932(s), std::nullopt) << s;
}

TEST(Cp932, LeadBytes) {
  int count = 0;
  for (int b = 0; b < 256; ++b) count += IsCp932LeadByte(static_cast<unsigned char>(b));
  EXPECT_EQ(count, 60);
  EXPECT_FALSE(IsCp932LeadByte(0x80));
  EXPECT_TRUE(IsCp932LeadByte(0x81));
  EXPECT_TRUE(IsCp932LeadByte(0x9F));
  EXPECT_FALSE(IsCp932LeadByte(0xA0));
  EXPECT_FALSE(IsCp932LeadByte(0xDF));
  EXPECT_TRUE(IsCp932LeadByte(0xE0));
  EXPECT_TRUE(IsCp932LeadByte(0xFC));
  EXPECT_FALSE(IsCp932LeadByte(0xFD));
}

// Over the whole table: 9604 two-byte codes have a character, 9206 distinct
// ones, so exactly 398 codes encode back to another (preferred) code, and
// that code decodes to the same character.
TEST(Cp932, WholeTableRoundTrips) {
  int decoded = 0;
  int moved = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::string> text = Cp932ToUtf8(code);
      if (!text) continue;
      ++decoded;
      const std::optional<std::string> back = Utf8ToCp932(*text);
      ASSERT_TRUE(back.has_value()) << lead << " " << trail;
      if (*back == code) continue;
      ++moved;
      EXPECT_EQ(Cp932ToUtf8(*back), text);
    }
  }
  EXPECT_EQ(decoded, 9604);
  EXPECT_EQ(moved, 398);
}

TEST(Cp932, EverySingleByteButLeadBytesDecodes) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::optional<std::string> text = Cp932ToUtf8(byte);
    EXPECT_EQ(text.has_value(), !IsCp932LeadByte(static_cast<unsigned char>(b))) << b;
    if (text) {
      EXPECT_EQ(Utf8ToCp932(*text), std::optional<std::string>(byte)) << b;
    }
  }
}

}  // namespace
}  // namespace gyra
