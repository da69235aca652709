#include "display/pacing.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

constexpr int64_t kMHz = 1'000'000;  // a clock reading microseconds

TEST(Pacing, NextStepIsOnePauseAfterTheLastDueTime) {
  const struct { int64_t due, now; int16_t speed; int64_t next; } cases[] = {
      {0, 2'000, 1, 15'625}, {0, 2'000, 16, 16'000}, {0, 2'000, 1000, 1'000'000},  // at least 1/64 s
      {0, 2'000, -5, 15'625}, {0, 2'000, 30000, 1'000'000},  // damaged values are held to 1 ... 1000
      {1'000, 9'000, 1, 16'625}, {1'000, 16'625, 1, 16'625},  // woke late, or on time: no drift
      {1'000, 500'000, 1, 500'000},                           // a stall: again from now, no catching up
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextDue(c.due, c.now, c.speed, kMHz), c.next) << "due " << c.due << ", now " << c.now << ", " << c.speed;
  int64_t due = 0;  // a counter of 10 MHz: 64 steps a second exactly
  for (int step = 0; step < 64; ++step) due = NextDue(due, due, 1, 10'000'000);
  EXPECT_EQ(due, 10'000'000);
}

}  // namespace
}  // namespace gyra
