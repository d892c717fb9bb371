// Millimetres to device pixels and real pixel quantities to whole ones. One
// place, so every conversion of the renderer, the print operation and the
// image export scales and rounds the same way.
#pragma once

#include <cmath>
#include <cstdint>

namespace vantor {

// Device pixels per millimetre at a resolution in dots per inch (1/25.4).
inline constexpr double kInchPerMm = 0.039370078740157480314;
constexpr double PixelsPerMm(int dpi) { return dpi * kInchPerMm; }

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
