// Code 39 on whole printer dots: every narrow element the same whole number of
// dots, every wide one too, at a wide-to-narrow ratio held within bounds, and
// each bar exactly its width (no thinning). A symbol whose modules are only a
// few dots wide decodes only this way: rounding each module edge on its own
// makes bars and spaces of one kind differ by a dot, which is then a large
// part of an element. The LTO labels draw their bars by this rule, and so do
// the DLT sheets where their own geometry gives too few dots a module.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "surface/Surface.h"
#include "surface/Units.h"

namespace vantor {

struct TDotBarRule {
  TLength nominalNarrow{}, minNarrow{};
  int ratioPercent = 0, minRatioPercent = 0, maxRatioPercent = 0;  // wide to narrow
  int quietNarrow = 0;  // the quiet zone: at least so many narrow elements ...
  TLength quietMin{};   // ... and at least this long
};

struct TDotBars {
  int narrow = 0, wide = 0;  // dots
  int quiet = 0;             // the quiet zone at either end, dots
  // A Code 39 symbol of `chars` characters (start and stop included): three
  // wide and six narrow elements each, one narrow gap between characters.
  constexpr int Code39Width(int chars) const { return chars * (3 * wide + 6 * narrow) + (chars - 1) * narrow; }
  friend bool operator==(const TDotBars&, const TDotBars&) = default;
};

// The narrow and wide elements at `dpi` for a Code 39 symbol of `chars`
// characters that must fit, with both quiet zones, in `availableDots`: the
// narrow one the whole dots closest to the nominal width, or the widest below
// it that fits; the wide one the whole dots closest to the ratio, within its
// bounds. Nothing when no narrow width of at least the minimum fits or the
// ratio cannot be held in whole dots.
std::optional<TDotBars> SnapCode39Bars(const TDotBarRule& rule, int dpi, int chars, int availableDots);

// The Code 39 elements of a text as the barcode engine encodes it (its
// character filter, start and stop added, no check character): one flag an
// element (true = wide), nine a character.
std::vector<bool> Code39Elements(std::string_view text);

// Fills the bars of `elements` in black from `left`, between `top` and
// `bottom`; the surface's brush is left black and solid.
void FillCode39Bars(TSurface& s, const std::vector<bool>& elements, const TDotBars& bars, int left, int top,
                    int bottom);

}  // namespace vantor
