// Lengths on paper and device dots, in one place: the inch in millimetres and
// in the metric mapping modes' units, and the one rounding rule every
// conversion to dots follows, nearest dot with halves to even. The rule is
// written out rather than left to std::nearbyint, so no result depends on the
// floating-point environment's rounding mode.
//
// Two kinds of quantity meet it. Lengths a layout states in millimetres are
// held exactly (TLength, whole micrometres) and converted in integers, so a
// half dot is seen as a half whatever the resolution. Quantities the barcode
// engine computes in floating point (module widths times ratios and
// percentages) stay doubles, scaled by PixelsPerMm and rounded by RoundEven.
#pragma once

#include <cmath>
#include <compare>
#include <cstdint>

#include "surface/Surface.h"

namespace vantor {

// The inch.
inline constexpr double kMmPerInch = 25.4;
inline constexpr std::int64_t kUmPerInch = 25400;
inline constexpr int kLoMetricPerInch = 254;   // 0.1 mm units
inline constexpr int kHiMetricPerInch = 2540;  // 0.01 mm units

// Logical units per inch of a metric mapping mode; 0 for pixels and any other mode.
constexpr int MetricUnitsPerInch(TMapMode mode) {
  switch (mode) {
    case TMapMode::LoMetric: return kLoMetricPerInch;
    case TMapMode::HiMetric: return kHiMetricPerInch;
    default: return 0;
  }
}

// Device pixels per millimetre at a resolution in dots per inch.
inline constexpr double kInchPerMm = 1.0 / kMmPerInch;
constexpr double PixelsPerMm(int dpi) { return dpi * kInchPerMm; }

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline int RoundEven(double v) {
  // Written without branches: floor by truncation and a step down for
  // negatives (std::floor is a library call on the baseline instruction set),
  // and the round-up decision as arithmetic, since whether a bar edge falls
  // above or below a half is a coin toss a branch predictor keeps losing.
  long long whole = static_cast<long long>(v);
  whole -= static_cast<double>(whole) > v;
  const double frac = v - static_cast<double>(whole);
  const int n = static_cast<int>(whole);
  return n + static_cast<int>((frac > 0.5) | ((frac == 0.5) & (n % 2 != 0)));
}

// n / d for d > 0, nearest integer with halves to even, exact for any 64-bit n.
constexpr std::int64_t DivRoundEven(std::int64_t n, std::int64_t d) {
  std::int64_t q = n / d;
  std::int64_t r = n % d;  // same sign as n
  if (r < 0) {             // floor division: 0 <= r < d
    q -= 1;
    r += d;
  }
  if (2 * r > d || (2 * r == d && q % 2 != 0)) q += 1;
  return q;
}

// n / d for d > 0, nearest integer with halves away from zero, exact for any
// 64-bit n. Not a length: the barcode's height cut (a whole percentage of the
// bar height in dots) rounds so, and every printed barcode with it.
constexpr std::int64_t DivRoundAway(std::int64_t n, std::int64_t d) {
  const std::int64_t q = n / d;
  const std::int64_t r = n % d;  // same sign as n
  if (2 * (r < 0 ? -r : r) >= d) return n < 0 ? q - 1 : q + 1;
  return q;
}

// A length on paper, held as whole micrometres: sums and multiples of
// millimetre values stay exact.
class TLength {
 public:
  constexpr TLength() = default;
  static constexpr TLength Um(std::int64_t um) { return TLength(um); }
  constexpr std::int64_t Micrometres() const { return um_; }

  constexpr TLength operator-() const { return TLength(-um_); }
  constexpr TLength operator+(TLength o) const { return TLength(um_ + o.um_); }
  constexpr TLength operator-(TLength o) const { return TLength(um_ - o.um_); }
  constexpr TLength operator*(int n) const { return TLength(um_ * n); }
  constexpr TLength& operator+=(TLength o) {
    um_ += o.um_;
    return *this;
  }
  friend constexpr auto operator<=>(TLength, TLength) = default;

 private:
  constexpr explicit TLength(std::int64_t um) : um_(um) {}
  std::int64_t um_ = 0;
};

// Millimetres, to the nearest micrometre (exact for up to three decimals).
constexpr TLength Mm(double mm) {
  const double um = mm * 1000;
  return TLength::Um(static_cast<std::int64_t>(um < 0 ? um - 0.5 : um + 0.5));
}

// Lengths to dots at one resolution. A position is either a length from the
// origin, X/Y, or a step of a length from a whole dot, StepX/StepY, which
// rounds the sum (so a step of 1.5 dots from dot 1 lands on 2, from dot 2 on 4).
struct TDots {
  int dpiX = 0;
  int dpiY = 0;

  static constexpr TDots FromDpi(int x, int y) { return {x, y}; }

  constexpr int X(TLength l) const { return Round(0, l, dpiX); }
  constexpr int Y(TLength l) const { return Round(0, l, dpiY); }
  constexpr int StepX(int from, TLength l) const { return Round(from, l, dpiX); }
  constexpr int StepY(int from, TLength l) const { return Round(from, l, dpiY); }

 private:
  static constexpr int Round(int from, TLength l, int dpi) {
    return static_cast<int>(DivRoundEven(from * kUmPerInch + l.Micrometres() * dpi, kUmPerInch));
  }
};

// Dots per metre at a resolution in dots per inch, as image files store it.
constexpr int DotsPerMetre(int dpi) { return static_cast<int>(DivRoundEven(dpi * std::int64_t{1000000}, kUmPerInch)); }

}  // namespace vantor
