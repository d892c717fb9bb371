// A run of LTO labels on the sheets of a template: one page a sheet, printed
// through the same print jobs as the tape-label sheets (PDF, printer, trace).
#pragma once

#include <stdexcept>
#include <string>

#include "lto/LtoLabel.h"
#include "lto/Volser.h"
#include "printing/JournalledJob.h"
#include "printing/LabelRun.h"
#include "printing/PrintJob.h"
#include "templates/SheetTemplate.h"

namespace vantor {

struct TLtoRun {
  TSheetTemplate sheet;
  std::string mediaId;  // two characters of A-Z, 0-9
  TVolserRun volsers;
  TLtoPalette palette;
  // The first page's first label (1-based): the labels before it stay empty,
  // so a sheet used in part can be fed again.
  int startLabel = 1;
  TLtoLabelLayout layout = kLtoLabelLayout;

  int Pages() const;
  // Where label i of the run (0 = first) goes: its page and its place there.
  int PageOf(int i) const;
  int PlaceOf(int i) const;
};

// Why the run cannot be printed at all (a bad media ID or volser, a start
// label off the template), or nothing. The resolution's own refusal comes
// from PlanLtoBars.
std::optional<std::string> LtoRunProblem(const TLtoRun& run);

// Why LTO labels can never print on the template: its labels cannot hold the
// barcode at the resolutions sheets are printed at (300 dpi office printers,
// the 600 dpi PDF). Nothing when they can.
inline constexpr int kLtoCheckedDpi[] = {300, 600};
std::optional<std::string> LtoTemplateUnusable(const TSheetTemplate& sheet);

// A refusal found once the printer's resolution is known: nothing was printed.
class ELtoRefused : public ERunRefused {
 public:
  using ERunRefused::ERunRefused;
};

// Draws page `page` (0-based) of the run: the origin moved by the printing
// offset, every label the page holds. `bars` from PlanLtoBars at the
// surface's resolution.
void DrawLtoPage(const TLtoRun& run, int page, const TBarWidths& bars, TSurface& surface);

// Every page of the run as one document on a job whose dialog is done, so a
// printer gets one job and a preview every page. The bars are planned at the
// first page's resolution; a refusal there (ELtoRefused), like any failure,
// aborts the document and is passed on.
void DrawLtoJob(const TLtoRun& run, TPrintJob& job);

// The whole run: the dialog, the job settings, then DrawLtoJob. Throws
// ELtoRefused (before anything is drawn) when the run or the printer's
// resolution is refused.
TSheetResult PrintLtoRun(const TLtoRun& run, TPrintJob& job);

}  // namespace vantor

namespace vantor {

// The run's volsers page by page, for the print journal.
TPageSerials LtoPageSerials(const TLtoRun& run);

// An LTO run as the print path prints it. The bars are planned at the first
// page's resolution; a refusal there throws ELtoRefused.
class TLtoLabelRun : public TLabelRun {
 public:
  explicit TLtoLabelRun(TLtoRun run) : run_(std::move(run)) {}
  const TLtoRun& Run() const { return run_; }

  int Pages() const override { return run_.Pages(); }
  int Labels() const override { return run_.volsers.count; }
  std::string SerialOf(int label) const override { return run_.volsers.At(label); }
  void DrawPage(TSurface& surface, int page) const override;
  journal::TTapeFamily Family() const override { return journal::TTapeFamily::Lto; }
  std::string Media() const override { return run_.mediaId; }
  TPageSerials PageSerials() const override { return LtoPageSerials(run_); }
  std::optional<std::string> Refusal() const override { return LtoRunProblem(run_); }
  // "3 labels on 1 page from ABC001L6 to ABC003L6"
  std::string Describe() const override;

 private:
  TLtoRun run_;
  mutable std::optional<TBarWidths> bars_;  // planned on page 0
};

}  // namespace vantor
