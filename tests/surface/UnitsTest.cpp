// The rounding rule and the millimetre conversions: halves to even in every
// floating-point rounding mode, exact lengths, and steps that round the sum.
#include "surface/Units.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace vantor {
namespace {

TEST(RoundEven, HalvesToEvenInEveryRoundingMode) {
  struct Row {
    double v;
    int expected;
  };
  const Row rows[] = {
      {0.5, 0},   {1.5, 2}, {2.5, 2},   {3.5, 4},  {-0.5, 0},     {-1.5, -2},      {-2.5, -2},
      {-3.5, -4}, {7.0, 7}, {-7.0, -7}, {2.49, 2}, {2.500001, 3}, {-2.500001, -3}, {-2.49, -2},
  };
  const int modes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
  const int saved = std::fegetround();
  for (const int mode : modes) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (const Row& r : rows) {
      volatile double v = r.v;  // computed now, under this mode
      EXPECT_EQ(RoundEven(v), r.expected) << r.v << " in rounding mode " << mode;
    }
  }
  std::fesetround(saved);
}

TEST(DivRoundEven, ExactHalvesToEven) {
  struct Row {
    std::int64_t n, d, expected;
  };
  const Row rows[] = {
      {5, 2, 2},   {7, 2, 4},   {-5, 2, -2}, {-7, 2, -4},  {1, 2, 0},
      {-1, 2, 0},  {3, 2, 2},   {-3, 2, -2}, {7, 3, 2},    {8, 3, 3},
      {-7, 3, -2}, {-8, 3, -3}, {10, 5, 2},  {-10, 5, -2}, {25400 * 1001 + 12700, 25400, 1002},  // 1001.5
  };
  for (const Row& r : rows) EXPECT_EQ(DivRoundEven(r.n, r.d), r.expected) << r.n << " / " << r.d;
}

TEST(Mm, ExactMicrometres) {
  EXPECT_EQ(Mm(26.7).Micrometres(), 26700);
  EXPECT_EQ(Mm(15.24).Micrometres(), 15240);
  EXPECT_EQ(Mm(-4).Micrometres(), -4000);
  EXPECT_EQ(Mm(0.001).Micrometres(), 1);
  EXPECT_EQ(Mm(22) + Mm(1.2), Mm(23.2));
  EXPECT_EQ(Mm(57) * 3 - Mm(0.3), Mm(170.7));
}

// 127 dpi is 5 dots per millimetre and 254 dpi 10, so tenths and twentieths of
// a millimetre make exact half dots there.
TEST(TDots, HalfDotsRoundToEvenAndStepsRoundTheSum) {
  const TDots d = TDots::FromDpi(127, 254);
  EXPECT_EQ(d.X(Mm(0.5)), 2);      // 2.5
  EXPECT_EQ(d.X(Mm(0.7)), 4);      // 3.5
  EXPECT_EQ(d.X(Mm(-0.5)), -2);    // -2.5
  EXPECT_EQ(d.X(Mm(-0.7)), -4);    // -3.5
  EXPECT_EQ(d.X(Mm(30.7)), 154);   // 153.5
  EXPECT_EQ(d.Y(Mm(0.05)), 0);     // 0.5
  EXPECT_EQ(d.Y(Mm(27.55)), 276);  // 275.5
  // A step rounds the whole dot plus the length, not each on its own.
  EXPECT_EQ(d.StepX(1, Mm(0.3)), 2);      // 2.5
  EXPECT_EQ(d.StepX(2, Mm(0.3)), 4);      // 3.5
  EXPECT_EQ(d.StepX(154, Mm(8.5)), 196);  // 196.5
  EXPECT_EQ(d.StepX(3, Mm(-0.1)), 2);     // 2.5
  EXPECT_EQ(d.StepY(7, Mm(0.05)), 8);     // 7.5
  // No halves at 300 and 600 dpi: the nearest dot.
  EXPECT_EQ(TDots::FromDpi(300, 600).X(Mm(22)), 260);           // 259.84
  EXPECT_EQ(TDots::FromDpi(300, 600).Y(Mm(36.3)), 857);         // 857.48
  EXPECT_EQ(TDots::FromDpi(300, 600).StepX(363, Mm(-4)), 316);  // 315.76
}

TEST(Units, MetricModesAndImageResolution) {
  EXPECT_EQ(MetricUnitsPerInch(TMapMode::LoMetric), 254);
  EXPECT_EQ(MetricUnitsPerInch(TMapMode::HiMetric), 2540);
  EXPECT_EQ(MetricUnitsPerInch(TMapMode::Pixels), 0);
  EXPECT_EQ(MetricUnitsPerInch(TMapMode::Other), 0);
  EXPECT_EQ(DotsPerMetre(300), 11811);  // 11811.02
  EXPECT_EQ(DotsPerMetre(600), 23622);
  EXPECT_EQ(DotsPerMetre(254), 10000);
  EXPECT_EQ(DotsPerMetre(72), 2835);  // 2834.65
  EXPECT_DOUBLE_EQ(PixelsPerMm(254), 10.0);
}

}  // namespace
}  // namespace vantor
