#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gyra {
namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const struct { double in, out; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, -0.0}, {-2.5, -2}, {-3.5, -4},
      {2.4999999, 2}, {2.5000001, 3}, {511.5, 512}, {1023.0 / 2, 512}, {12.5, 12},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(RoundToInt16, RejectsWhatDoesNotFit) {
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);  // tie to even stays in range
  EXPECT_FALSE(RoundToInt16(32767.5));
  EXPECT_FALSE(RoundToInt16(-32769));
  EXPECT_FALSE(RoundToInt16(std::nan("")));
  EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
  EXPECT_FALSE(RoundToInt32(2147483648.0));
}

TEST(TextToNumber, AcceptsWhatBasicCoercionAccepts) {
  const struct { const char* text; double value; } numbers[] = {
      {"12", 12},     {" 12.9 ", 12.9}, {"-2.5", -2.5}, {"+7", 7},      {"1e2", 100},
      {"1.5D1", 15},  {".5", 0.5},      {"5.", 5},      {"&H10", 16},   {"&hFFFF", -1},
      {"&H10000", 65536}, {"&O17", 15}, {"\t40000\t", 40000},
  };
  for (const auto& c : numbers) EXPECT_EQ(TextToNumber(c.text), c.value) << c.text;
  for (const char* text : {"", " ", "abc", "12abc", "1,5", "1e", "--1", "&H", "&HG", "&X1", "1 2", "."})
    EXPECT_FALSE(TextToNumber(text)) << text;
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartLikeVal) {
  const struct { const char* text; double value; } cases[] = {
      {"1234", 1234}, {" 1234", 1234}, {"12 34", 1234}, {"1234abc", 1234},
      {"", 0},        {"abc", 0},      {"-5", -5},      {"&H1F", 31}, {"1e3x", 1000},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace gyra
