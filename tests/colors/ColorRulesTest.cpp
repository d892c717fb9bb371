#include <gtest/gtest.h>

#include "colors/ColorRules.h"
#include "colors/ColorSchemes.h"

namespace vantor {
namespace {

// Distinct values in every entry, so a copy from the wrong entry shows.
TColorTable DistinctTable() {
  TColorTable t{};
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = 0x100000u * static_cast<std::uint32_t>(i + 1) + 0x33u;
  t[11] = 5;  // media mode Breece Hill
  return t;
}

TEST(ColorRules, SchemeWritesDigitsAndWhiteLettersButNotTheMediaMode) {
  struct TRow {
    const char* name;
    SchemeId id;
    std::size_t entry;
    TColor toolkit;  // worked out by hand from the RGB value: red moves to the low byte
  };
  const TRow rows[] = {
      {"Vibrant digit 0", SchemeId::EDP_Vibrant, 0, 0x1101FF},
      {"Pastel digit 4", SchemeId::EDP_Pastel, 4, 0x00A9FF},
      {"Other EDP digit 2", SchemeId::Active_EDP, 2, 0xBAFCA7},
      {"Wrightline digit 0 is white like letters", SchemeId::Wrightline, 0, 0xFFFFFF},
      {"TAB digit 9", SchemeId::Tab, 9, 0x1C3CA7},
      {"Dataware digit 3", SchemeId::Dataware, 3, 0x410708},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    const TColorTable before = DistinctTable();
    TColorTable t = before;
    ApplyScheme(t, row.id);
    EXPECT_EQ(t[row.entry], row.toolkit);
    EXPECT_EQ(t[kAlphaEntry], 0xFFFFFFu);
    EXPECT_EQ(t[11], 5u) << "entry 11 is the media mode";
    for (std::size_t i = 0; i <= kAlphaEntry; ++i) EXPECT_NE(t[i], before[i]) << "entry " << i << " not written";
  }
}

TEST(ColorRules, CustomAlphaTakesOnlyADigitsColor) {
  for (int digit : {-1, 10, 11}) {
    TColorTable t = DistinctTable();
    EXPECT_FALSE(ApplyCustomAlpha(t, digit)) << digit;
    EXPECT_EQ(t, DistinctTable()) << "a refused digit changes nothing";
    // The sample cells never read past the digit entries either.
    EXPECT_EQ(CustomAlphaCellColors(t, digit)[0], t[digit < 0 ? 0 : 9]) << digit;
  }
  TColorTable t = DistinctTable();
  EXPECT_TRUE(ApplyCustomAlpha(t, 9));
  EXPECT_EQ(t[kAlphaEntry], t[9]);
}

}  // namespace
}  // namespace vantor
