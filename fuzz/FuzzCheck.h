// Invariant checks for the fuzz targets: a broken invariant aborts, which
// libFuzzer reports as a crash and saves the input. A target may describe the
// input it is working on, so the report says what broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vantor::fuzz {
inline std::string& Context() {
  static std::string context;
  return context;
}
}  // namespace vantor::fuzz

#define FUZZ_CHECK(cond)                                                                    \
  do {                                                                                      \
    if (!(cond)) {                                                                          \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n%s\n", #cond, __FILE__, __LINE__, \
                   vantor::fuzz::Context().c_str());                                        \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)
