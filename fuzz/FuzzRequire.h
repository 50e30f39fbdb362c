#pragma once

#include <cstdio>
#include <cstdlib>

namespace tarnwick {

// A property a fuzz target checks: when it does not hold, says which one and aborts, which
// libFuzzer reports as a crash with the input that caused it.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  std::abort();
}

}  // namespace tarnwick
