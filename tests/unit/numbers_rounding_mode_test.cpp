// Rounding must not follow the processor's rounding mode, which a DLL loaded
// into the process may have changed.
#include <gtest/gtest.h>

#include <cfenv>

#include "core/numbers.h"

namespace gyra {
namespace {

TEST(RoundHalfEven, IsTheSameUnderEveryRoundingMode) {
  const struct { double in, out; } cases[] = {
      {0.5, 0},   {1.5, 2},     {2.5, 2},   {-0.5, -0.0}, {-1.5, -2},     {-2.5, -2},
      {0.3, 0},   {0.7, 1},     {-0.7, -1}, {12.5, 12},   {0.49999999999999994, 0},
      {4503599627370495.5, 4503599627370496}, {-4503599627370495.5, -4503599627370496},
      {1e300, 1e300},
  };
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in << " in mode " << mode;
    std::fesetround(FE_TONEAREST);
  }
}

}  // namespace
}  // namespace gyra
