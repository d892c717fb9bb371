#include "printing/Sheet.h"

#include <cstdio>

#include "app/LabelState.h"
#include "printing/SheetPainter.h"

namespace vantor {

TSheetLayout LayoutFor(int mediaMode, bool rotated) {
  switch (mediaMode) {
    case mmStkDltIV:
    case mmStkDiagnostic:
    case mmStkCleaning:
    case mmStkDltIIIXT: return rotated ? TSheetLayout::StorageTekRotated : TSheetLayout::StorageTek;
    case mmStandard3of9: return rotated ? TSheetLayout::StandardRotated : TSheetLayout::Standard;
    case mmBreeceHill: return TSheetLayout::BreeceHill;
    default: return TSheetLayout::Other;
  }
}

const char* LayoutName(TSheetLayout layout) {
  switch (layout) {
    case TSheetLayout::StorageTek: return "StorageTek";
    case TSheetLayout::StorageTekRotated: return "StorageTek Rotated Text";
    case TSheetLayout::Standard: return "Standard 3 of 9";
    case TSheetLayout::StandardRotated: return "Standard 3 of 9 Rotate Text";
    case TSheetLayout::BreeceHill: return "Breece Hill";
    case TSheetLayout::Other: return "Other";
  }
  return "";
}

std::optional<std::string> SheetRefusal(const std::string& serial, int sheets) {
  const std::optional<int> counter = CounterOf(serial);
  if (!counter) return std::nullopt;  // validation reports bad serials itself
  const int labels = kLabelsPerSheet * (sheets < 1 ? 1 : sheets);
  const int last = *counter + labels - 1;
  if (last <= kMaxCounter) return std::nullopt;
  const int lastFirst = kMaxCounter - labels + 1;
  const std::string prefix = serial.substr(0, 3);
  std::string text =
      "A sheet of " + std::to_string(labels) + " labels from " + serial + " would need serials past " + prefix + "999.";
  if (lastFirst >= 0) {
    char counterText[4];
    std::snprintf(counterText, sizeof counterText, "%03d", lastFirst);
    text += " The last first serial that still fits is " + prefix + counterText + ".";
  }
  return text;
}

namespace {

void ContentPass(TSheetLayout layout, TSheetPainter& painter) {
  switch (layout) {
    case TSheetLayout::StorageTek:
      painter.ContentUpright(true, 24, "StorageTek", "Printed by Orlis Vantor Version 3.2");
      break;
    case TSheetLayout::Standard:
      painter.ContentUpright(false, 27.55L, "Standard 3 of 9", "Printed by Orlis Vantor Version 3.0");
      break;
    case TSheetLayout::Other:
      // No layout of its own: the upright Standard 3 of 9 sheet under its own name.
      painter.ContentUpright(false, 27.55L, "Other", "Printed by Orlis Vantor Version 3.0");
      break;
    case TSheetLayout::BreeceHill: painter.ContentBreeceHill(); break;
    case TSheetLayout::StorageTekRotated: painter.ContentRotated(true); break;
    case TSheetLayout::StandardRotated: painter.ContentRotated(false); break;
  }
}

void FramePass(TSheetLayout layout, TSheetPainter& painter) {
  switch (layout) {
    case TSheetLayout::BreeceHill: painter.DrawLabelFrames(); break;
    case TSheetLayout::StorageTekRotated:
    case TSheetLayout::StandardRotated: painter.DrawLabelCellsReversed(); break;
    default: painter.DrawLabelCells(); break;
  }
}

}  // namespace

TSheetResult PrintSheet(TSheetLayout layout, TSheetHost& host, TPrintJob& job, const TSheetOptions& options) {
  host.EnableSerialField();
  if (!job.ShowDialog()) return TSheetResult::Cancelled;
  job.SetPortrait();
  job.SetTitle(kJobTitle);
  job.SetCopies(1);

  const std::string startSerial = host.SerialText();
  const std::string startBarcode = host.BarcodeText();
  bool begun = false;
  try {
    job.BeginDoc();
    begun = true;
    TSheetPainter painter(host, job.Page(), options);
    FramePass(layout, painter);
    ContentPass(layout, painter);
    job.EndDoc();
  } catch (...) {
    // Nothing of a failed sheet reaches paper: drop the document and put the
    // serial back, so the same labels print on the next attempt.
    if (begun) {
      try {
        job.AbortDoc();
      } catch (...) {
      }
    }
    host.SetBarcodeText(startBarcode);
    host.SetSerialText(startSerial);
    host.RefreshPreview();
    throw;
  }
  return TSheetResult::Printed;
}

}  // namespace vantor
