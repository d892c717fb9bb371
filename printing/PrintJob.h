// A print job and the jobs of pages every label family prints: where the
// pages go, the job's dialog and document, the labels on each page.
// Qt-free, so the same code prints to a printer, a PDF and the recording
// surface of the tests.
#pragma once

#include <functional>
#include <string>

#include "journal/JobRecord.h"
#include "surface/Surface.h"

namespace vantor {

using journal::TOutputKind;

// Where a job's pages go, as the print journal records it.
struct TJobDestination {
  TOutputKind kind = TOutputKind::Printer;
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

// The options of a job of pages of labels, as the print dialog's Labels tab
// sets them.
struct TSheetOptions {
  bool outlines = false;  // draw the 2-dot label outlines (readers need the quiet zone they cut into)
  int sheets = 1;         // pages in the job
  int startLabel = 1;     // the first page's first label, 1-based in fill order; later pages start at 1
  // Labels in the job; 0: every label from the start label to the end of the
  // last sheet. Fewer leave the labels after them blank (a reprint of a few).
  int labels = 0;
};

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

enum class TSheetResult { Printed, Cancelled };

}  // namespace vantor
