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

struct TLtoPrintOptions {
  TPrintOutput output = TPrintOutput::Pdf;
  std::string target;               // the PDF or trace file, or the printer's name
  std::string mediaId;              // as typed
  std::string serial;               // the first volser, as typed
  std::optional<int> count;         // labels in the run ...
  std::optional<std::string> last;  // ... or the last volser; neither: the rest of one sheet
  std::string templateName = kDefaultLtoTemplate;
  std::string palette = "lto";
  int dpi = 0;         // 0: the output's own (PDF 600, trace 300, a printer its own)
  int startLabel = 1;  // the first page's first label, 1 to the template's labels a page
  // The correction to draw through. Empty: none for PDF and trace, the one
  // kept for the printer for a printer.
  std::optional<TCalibration> calibration;
  bool calibrationPage = false;  // the calibration page on the template's page instead of labels
  bool reprint = false;          // print volsers the journal holds as printed again, deliberately
  bool progress = false;         // pages done on `err` while a long run goes on (for a terminal)
};

// The smallest page the calibration page fits on: the square, its crosses and
// the values to measure below it.
inline constexpr TPageSize kCalibrationPageMin = {Mm(150), Mm(210)};

class TLtoOutputFactory {
 public:
  virtual ~TLtoOutputFactory() = default;
  // The output for `output` and `target` at `dpi` with pages of `page`,
  // drawn through `calibration` (empty: none for files, the printer's kept
  // one for a printer). Throws std::runtime_error when there is none (no
  // printer of that name).
  virtual std::unique_ptr<TSheetOutput> Open(TPrintOutput output, const std::string& target, int dpi, TPageSize page,
                                             const std::optional<TCalibration>& calibration) = 0;
};

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
int RunLtoPrint(const TLtoPrintOptions& options, const TTemplateCatalogue& templates, TLtoOutputFactory& factory,
                std::ostream& out, std::ostream& err, journal::TJobLog* journal = nullptr);

// One template name a line; the refused files' problems on `err`. Exit 0.
int RunListTemplates(const TTemplateCatalogue& templates, std::ostream& out, std::ostream& err);
// The template as JSON; 2 and a message when there is none of that name.
int RunDescribeTemplate(const std::string& name, const TTemplateCatalogue& templates, std::ostream& out,
                        std::ostream& err);

}  // namespace vantor
