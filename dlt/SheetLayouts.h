// The sheet layouts as data: where the labels sit on the page (the grid, in
// templates/LabelGrid.h, shared with the sheet templates) and what each label
// holds (the content), in millimetres. One painter (SheetPainter) draws any of
// them; a layout is one constexpr description.
//
// Positions are measured as the sheets always have been: a chain of steps, each
// rounded to the nearest dot from the previous whole dot (TDots::StepX/StepY).
// Down the page every row steps the grid's pitch from the row before; across
// it the barcodes step the pitch from one label to the next and the characters
// run on from the previous label's last character. Each row starts again from
// the paper's corner.
#pragma once

#include <array>

#include "barcode/DotBars.h"
#include "dlt/Sheet.h"
#include "surface/Units.h"
#include "templates/LabelGrid.h"

namespace vantor {

// The label part: what each label holds, positions from the label's corner.

// What the frame pass draws under the content.
enum class TFramePass {
  Outlines,       // the label outlines alone (when the options ask for them)
  Cells,          // the outlines and a cell per serial character, first character leftmost
  CellsReversed,  // the same with the sixth character leftmost
};

// The cells behind the serial characters. The first row and column measure
// from the paper's corner, later ones from the label's corner as rounded.
struct TCells {
  TLength x{}, y{};  // the first cell's corner
  TLength width{}, height{};
  TLength pitch{};  // from one cell to the next, across
  int count = 0;
};

struct TTextFont {
  int points = 0;
  bool bold = false;
};

// The six serial characters.
struct TCharacters {
  TLength x{}, y{};                // the first drawn character's reference point
  TLength laterRowsShift{};        // rows after the first start this much further right
  std::array<int, 6> order{};      // the serial's character indexes, in drawing order
  std::array<TLength, 5> steps{};  // across, from each drawn character to the next
  TLength drift{};                 // the run's advance per label beyond the grid's pitch
  TTextFont font{};                // always black
  int escapement = 0;              // tenths of a degree, for each character alone
  bool cellColors = false;         // each on its cell's colour (else on white)
};

// The barcode text's seventh character (the media suffix), in small print.
struct TSuffix {
  bool shown = false;
  int after = 0;         // drawn after this drawn character, measured from it
  TLength dx{}, dy{};    // from that character's reference point
  TTextFont font{};      // on the fill that character left, turned like it
  int nudgeColumn = -1;  // in this column (0 = first) ...
  int nudgeDots = 0;     // ... so many dots further right
};

struct TBarcodePlace {
  TLength x{}, y{};              // the point the barcode is drawn at
  bool startFromSerial = false;  // the first label's barcode text is the serial field as typed
};

struct TLabelContent {
  TFramePass frame = TFramePass::Outlines;
  TCells cells{};
  TBarcodePlace barcode{};
  TCharacters characters{};
  TSuffix suffix{};
};

// The closing lines: the credit line above the labels and the layout's name below them.
struct TClosingLines {
  TLength creditX{}, creditY{};
  TLength nameX{}, nameY{};
  TLength drop{};  // both lines sit this much lower
  TTextFont font{};
};

struct TSheetLayoutSpec {
  const char* name = nullptr;    // printed in the closing lines
  const char* credit = nullptr;  // the credit line
  TLabelGrid grid{};
  TLabelContent label{};
  TClosingLines closing{};
};

// The description of a layout.
const TSheetLayoutSpec& LayoutSpec(TSheetLayout layout);

// --- The barcode on printers of few dots --------------------------------------

// The labels' Code 39 has modules of 0.445 mm, which the barcode control draws
// edge by edge, each bar a dot thinner. At 300 dpi a module is 5.3 dots and
// that reads; below it a module is four dots or fewer, the rounded edges and
// the thinning leave narrow spaces as wide as wide bars, and no reader
// decodes the labels. There the bars are drawn on whole dots instead, in the
// place the control's symbol would take.
inline constexpr int kWholeDotBarsBelowDpi = 300;
// Below this even whole dots cannot hold the symbol: its narrow element would
// be a single dot.
inline constexpr int kMinSheetDpi = 150;

// The whole-dot symbol: the control's module as the nominal narrow element and
// a ratio of 2.25 (held from 2.2 to 3), which at 200 to 299 dpi keeps the
// narrow element at 3 or 4 dots within the control's footprint. No quiet zone
// of its own: the symbol keeps to the footprint, whose margins the layout set.
// clang-format off
inline constexpr TDotBarRule kWholeDotBarRule = {
    .nominalNarrow = Mm(0.445), .minNarrow = Mm(0.254),
    .ratioPercent = 225, .minRatioPercent = 220, .maxRatioPercent = 300};
// clang-format on

// --- The tape-label sheet: 3 x 10 labels of 57 x 21 mm (kTapeLabelGrid) -----

// clang-format off
inline constexpr TCells kTapeLabelCells = {
    .x = Mm(1.2), .y = Mm(2), .width = Mm(9), .height = Mm(5), .pitch = Mm(9), .count = 6};

// The lines sit 180 dots lower than their millimetre positions on a 300-dpi
// printer: 15.24 mm, which puts the layout name just below the last row. As a
// fixed count of dots it would shrink to 7.6 mm at 600 dpi and print the name
// across the last row's barcodes, so it is kept as that length on every printer.
inline constexpr TClosingLines kClosingLines = {
    .creditX = Mm(44), .creditY = Mm(7.55), .nameX = Mm(22), .nameY = Mm(231), .drop = Mm(15.24),
    .font = {16, true}};

inline constexpr TCharacters kUprightCharacters = {
    .x = Mm(4.7), .y = Mm(2.3),
    .order = {0, 1, 2, 3, 4, 5},
    .steps = {Mm(9), Mm(9), Mm(9), Mm(9), Mm(8)},
    .font = {10, true}, .cellColors = true};

// Turned by 270 degrees, the sixth character leftmost.
inline constexpr TCharacters kRotatedCharacters = {
    .x = Mm(8.7), .y = Mm(3),
    .order = {5, 4, 3, 2, 1, 0},
    .steps = {Mm(8.5), Mm(8.8), Mm(8.8), Mm(8.8), Mm(8.8)},
    .font = {12, false}, .escapement = 2700, .cellColors = true};

inline constexpr TSheetLayoutSpec kStorageTekLayout = {
    .name = "StorageTek", .credit = "Printed by Orlis Vantor Version 3.2",
    .grid = kTapeLabelGrid,
    .label = {.frame = TFramePass::Cells, .cells = kTapeLabelCells,
              .barcode = {.x = Mm(2), .y = Mm(7)},
              .characters = kUprightCharacters,
              .suffix = {.shown = true, .after = 5, .dx = Mm(2.5), .dy = Mm(1.5), .font = {6, false}}},
    .closing = kClosingLines};

inline constexpr TSheetLayoutSpec kStandardLayout = {
    .name = "Standard 3 of 9", .credit = "Printed by Orlis Vantor Version 3.0",
    .grid = kTapeLabelGrid,
    .label = {.frame = TFramePass::Cells, .cells = kTapeLabelCells,
              .barcode = {.x = Mm(5.55), .y = Mm(7)},
              .characters = kUprightCharacters},
    .closing = kClosingLines};

// No layout of its own: the upright Standard 3 of 9 sheet under its own name.
inline constexpr TSheetLayoutSpec kOtherLayout = [] {
  TSheetLayoutSpec s = kStandardLayout;
  s.name = "Other";
  return s;
}();

inline constexpr TSheetLayoutSpec kBreeceHillLayout = {
    .name = "Breece Hill", .credit = "Printed by Orlis Vantor Version 3.2",
    .grid = kTapeLabelGrid,
    .label = {.frame = TFramePass::Outlines,
              .barcode = {.x = Mm(5.55), .y = Mm(2.35), .startFromSerial = true},
              .characters = {.x = Mm(17), .y = Mm(15),
                             .laterRowsShift = Mm(1.3),  // later rows start 1.3 mm further right than the first
                             .order = {0, 1, 2, 3, 4, 5},
                             .steps = {Mm(4), Mm(4), Mm(4), Mm(4), Mm(4)},
                             .font = {10, true}}},
    .closing = kClosingLines};

// The third column's suffix stands 2 dots further right relative to its sixth character.
inline constexpr TSheetLayoutSpec kStorageTekRotatedLayout = {
    .name = "StorageTek Rotated Text", .credit = "Printed by Orlis Vantor Version 3.2",
    .grid = kTapeLabelGrid,
    .label = {.frame = TFramePass::CellsReversed, .cells = kTapeLabelCells,
              .barcode = {.x = Mm(2), .y = Mm(7)},
              .characters = kRotatedCharacters,
              .suffix = {.shown = true, .after = 0, .dx = Mm(-4), .dy = Mm(1.6), .font = {6, false},
                         .nudgeColumn = 2, .nudgeDots = 2}},
    .closing = kClosingLines};

// The sixth character is followed by the same 8.8 mm as the others while the
// run still moves on 13.3 mm to the next label, so each label's characters sit
// 0.3 mm further right on it than the previous label's.
inline constexpr TCharacters kStandardRotatedCharacters = {
    .x = Mm(8.7), .y = Mm(3),
    .order = {5, 4, 3, 2, 1, 0},
    .steps = {Mm(8.8), Mm(8.8), Mm(8.8), Mm(8.8), Mm(8.8)},
    .drift = Mm(0.3),
    .font = {12, false}, .escapement = 2700, .cellColors = true};

inline constexpr TSheetLayoutSpec kStandardRotatedLayout = {
    .name = "Standard 3 of 9 Rotate Text", .credit = "Printed by Orlis Vantor Version 3.2",
    .grid = kTapeLabelGrid,
    .label = {.frame = TFramePass::CellsReversed, .cells = kTapeLabelCells,
              .barcode = {.x = Mm(5), .y = Mm(7)},
              .characters = kStandardRotatedCharacters},
    .closing = kClosingLines};
// clang-format on

}  // namespace vantor
