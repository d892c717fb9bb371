// The six built-in digit colour schemes of the label makers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "surface/Color.h"

namespace vantor {

// The label colour table: digit colours 0..9, the letter colour, the media mode.
inline constexpr std::size_t kColorTableEntries = 12;
inline constexpr std::size_t kAlphaEntry = 10;
using TColorTable = std::array<std::uint32_t, kColorTableEntries>;

struct ColorScheme {
  std::string_view caption;           // the radio button's text
  std::string_view component;         // the radio button's name
  std::array<std::uint32_t, 11> rgb;  // digits 0..9, then the letter colour
};

enum class SchemeId { EDP_Vibrant, EDP_Pastel, Active_EDP, Wrightline, Tab, Dataware };
inline constexpr std::size_t kSchemeCount = 6;

const std::array<ColorScheme, kSchemeCount>& ColorSchemes();
const ColorScheme& Scheme(SchemeId id);
// Finds a scheme by its caption, ignoring case ("tab ocr" finds "TAB OCR").
std::optional<SchemeId> FindSchemeByCaption(std::string_view caption);

// Writes the scheme's eleven colours (toolkit form) into entries 0..10. Entry 11
// holds the media mode, not a colour, and is never written here.
void ApplyScheme(TColorTable& table, SchemeId id);

}  // namespace vantor
