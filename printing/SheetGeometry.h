// Millimetres to printer dots, in one place. Dots per millimetre are kept in
// extended precision and never rounded; every position rounds to the nearest
// dot with halves to even, and a step rounds the sum of the previous (integer)
// position and the step.
#pragma once

#include <cmath>

namespace vantor {

struct TDots {
  long double dx = 0;  // dots per millimetre across
  long double dy = 0;  // and down

  static TDots FromDpi(int dpiX, int dpiY) {
    constexpr long double kInchPerMm = 1.0L / 25.4L;
    return {dpiX * kInchPerMm, dpiY * kInchPerMm};
  }
  static int Round(long double v) { return static_cast<int>(std::nearbyint(v)); }  // FE_TONEAREST: halves to even

  int X(long double mm) const { return Round(mm * dx); }                 // absolute across
  int Y(long double mm) const { return Round(mm * dy); }                 // absolute down
  int StepX(int p, long double mm) const { return Round(p + mm * dx); }  // step across
  int StepY(int p, long double mm) const { return Round(p + mm * dy); }  // step down
};

}  // namespace vantor
