// The sheet of 30 labels: what a sheet needs from the window and from the
// printer, and the five layouts that fill it (described in SheetLayouts.h).
// Qt-free, so the same code prints to a printer, a PDF and the recording
// surface of the tests.
#pragma once

#include <optional>
#include <string>

#include "surface/Surface.h"

namespace vantor {

// What a sheet reads and writes of the label state that the window keeps.
class TSheetHost {
 public:
  virtual ~TSheetHost() = default;
  virtual std::string SerialText() const = 0;               // the serial field
  virtual void SetSerialText(const std::string& text) = 0;  // runs the field's change handling
  virtual void EnableSerialField() = 0;
  virtual std::string BarcodeText() const = 0;  // the preview barcode's caption
  virtual void SetBarcodeText(const std::string& text) = 0;
  virtual bool ColoredSequence() const = 0;        // "Colored sequence"
  virtual TColor DigitColor(int digit) const = 0;  // colour table entries 0..9
  virtual void NextSequence() = 0;
  virtual void RefreshPreview() = 0;
  // Draws the preview barcode's current text and settings at a point in dots.
  virtual void DrawBarcode(TSurface& page, int x, int y) = 0;
};

// A print job: the dialog, the job settings, one document of pages.
class TPrintJob {
 public:
  virtual ~TPrintJob() = default;
  virtual bool ShowDialog() = 0;  // false: the operator cancelled
  virtual void SetPortrait() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetCopies(int copies) = 0;
  virtual void BeginDoc() = 0;
  virtual TSurface& Page() = 0;  // the page being drawn
  virtual void EndDoc() = 0;
  // Ends a document that failed part-way, so nothing half-printed is kept.
  virtual void AbortDoc() {}
};

enum class TSheetLayout { StorageTek, StorageTekRotated, Standard, StandardRotated, BreeceHill, Other };

struct TSheetOptions {
  bool outlines = false;  // draw the 2-dot label outlines (readers need the quiet zone they cut into)
};

inline constexpr int kLabelsPerSheet = 30;
inline constexpr const char* kJobTitle = "Vantor";

// The layout for a media mode and "Rotated sequence".
TSheetLayout LayoutFor(int mediaMode, bool rotated);
// The name printed in the closing lines.
const char* LayoutName(TSheetLayout layout);

// Why a sheet starting at `serial` cannot be printed (its 30 labels would need a
// counter past 999), or nothing when it fits.
std::optional<std::string> SheetRefusal(const std::string& serial, int sheets = 1);

enum class TSheetResult { Printed, Cancelled };

// The sheet procedure: enable the serial field, the dialog, the job settings,
// frame pass, content pass, closing lines. A printer failure (an exception from
// the job or the page) aborts the document, puts the serial and barcode text
// back to where the sheet started (nothing of the sheet was printed, so the
// next attempt prints the same labels) and passes the exception on.
TSheetResult PrintSheet(TSheetLayout layout, TSheetHost& host, TPrintJob& job, const TSheetOptions& options = {});

}  // namespace vantor
