// The sheet of 30 labels: what a sheet needs from the window and from the
// printer, and the five layouts that fill it (described in SheetLayouts.h).
// Qt-free, so the same code prints to a printer, a PDF and the recording
// surface of the tests.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
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

// Where a job's pages go, as the print journal records it.
struct TJobDestination {
  enum class TKind { Printer, Pdf, Trace };
  TKind kind = TKind::Printer;
  std::string target;  // the printer's name, or the file
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
  // Starts the next page of the same document. Jobs that know only whole
  // documents end one and begin the next.
  virtual void NewPage() {
    EndDoc();
    BeginDoc();
  }
  virtual void EndDoc() = 0;
  // Ends a document that failed part-way, so nothing half-printed is kept.
  virtual void AbortDoc() {}
  // Where the pages go (known once the dialog is done).
  virtual TJobDestination Destination() const { return {}; }
};

enum class TSheetLayout { StorageTek, StorageTekRotated, Standard, StandardRotated, BreeceHill, Other };

struct TSheetOptions {
  bool outlines = false;  // draw the 2-dot label outlines (readers need the quiet zone they cut into)
  int sheets = 1;         // pages in the job
  int startLabel = 1;     // the first page's first label, 1-based in fill order; later pages start at 1
  // Labels in the job; 0: every label from the start label to the end of the
  // last sheet. Fewer leave the labels after them blank (a reprint of a few).
  int labels = 0;
};

inline constexpr int kLabelsPerSheet = 30;
inline constexpr int kMaxSheets = 1000;

// --- Jobs of pages of labels, whatever the label family ---------------------

// The labels a job of `pages` pages of `perPage` labels holds when its first
// page starts at label `startLabel` (1-based).
constexpr int JobLabels(int perPage, int pages, int startLabel) {
  return perPage * (pages < 1 ? 1 : pages) - (startLabel < 1 ? 0 : startLabel - 1);
}
// The 0-based index of the first label drawn on page `page` (0-based).
constexpr int FirstLabelOnPage(int page, int startLabel) { return page == 0 && startLabel > 1 ? startLabel - 1 : 0; }
// The 0-based index past the last label drawn on page `page`: the page's end
// unless the job's `labels` (0: no limit) run out before it.
constexpr int EndLabelOnPage(int page, int startLabel, int labels, int perPage) {
  if (labels <= 0) return perPage;
  const int end = (startLabel < 1 ? 0 : startLabel - 1) + labels - page * perPage;
  return end < 0 ? 0 : end > perPage ? perPage : end;
}
constexpr bool StartLabelUsable(int startLabel, int perPage) { return startLabel >= 1 && startLabel <= perPage; }

// Draws `pages` pages as one document on a job whose dialog is done:
// BeginDoc, drawPage(page, index) for each with NewPage between, EndDoc. A
// failure (an exception from the job or the page) aborts the document, so
// nothing half-printed is kept, and is passed on.
void DrawPages(TPrintJob& job, int pages, const std::function<void(TSurface& page, int index)>& drawPage);
inline constexpr const char* kJobTitle = "Vantor";

// The layout for a media mode and "Rotated sequence".
TSheetLayout LayoutFor(int mediaMode, bool rotated);
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

// A sheet refused before anything of it is drawn.
class ESheetRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TSheetResult { Printed, Cancelled };

// The sheet procedure: enable the serial field, the dialog, the job settings,
// then DrawSheets with the options as the dialog left them.
TSheetResult PrintSheet(TSheetLayout layout, TSheetHost& host, TPrintJob& job, const TSheetOptions& options = {});

// The pages of a job as one document: for each sheet the frame pass, the
// content pass and the closing lines, the first sheet from options.startLabel
// (labels before it left blank), every later one from label 1. A printer
// failure aborts the document, puts the serial and barcode text back to where
// the job started (nothing of it was printed, so the next attempt prints the
// same labels) and passes the exception on. A page below 150 dpi is refused
// (ESheetRefused) before anything is drawn on it.
void DrawSheets(TSheetLayout layout, TSheetHost& host, TPrintJob& job, const TSheetOptions& options);

}  // namespace vantor
