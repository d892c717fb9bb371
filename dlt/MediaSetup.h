// What each media mode sets: the configuration that the maker and media-kind
// choices apply, kept as data so the window and the headless printer share it.
#pragma once

#include <array>
#include <string_view>

#include "barcode/BarTypes.h"
#include "dlt/LabelState.h"
#include "surface/Surface.h"

namespace vantor {

// clang-format off
// Where the six preview characters stand.
enum class TLabelPlacement { OnCells, RowBelowBarcode };

struct TCheckState {
  bool enabled;
  bool checked;
};

struct TMediaSetup {
  std::string_view suffix;       // caption of the media-suffix label
  bool serialEnabled;            // the serial field
  bool serialMaskCleared;        // edit mask cleared
  bool serialMaxLengthSet;       // maximum length set to 6
  std::string_view serial;       // default serial text
  TPoint barcodePos;             // preview barcode (left, top) in the panel
  btCodeRatio ratio;
  btCodeSizes moduleWidth;
  int heightPercent;
  bool highDensity;
  bool humanReadable;
  bool widthReduce;
  bool zoomSize;
  bool barcodeWithSuffix;        // barcode text = serial + suffix (else the serial)
  bool cellsVisible;
  TLabelPlacement placement;
  TCheckState rotatedSequence;   // "Rotated sequence"
  TCheckState coloredSequence;   // "Colored sequence"
  TCheckState rotateBarcode;     // "Rotate barcode"
};
// clang-format on

// One column per media mode 0..6.
// clang-format off
inline constexpr std::array<TMediaSetup, 7> kMediaSetups = {{
    // 0 STK DLT IV
    {"D", true, true, true, "000000", {12, 32}, Ratio_2, SC5, 50, false, false, true, true, true, true,
     TLabelPlacement::OnCells, {true, true}, {true, true}, {false, true}},
    // 1 STK Diagnostic
    {"C", false, false, false, "DG 000", {12, 32}, Ratio_2, SC5, 50, false, false, true, true, true, true,
     TLabelPlacement::OnCells, {true, true}, {false, false}, {false, true}},
    // 2 STK Cleaning
    {"C", true, false, true, "CLN000", {12, 32}, Ratio_2, SC5, 50, false, false, true, true, true, true,
     TLabelPlacement::OnCells, {true, true}, {false, false}, {false, true}},
    // 3 STK DLT III XT
    {"C", true, true, true, "000000", {12, 32}, Ratio_2, SC5, 50, false, false, true, true, true, true,
     TLabelPlacement::OnCells, {true, true}, {true, true}, {false, true}},
    // 4 Standard 3 of 9
    {"", true, true, true, "000000", {24, 32}, Ratio_2, SC5, 50, false, false, true, true, false, true,
     TLabelPlacement::OnCells, {true, false}, {true, true}, {true, true}},
    // 5 Breece Hill
    {"", true, true, true, "000000", {28, 16}, Ratio_2, SC5, 50, false, false, true, true, false, false,
     TLabelPlacement::RowBelowBarcode, {false, false}, {false, false}, {true, true}},
    // 6 Other
    {"", true, true, true, "000000", {24, 32}, Ratio_2, SC5, 30, false, false, true, true, false, true,
     TLabelPlacement::OnCells, {false, false}, {true, true}, {true, true}},
}};
// clang-format on

// The column of a media mode; unknown modes read as "Other".
inline const TMediaSetup& MediaSetupFor(TMediaMode mediaMode) {
  const int column = static_cast<int>(mediaMode);
  return kMediaSetups[static_cast<std::size_t>(column >= 0 && column <= 6 ? column : 6)];
}

// Preview character placement, LBL_1 .. LBL_6 (left, top) in the panel.
inline constexpr std::array<TPoint, 6> kLabelsOnCells = {{{176, 8}, {144, 8}, {112, 8}, {80, 8}, {48, 8}, {16, 8}}};
inline constexpr std::array<TPoint, 6> kLabelsInRow = {{{144, 64}, {128, 64}, {112, 64}, {96, 64}, {80, 64}, {64, 64}}};

}  // namespace vantor
