#include "dlt/Sheet.h"

#include <cstdio>
#include <initializer_list>

#include "dlt/LabelState.h"
#include "dlt/SheetLayouts.h"

namespace vantor {

TSheetLayout LayoutFor(TMediaMode mediaMode, bool rotated) {
  switch (mediaMode) {
    case TMediaMode::StkDltIV:
    case TMediaMode::StkDiagnostic:
    case TMediaMode::StkCleaning:
    case TMediaMode::StkDltIIIXT: return rotated ? TSheetLayout::StorageTekRotated : TSheetLayout::StorageTek;
    case TMediaMode::Standard3of9: return rotated ? TSheetLayout::StandardRotated : TSheetLayout::Standard;
    case TMediaMode::BreeceHill: return TSheetLayout::BreeceHill;
    default: return TSheetLayout::Other;
  }
}

const TSheetLayoutSpec& LayoutSpec(TSheetLayout layout) {
  switch (layout) {
    case TSheetLayout::StorageTek: return kStorageTekLayout;
    case TSheetLayout::StorageTekRotated: return kStorageTekRotatedLayout;
    case TSheetLayout::Standard: return kStandardLayout;
    case TSheetLayout::StandardRotated: return kStandardRotatedLayout;
    case TSheetLayout::BreeceHill: return kBreeceHillLayout;
    case TSheetLayout::Other: return kOtherLayout;
  }
  return kOtherLayout;
}

// SheetRefusal counts kLabelsPerSheet serials a sheet, whatever its layout.
static_assert([] {
  for (const TSheetLayoutSpec* spec : {&kStorageTekLayout, &kStorageTekRotatedLayout, &kStandardLayout,
                                       &kStandardRotatedLayout, &kBreeceHillLayout, &kOtherLayout})
    if (spec->grid.Labels() != kLabelsPerSheet) return false;
  return true;
}());

const char* LayoutName(TSheetLayout layout) { return LayoutSpec(layout).name; }

int SheetsThatFit(const std::string& serial, int startLabel) {
  const std::optional<int> counter = CounterOf(serial);
  if (!counter) return 0;
  const int left = kMaxCounter - *counter + 1;
  const int first = JobLabels(kLabelsPerSheet, 1, startLabel);
  return left < first ? 0 : 1 + (left - first) / kLabelsPerSheet;
}

std::optional<std::string> LabelRunRefusal(const std::string& serial, int labels) {
  const std::optional<int> counter = CounterOf(serial);
  if (!counter || *counter + labels - 1 <= kMaxCounter) return std::nullopt;
  const std::string prefix = serial.substr(0, 3);
  std::string text = std::to_string(labels) + (labels == 1 ? " label" : " labels") + " from " + serial +
                     " would need serials past " + prefix + std::to_string(kMaxCounter) + ".";
  if (const int lastFirst = kMaxCounter - labels + 1; lastFirst >= 0) {
    char counterText[12];
    std::snprintf(counterText, sizeof counterText, "%03d", lastFirst);
    text += " The last first serial that still fits is " + prefix + counterText + ".";
  }
  return text;
}

std::optional<std::string> SheetRefusal(const std::string& serial, int sheets, int startLabel) {
  const std::optional<int> counter = CounterOf(serial);
  if (!counter) return std::nullopt;  // validation reports bad serials itself
  const int labels = JobLabels(kLabelsPerSheet, sheets, startLabel);
  const int last = *counter + labels - 1;
  if (last <= kMaxCounter) return std::nullopt;
  const int lastFirst = kMaxCounter - labels + 1;
  const std::string prefix = serial.substr(0, 3);
  const std::string past = " from " + serial + " would need serials past " + prefix + std::to_string(kMaxCounter);
  std::string text;
  if (sheets == 1) {
    text = "A sheet of " + std::to_string(labels) + " labels" + past + ".";
  } else {
    // Several sheets: say how many of them fit, not only the labels.
    const int fit = SheetsThatFit(serial, startLabel);
    text = std::to_string(sheets) + " sheets (" + std::to_string(labels) + " labels)" + past + "; " +
           (fit == 0   ? std::string("not one sheet fits.")
            : fit == 1 ? std::string("only 1 sheet fits.")
                       : "only " + std::to_string(fit) + " sheets fit.");
  }
  if (lastFirst >= 0) {
    char counterText[12];
    std::snprintf(counterText, sizeof counterText, "%03d", lastFirst);
    text += " The last first serial that still fits is " + prefix + counterText + ".";
  }
  return text;
}

std::optional<std::string> SheetResolutionRefusal(int dpiX, int dpiY) {
  const int lowest = dpiX < dpiY ? dpiX : dpiY;
  if (lowest >= kMinSheetDpi) return std::nullopt;
  return "At " + std::to_string(lowest) + " dpi the labels' barcodes cannot be printed: they need at least " +
         std::to_string(kMinSheetDpi) + " dpi.";
}

}  // namespace vantor
