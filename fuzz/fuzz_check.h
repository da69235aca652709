// The properties the fuzz targets check: a failing one aborts, which libFuzzer
// reports as a finding and keeps the input that caused it.
#pragma once

#include <cstdlib>

inline void Check(bool condition) {
  if (!condition) std::abort();
}
