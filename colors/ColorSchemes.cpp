#include "colors/ColorSchemes.h"

#include "surface/Text.h"

namespace vantor {

namespace {
// RGB as people read them; the table converts to the toolkit form where it writes.
constexpr std::array<ColorScheme, kSchemeCount> kSchemes = {{
    {"EDP Vibrant OCR",
     "EDP_Vibrant",
     {0xFF0111, 0xFFFF00, 0xA8D614, 0x48BAD5, 0xA8A8A8, 0xFF540D, 0xF34BA2, 0x5BB225, 0xFDA90B, 0x5F479D, 0xFFFFFF}},
    {"EDP Pastel",
     "EDP_Pastel",
     {0xF58225, 0xFFFF00, 0xD1EA0A, 0x85CDE6, 0xFFA900, 0xA8DA47, 0xFE6B0E, 0xAAD9A5, 0xF8AAD4, 0xA793C6, 0xFFFFFF}},
    {"Other EDP",
     "Active_EDP",
     {0xFF0000, 0xFFFF00, 0xA7FCBA, 0xB9CAF2, 0xC0C0C0, 0xFF9326, 0xFA6BCB, 0x4DBF46, 0xF0C875, 0xA458BC, 0xFFFFFF}},
    {"Wrightline OCR",
     "Wrightline",
     {0xFFFFFF, 0xF781BE, 0xFBD421, 0xFFFF00, 0xD1E931, 0xFF592A, 0xA471B4, 0x88CCE3, 0xCC9D6F, 0x7FC86F, 0xFFFFFF}},
    {"TAB OCR",
     "Tab",
     {0xF78197, 0xD01727, 0xFCAA09, 0xFF470B, 0xA5D754, 0x018E63, 0x019FC6, 0x6A2991, 0xCE9FCD, 0xA73C1C, 0xFFFFFF}},
    {"Dataware OCR",
     "Dataware",
     {0xFD0116, 0xA73C1C, 0xA7D618, 0x080741, 0xA8A8A8, 0xFF400B, 0xC49D05, 0x006627, 0xFFAA01, 0x68037B, 0xFFFFFF}},
}};

}  // namespace

const std::array<ColorScheme, kSchemeCount>& ColorSchemes() { return kSchemes; }

const ColorScheme& Scheme(SchemeId id) { return kSchemes[static_cast<std::size_t>(id)]; }

std::optional<SchemeId> FindSchemeByCaption(std::string_view caption) {
  for (std::size_t i = 0; i < kSchemes.size(); ++i)
    if (EqualNoCase(kSchemes[i].caption, caption)) return static_cast<SchemeId>(i);
  return std::nullopt;
}

void ApplyScheme(TColorTable& table, SchemeId id) {
  static_assert(std::tuple_size_v<decltype(ColorScheme::rgb)> == kAlphaEntry + 1,
                "a scheme holds the digit colours and the letter colour, nothing more");
  const ColorScheme& scheme = Scheme(id);
  for (std::size_t i = 0; i < scheme.rgb.size(); ++i) table[i] = ColorFromRgb(scheme.rgb[i]);
}

}  // namespace vantor
