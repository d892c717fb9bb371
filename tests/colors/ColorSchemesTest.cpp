#include <gtest/gtest.h>

#include <string>

#include "colors/ColorSchemes.h"

namespace vantor {
namespace {

TEST(ColorSchemes, ToolkitFormHasRedInTheLowByte) {
  EXPECT_EQ(ColorFromRgb(0xFF0000), 0x0000FFu);
  EXPECT_EQ(ColorFromRgb(0xA7FCBA), 0xBAFCA7u);
  EXPECT_EQ(RgbFromColor(ColorFromRgb(0x123456)), 0x123456u);
}

TEST(ColorSchemes, CaptionsNamesAndLookup) {
  const char* captions[] = {"EDP Vibrant OCR", "EDP Pastel", "Other EDP", "Wrightline OCR", "TAB OCR", "Dataware OCR"};
  const char* components[] = {"EDP_Vibrant", "EDP_Pastel", "Active_EDP", "Wrightline", "Tab", "Dataware"};
  for (std::size_t i = 0; i < kSchemeCount; ++i) {
    EXPECT_EQ(ColorSchemes()[i].caption, captions[i]);
    EXPECT_EQ(ColorSchemes()[i].component, components[i]);
    EXPECT_EQ(ColorSchemes()[i].rgb[10], 0xFFFFFFu) << "letters are white in every scheme";
  }
  EXPECT_EQ(FindSchemeByCaption("tab ocr"), SchemeId::Tab);
  EXPECT_EQ(FindSchemeByCaption("OTHER EDP"), SchemeId::Active_EDP);
  EXPECT_FALSE(FindSchemeByCaption("TAB"));
  // Two makers share one colour.
  EXPECT_EQ(Scheme(SchemeId::Tab).rgb[9], Scheme(SchemeId::Dataware).rgb[1]);
}

// Every entry of every scheme, as the makers' charts give them (#RRGGBB).
struct TSchemeRow {
  SchemeId id;
  const char* name;
  std::array<std::uint32_t, 11> rgb;  // digits 0..9, then letters
};

// clang-format off
const TSchemeRow kSchemeRows[] = {
    {SchemeId::EDP_Vibrant, "EDP Vibrant OCR",
     {0xFF0111, 0xFFFF00, 0xA8D614, 0x48BAD5, 0xA8A8A8, 0xFF540D, 0xF34BA2, 0x5BB225, 0xFDA90B, 0x5F479D, 0xFFFFFF}},
    {SchemeId::EDP_Pastel, "EDP Pastel",
     {0xF58225, 0xFFFF00, 0xD1EA0A, 0x85CDE6, 0xFFA900, 0xA8DA47, 0xFE6B0E, 0xAAD9A5, 0xF8AAD4, 0xA793C6, 0xFFFFFF}},
    {SchemeId::Active_EDP, "Other EDP",
     {0xFF0000, 0xFFFF00, 0xA7FCBA, 0xB9CAF2, 0xC0C0C0, 0xFF9326, 0xFA6BCB, 0x4DBF46, 0xF0C875, 0xA458BC, 0xFFFFFF}},
    {SchemeId::Wrightline, "Wrightline OCR",
     {0xFFFFFF, 0xF781BE, 0xFBD421, 0xFFFF00, 0xD1E931, 0xFF592A, 0xA471B4, 0x88CCE3, 0xCC9D6F, 0x7FC86F, 0xFFFFFF}},
    {SchemeId::Tab, "TAB OCR",
     {0xF78197, 0xD01727, 0xFCAA09, 0xFF470B, 0xA5D754, 0x018E63, 0x019FC6, 0x6A2991, 0xCE9FCD, 0xA73C1C, 0xFFFFFF}},
    {SchemeId::Dataware, "Dataware OCR",
     {0xFD0116, 0xA73C1C, 0xA7D618, 0x080741, 0xA8A8A8, 0xFF400B, 0xC49D05, 0x006627, 0xFFAA01, 0x68037B, 0xFFFFFF}},
};
// clang-format on
static_assert(std::size(kSchemeRows) == kSchemeCount);

TEST(ColorSchemes, EveryEntryOfEverySchemeAndWhatApplyingItWrites) {
  for (const TSchemeRow& row : kSchemeRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Scheme(row.id).caption, row.name);
    TColorTable table;
    table.fill(0x5A5A5A);
    ApplyScheme(table, row.id);
    for (std::size_t entry = 0; entry < row.rgb.size(); ++entry) {
      SCOPED_TRACE(entry == kAlphaEntry ? std::string("letters") : "digit " + std::to_string(entry));
      EXPECT_EQ(Scheme(row.id).rgb[entry], row.rgb[entry]);
      EXPECT_EQ(table[entry], ColorFromRgb(row.rgb[entry])) << "written in the toolkit form";
    }
    EXPECT_EQ(table[11], 0x5A5A5Au) << "entry 11 holds the media mode, not a colour";
  }
}

}  // namespace
}  // namespace vantor
