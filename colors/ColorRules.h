// What the Colours dialog writes into the colour table and which colours its
// swatches and sample cells show, kept apart from the widgets.
#pragma once

#include <array>
#include <cstddef>

#include "colors/ColorSchemes.h"

namespace vantor {

inline constexpr int kAlphaDigitMin = 0;
inline constexpr int kAlphaDigitMax = 9;
inline constexpr std::size_t kSwatchCount = 11;       // Std_0 .. Std_9, then Std_A
inline constexpr std::size_t kSampleCellCount = 6;    // Shape1 .. Shape6
inline constexpr std::size_t kSampleLetterCells = 3;  // Shape1 .. Shape3 hold letters, the rest the digit 0

using TSampleCells = std::array<TColor, kSampleCellCount>;

struct TSwatchColors {
  std::array<TColor, kSwatchCount> Swatches{};  // each swatch shows its own entry
  TSampleCells Cells{};                         // letters the letter colour, digits entry 0
};

// The swatches and sample cells as a scheme choice paints them.
TSwatchColors SchemeSwatchColors(const TColorTable& table);

// The sample cells under custom alpha: letters like the digit, digits entry 0.
// A digit outside 0..9 is taken as the nearest one, so nothing outside the
// digit entries is read.
TSampleCells CustomAlphaCellColors(const TColorTable& table, int digit);

// Letters take the colour of `digit` (entry 10 becomes a copy of that entry).
// A digit outside 0..9 is refused: returns false and leaves the table alone.
bool ApplyCustomAlpha(TColorTable& table, int digit);

}  // namespace vantor
