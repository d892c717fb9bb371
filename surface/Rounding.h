// Turning real pixel quantities into whole device pixels. One place, so every
// conversion of the renderer and of the print operation rounds the same way.
#pragma once

#include <cmath>
#include <cstdint>

namespace vantor {

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Written out
// rather than left to std::nearbyint, so it does not depend on the floating-point
// environment's rounding mode.
inline int RoundEven(double v) {
  double r = std::floor(v);
  const double frac = v - r;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return static_cast<int>(r);
}

// q = n / d for d > 0, nearest integer with halves away from zero, exact for any
// 64-bit n (no floating point involved).
inline std::int64_t DivRoundAway(std::int64_t n, std::int64_t d) {
  const std::int64_t q = n / d;
  const std::int64_t r = n % d;  // same sign as n
  if (2 * (r < 0 ? -r : r) >= d) return n < 0 ? q - 1 : q + 1;
  return q;
}

}  // namespace vantor
