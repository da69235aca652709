// A failing property aborts: libFuzzer reports it and keeps the input.
#pragma once

#include <cstdlib>

inline void Check(bool condition) {
  if (!condition) std::abort();
}
