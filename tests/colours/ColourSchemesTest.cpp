#include <gtest/gtest.h>

#include "colours/ColourSchemes.h"

namespace vantor {
namespace {

TEST(ColourSchemes, ToolkitFormHasRedInTheLowByte) {
  EXPECT_EQ(ColorFromRgb(0xFF0000), 0x0000FFu);
  EXPECT_EQ(ColorFromRgb(0xA7FCBA), 0xBAFCA7u);
  EXPECT_EQ(RgbFromColor(ColorFromRgb(0x123456)), 0x123456u);
}

TEST(ColourSchemes, CaptionsNamesAndLookup) {
  const char* captions[] = {"EDP Vibrant OCR", "EDP Pastel", "Other EDP", "Wrightline OCR", "TAB OCR", "Dataware OCR"};
  const char* components[] = {"EDP_Vibrant", "EDP_Pastel", "Active_EDP", "Wrightline", "Tab", "Dataware"};
  for (std::size_t i = 0; i < kSchemeCount; ++i) {
    EXPECT_EQ(ColourSchemes()[i].caption, captions[i]);
    EXPECT_EQ(ColourSchemes()[i].component, components[i]);
    EXPECT_EQ(ColourSchemes()[i].rgb[10], 0xFFFFFFu) << "letters are white in every scheme";
  }
  EXPECT_EQ(FindSchemeByCaption("tab ocr"), SchemeId::Tab);
  EXPECT_EQ(FindSchemeByCaption("OTHER EDP"), SchemeId::Active_EDP);
  EXPECT_FALSE(FindSchemeByCaption("TAB"));
  // Two makers share one colour.
  EXPECT_EQ(Scheme(SchemeId::Tab).rgb[9], Scheme(SchemeId::Dataware).rgb[1]);
}

}  // namespace
}  // namespace vantor
