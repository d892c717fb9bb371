// The sheet of 30 labels: what a sheet needs from the window and from the
// printer, and the five layouts that fill it (described in SheetLayouts.h).
// Qt-free, so the same code prints to a printer, a PDF and the recording
// surface of the tests.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "dlt/LabelState.h"
#include "printing/LabelRun.h"
#include "printing/PrintJob.h"
#include "surface/Surface.h"

namespace vantor {

// What a sheet reads and writes of the label state its host keeps: in
// production a run's own THeadlessHost (TDltLabelRun), never the window.
class TSheetHost {
 public:
  virtual ~TSheetHost() = default;
  virtual std::string SerialText() const = 0;               // the serial field
  virtual void SetSerialText(const std::string& text) = 0;  // runs the field's change handling
  virtual std::string BarcodeText() const = 0;              // the preview barcode's caption
  virtual void SetBarcodeText(const std::string& text) = 0;
  virtual bool ColoredSequence() const = 0;        // "Colored sequence"
  virtual TColor DigitColor(int digit) const = 0;  // colour table entries 0..9
  virtual void NextSequence() = 0;
  virtual void RefreshPreview() = 0;
  // Draws the preview barcode's current text and settings at a point in dots.
  virtual void DrawBarcode(TSurface& page, int x, int y) = 0;
};

enum class TSheetLayout { StorageTek, StorageTekRotated, Standard, StandardRotated, BreeceHill, Other };

inline constexpr int kLabelsPerSheet = 30;
inline constexpr int kMaxSheets = 1000;

// The layout for a media mode and "Rotated sequence".
TSheetLayout LayoutFor(TMediaMode mediaMode, bool rotated);
// The name printed in the closing lines.
const char* LayoutName(TSheetLayout layout);

// Why a job starting at `serial` cannot be printed (its labels would need a
// counter past 999), or nothing when it fits.
std::optional<std::string> SheetRefusal(const std::string& serial, int sheets = 1, int startLabel = 1);
// The same for a run of `labels` labels, however they fall on sheets.
std::optional<std::string> LabelRunRefusal(const std::string& serial, int labels);
// How many whole sheets from `serial` (the first at `startLabel`) end at 999
// or before; 0 for a serial without a three-digit counter.
int SheetsThatFit(const std::string& serial, int startLabel = 1);

// Why a page of `dpiX` x `dpiY` dots an inch cannot carry the labels' barcodes
// (fewer than 150 either way), or nothing when it can.
std::optional<std::string> SheetResolutionRefusal(int dpiX, int dpiY);

// A sheet refused before anything of it is drawn (nothing printed: the
// journal's job ends cancelled, not failed).
class ESheetRefused : public ERunRefused {
 public:
  using ERunRefused::ERunRefused;
};

}  // namespace vantor
