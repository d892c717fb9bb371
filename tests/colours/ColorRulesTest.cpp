#include <gtest/gtest.h>

#include "colours/ColorRules.h"
#include "colours/ColourSchemes.h"

namespace vantor {
namespace {

// Distinct values in every entry, so a copy from the wrong entry shows.
TColorTable DistinctTable() {
  TColorTable t{};
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = 0x100000u * static_cast<std::uint32_t>(i + 1) + 0x33u;
  t[11] = 5;  // media mode Breece Hill
  return t;
}

struct TSchemeSpot {
  const char* name;
  SchemeId id;
  std::size_t entry;
  TColor toolkit;  // worked out by hand from the RGB value: red moves to the low byte
};

const TSchemeSpot kSchemeSpots[] = {
    {"Vibrant digit 0", SchemeId::EDP_Vibrant, 0, 0x1101FF},
    {"Vibrant digit 9", SchemeId::EDP_Vibrant, 9, 0x9D475F},
    {"Pastel digit 4", SchemeId::EDP_Pastel, 4, 0x00A9FF},
    {"Pastel digit 8", SchemeId::EDP_Pastel, 8, 0xD4AAF8},
    {"Wrightline digit 0 is white like letters", SchemeId::Wrightline, 0, 0xFFFFFF},
    {"Wrightline digit 1", SchemeId::Wrightline, 1, 0xBE81F7},
    {"TAB digit 5", SchemeId::Tab, 5, 0x638E01},
    {"TAB digit 9", SchemeId::Tab, 9, 0x1C3CA7},
    {"Dataware digit 1", SchemeId::Dataware, 1, 0x1C3CA7},
    {"Dataware digit 3", SchemeId::Dataware, 3, 0x410708},
};

TEST(ColorRules, SchemeWritesDigitsAndWhiteLettersButNotTheMediaMode) {
  for (const TSchemeSpot& row : kSchemeSpots) {
    SCOPED_TRACE(row.name);
    TColorTable t = DistinctTable();
    ApplyScheme(t, row.id);
    EXPECT_EQ(t[row.entry], row.toolkit);
    EXPECT_EQ(t[kAlphaEntry], 0xFFFFFFu);
    EXPECT_EQ(t[11], 5u) << "entry 11 is the media mode";
    const TColorTable fresh = DistinctTable();
    for (std::size_t i = 0; i <= kAlphaEntry; ++i)
      EXPECT_NE(t[i], fresh[i]) << "entry " << i << " was not written";
  }
}

TEST(ColorRules, OtherEdpMatchesTheStartUpTable) {
  // The start-up table in toolkit form, as the main window loads it.
  const TColor expected[] = {0x0000FF, 0x00FFFF, 0xBAFCA7, 0xF2CAB9, 0xC0C0C0, 0x2693FF,
                             0xCB6BFA, 0x46BF4D, 0x75C8F0, 0xBC58A4, 0xFFFFFF};
  TColorTable t = DistinctTable();
  ApplyScheme(t, SchemeId::Active_EDP);
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(t[i], expected[i]) << "entry " << i;
}

TEST(ColorRules, CustomAlphaCopiesTheDigitIntoTheLetterColour) {
  struct TRow {
    const char* name;
    int digit;
    bool accepted;
  };
  const TRow rows[] = {
      {"lowest digit", 0, true}, {"middle digit", 7, true}, {"highest digit", 9, true},
      {"below the slider", -1, false}, {"the letter entry itself", 10, false}, {"the media mode", 11, false},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    const TColorTable before = DistinctTable();
    TColorTable t = before;
    EXPECT_EQ(ApplyCustomAlpha(t, row.digit), row.accepted);
    TColorTable expected = before;
    if (row.accepted) expected[kAlphaEntry] = before[static_cast<std::size_t>(row.digit)];
    EXPECT_EQ(t, expected);
  }
}

TEST(ColorRules, SwatchAndSampleColours) {
  const TColorTable t = DistinctTable();
  const TSwatchColors s = SchemeSwatchColors(t);
  for (std::size_t i = 0; i < kSwatchCount; ++i) EXPECT_EQ(s.Swatches[i], t[i]) << "swatch " << i;
  EXPECT_EQ(s.Cells, (TSampleCells{t[10], t[10], t[10], t[0], t[0], t[0]}));

  EXPECT_EQ(CustomAlphaCellColors(t, 3), (TSampleCells{t[3], t[3], t[3], t[0], t[0], t[0]}));
  EXPECT_EQ(CustomAlphaCellColors(t, 0), (TSampleCells{t[0], t[0], t[0], t[0], t[0], t[0]}));
  // Out of range never reaches the letter colour or the media mode.
  EXPECT_EQ(CustomAlphaCellColors(t, 11), (TSampleCells{t[9], t[9], t[9], t[0], t[0], t[0]}));
  EXPECT_EQ(CustomAlphaCellColors(t, -4), (TSampleCells{t[0], t[0], t[0], t[0], t[0], t[0]}));
}

}  // namespace
}  // namespace vantor
