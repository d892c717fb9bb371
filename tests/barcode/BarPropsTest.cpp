#include <gtest/gtest.h>

#include <functional>

#include "barcode/BarProps.h"

namespace vantor {
namespace {

TEST(BarProps, AddonRule) {
  struct Row {
    const char* in;
    const char* out;
  };
  const Row rows[] = {
      {"1234", "12"},     {"a1b2c3d4e5f6", "12345"}, {"7", ""},   {"", ""}, {"12", "12"}, {"123", "12"},
      {"12345", "12345"}, {"1234567", "12345"},      {"x9y", ""},
  };
  for (const auto& r : rows) EXPECT_EQ(AddonRule(r.in), r.out) << r.in;
}

struct RangeRow {
  const char* name;
  std::function<void(TBarcodeParams&, long long)> set;
  std::function<long long(const TBarcodeParams&)> get;
  long long lo, hi;
  const char* message;
};

TEST(BarProps, RangeChecksAreInclusiveAndKeepTheOldValue) {
  const RangeRow rows[] = {
      {"Fontscaling", SetFontscaling, [](const TBarcodeParams& p) { return (long long)p.Fontscaling; }, 20, 200,
       "Bar_Fontscaling must be in the range 20..200!"},
      {"HeightPercent", SetHeightPercent, [](const TBarcodeParams& p) { return (long long)p.HeightPercent; }, 20, 200,
       "Bar_HeightPercent must be in the range 20..200!"},
      {"ModuleWidth", SetModuleWidth, [](const TBarcodeParams& p) { return (long long)p.ModuleWidth; }, 0, 9,
       "Bar_SC_Size must be in the range 0..9!"},
      {"Ratio", SetRatio, [](const TBarcodeParams& p) { return (long long)p.Ratio; }, 0, 1,
       "Bar_Ratio must be in the range 0..1 (Ratio_3 or Ratio_2)!"},
      {"Rotation", SetRotation, [](const TBarcodeParams& p) { return (long long)p.Rotation; }, 0, 3,
       "Bar_Rotate must be in the range rotate_000..rotate_270!"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TBarcodeParams p;
    r.set(p, r.lo);
    EXPECT_EQ(r.get(p), r.lo);
    r.set(p, r.hi);
    EXPECT_EQ(r.get(p), r.hi);
    for (long long bad : {r.lo - 1, r.hi + 1, 1LL << 40}) {
      try {
        r.set(p, bad);
        ADD_FAILURE() << "accepted " << bad;
      } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), r.message);
      }
      EXPECT_EQ(r.get(p), r.hi) << "old value kept";
    }
  }
}

TEST(BarProps, CaptionOfFiftyCharactersIsTheLimit) {
  TBarcodeParams p;
  SetCaption(p, std::string(50, 'X'));
  EXPECT_EQ(std::string(p.Caption), std::string(50, 'X'));
  try {
    SetCaption(p, std::string(51, 'Y'));
    ADD_FAILURE();
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "String exceeds maximum length");
  }
  EXPECT_EQ(std::string(p.Caption), std::string(50, 'X'));
  SetCaption(p, "AB");
  EXPECT_STREQ(p.Caption, "AB") << "a shorter caption leaves no tail of the old one";
}

}  // namespace
}  // namespace vantor
