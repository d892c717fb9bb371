// vantor's LTO printing without the window, and the template listings. The
// command line is read in app/cli/ (the LTO options: lto/LtoOptions.h); the
// outputs come from a factory, since PDF and printer jobs draw through Qt.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "lto/LtoSheet.h"
#include "printing/HeadlessRun.h"
#include "templates/SheetTemplate.h"

namespace vantor {

// An LTO run's options: the shared ones (output, start label, calibration
// page, reprint, progress; the start label from 1 to the template's labels a
// page) and the labels'.
struct TLtoPrintOptions : TRunOptions {
  std::string mediaId;              // as typed
  std::string serial;               // the first volser, as typed
  std::optional<int> count;         // labels in the run ...
  std::optional<std::string> last;  // ... or the last volser; neither: the rest of one sheet
  std::string templateName = kDefaultLtoTemplate;
  std::string palette = "lto";
};

// The smallest page the calibration page fits on: the square, its crosses and
// the values to measure below it.
inline constexpr TPageSize kCalibrationPageMin = {Mm(150), Mm(210)};

// An LTO run's options checked as RunLtoPrint checks them before anything is
// opened (at `dpi`, 0: the output's own once known): the run, or the first
// problem.
struct TLtoCheck {
  std::optional<TLtoRun> run;
  const TSheetTemplate* sheet = nullptr;  // the template, once found
  std::optional<TOptionProblem> problem;
};
TLtoCheck CheckLtoOptions(const TLtoPrintOptions& options, const TTemplateCatalogue& templates, int dpi);

// Exit status: 0 printed; 1 refused (a bad volser, a carry, a label too small
// for the barcode, a page too small for the calibration page) or failed, the
// journal's faults included; 2 an unknown template, palette or media ID, a start
// label off the template or a calibration out of range; 3 refused by the journal
// (as RunPrint); 128 + a signal's number when it stopped the run (as RunPrint).
// Nothing is printed when refused. Messages on `err`.
int RunLtoPrint(const TLtoPrintOptions& options, const TTemplateCatalogue& templates, TOutputFactory& factory,
                std::ostream& out, std::ostream& err, journal::TJobLog* journal = nullptr);

// One template name a line; the refused files' problems on `err`. Exit 0.
int RunListTemplates(const TTemplateCatalogue& templates, std::ostream& out, std::ostream& err);
// The template as JSON; 2 and a message when there is none of that name.
int RunDescribeTemplate(const std::string& name, const TTemplateCatalogue& templates, std::ostream& out,
                        std::ostream& err);

}  // namespace vantor
