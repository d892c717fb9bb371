// The LTO Ultrium label: Code 39 of the six-character volser and the
// two-character media ID, no check character, under a band of coloured cells
// that repeat the characters. The label is a description (margins, bands,
// fonts, the symbol's rules) drawn by one painter at any size a template
// gives; the bars snap to whole printer dots.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/DotBars.h"
#include "surface/Surface.h"
#include "surface/Units.h"
#include "templates/SheetTemplate.h"

namespace vantor {

// --- Palettes -----------------------------------------------------------------

struct TLtoPalette {
  std::string name;                 // what --palette takes ("lto", "tab-ocr", "none")
  std::string caption;              // for people
  std::array<TColor, 10> digits{};  // cell colours of 0..9, toolkit form
  TColor letters = 0;               // cell colour of A-Z
};

// The LTO palette, the six digit colour schemes, and no colour; "lto" first.
const std::vector<TLtoPalette>& LtoPalettes();
inline constexpr const char* kDefaultLtoPalette = "lto";
inline constexpr const char* kNoColorPalette = "none";
// By name or caption, any case ("TAB OCR" and "tab-ocr" both find the TAB OCR scheme).
const TLtoPalette* FindLtoPalette(std::string_view name);

// --- The label description ----------------------------------------------------

struct TLtoFont {
  const char* face = "Arial";
  int percent = 0;  // cell height in percent of the cell band's
  bool bold = true;
};

struct TLtoLabelLayout {
  // Vertically: top margin, cell band, gap, bars to the bottom margin.
  TLength sideMargin{}, topMargin{}, cellBand{}, bandGap{}, bottomMargin{};
  TLength cellLine{};                  // the cells' outline
  TLtoFont volserFont{}, mediaFont{};  // the media ID's two characters are smaller
  // The symbol.
  TLength nominalNarrow{}, minNarrow{};
  int ratioPercent = 0, minRatioPercent = 0, maxRatioPercent = 0;  // wide to narrow
  int quietNarrow = 0;  // the quiet zone: at least so many narrow elements ...
  TLength quietMin{};   // ... and at least this long
  TLength minBarHeight{};
};

// Margins of 0.35 mm leave bars of 11.45 mm on the 16.9 mm stock, so a dot lost
// to rounding at either edge still leaves them above 11.1 mm.
// clang-format off
inline constexpr TLtoLabelLayout kLtoLabelLayout = {
    .sideMargin = Mm(1), .topMargin = Mm(0.35), .cellBand = Mm(4.4), .bandGap = Mm(0.35), .bottomMargin = Mm(0.35),
    .cellLine = Mm(0.15),
    .volserFont = {"Arial", 86, true}, .mediaFont = {"Arial", 58, true},
    .nominalNarrow = Mm(0.423), .minNarrow = Mm(0.254),
    .ratioPercent = 275, .minRatioPercent = 250, .maxRatioPercent = 300,
    .quietNarrow = 10, .quietMin = Mm(5),
    .minBarHeight = Mm(11.1)};
// clang-format on

inline constexpr int kLtoBarcodeChars = 8;                    // volser and media ID
inline constexpr int kLtoSymbolChars = kLtoBarcodeChars + 2;  // with start and stop

// --- Bars on printer dots -------------------------------------------------------

// The LTO symbol's elements, from the Code 39 whole-dot rule.
struct TBarWidths : TDotBars {
  TBarWidths() = default;
  TBarWidths(const TDotBars& bars) : TDotBars(bars) {}
  int Symbol() const { return Code39Width(kLtoSymbolChars); }
};

// The narrow and wide elements for `dpi` on a label `labelDots` wide: the
// narrow one the whole dots closest to the nominal width, or the widest that
// lets the symbol and both quiet zones fit; the wide one the whole dots
// closest to the ratio, within its bounds. Nothing when no width of at least
// the minimum fits or the ratio cannot be held.
std::optional<TBarWidths> SnapBars(const TLtoLabelLayout& layout, int dpi, int labelDots);

// Where one label's parts land, in dots.
struct TLtoLabelGeometry {
  int left = 0, top = 0, right = 0, bottom = 0;  // the label
  struct TBox {
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  std::array<TBox, 7> cells{};  // six volser cells, then the media ID's
  int barTop = 0, barBottom = 0;
  int symbolLeft = 0;  // the start character's first bar
  TBarWidths bars{};
  int SymbolRight() const { return symbolLeft + bars.Symbol(); }
};
TLtoLabelGeometry LtoLabelGeometry(const TLtoLabelLayout& layout, TDots d, const TLabelRect& rect,
                                   const TBarWidths& bars);

// The bars for every label of a template at a resolution, or why the labels
// cannot hold the symbol (a message naming the resolution and the label size).
struct TLtoBarPlan {
  std::optional<TBarWidths> bars;
  std::string refusal;
};
TLtoBarPlan PlanLtoBars(const TLtoLabelLayout& layout, int dpiX, int dpiY, const std::vector<TLabelRect>& labels);

// --- Drawing ------------------------------------------------------------------

// Draws labels on a surface whose origin is the paper's corner, at the
// surface's resolution: cells with the characters, then one black fill a bar.
class TLtoLabelPainter {
 public:
  TLtoLabelPainter(TSurface& surface, const TLtoLabelLayout& layout, const TLtoPalette& palette,
                   const TBarWidths& bars);
  // `volser` six characters, `mediaId` two, both A-Z and 0-9 (checked by the caller).
  void Draw(const TLabelRect& rect, std::string_view volser, std::string_view mediaId);

 private:
  void Cell(const TLtoLabelGeometry::TBox& box, TColor fill);
  void Characters(const TLtoLabelGeometry::TBox& box, std::string_view text, const TLtoFont& font, TColor fill,
                  int bandHeight);
  TColor CellColor(char c) const;

  TSurface& s_;
  const TLtoLabelLayout& layout_;
  const TLtoPalette& palette_;
  TBarWidths bars_;
  TDots d_;
};

// The Code 39 elements of an LTO barcode text from the barcode engine: one
// flag an element (true = wide), nine a character, start and stop included.
inline std::vector<bool> LtoCode39Elements(std::string_view text) { return Code39Elements(text); }

}  // namespace vantor
