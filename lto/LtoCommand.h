// vantor's LTO printing without the window, and the template listings. The
// command line is read in printing/qt/; the outputs come from a factory, since
// PDF and printer jobs draw through Qt.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "printing/PrintCommand.h"
#include "templates/SheetTemplate.h"

namespace vantor {

struct TLtoPrintOptions {
  TPrintOutput output = TPrintOutput::Pdf;
  std::string target;               // the PDF or trace file, or the printer's name
  std::string mediaId;              // as typed
  std::string serial;               // the first volser, as typed
  std::optional<int> count;         // labels in the run ...
  std::optional<std::string> last;  // ... or the last volser; neither: one sheet
  std::string templateName = kDefaultLtoTemplate;
  std::string palette = "lto";
  int dpi = 0;           // 0: the output's own (PDF 600, trace 300, a printer its own)
  bool reprint = false;  // print volsers the journal holds as printed again, deliberately
};

class TLtoOutputFactory {
 public:
  virtual ~TLtoOutputFactory() = default;
  // The output for `output` and `target` at `dpi` with pages of `page`.
  // Throws std::runtime_error when there is none (no printer of that name).
  virtual std::unique_ptr<TSheetOutput> Open(TPrintOutput output, const std::string& target, int dpi,
                                             TPageSize page) = 0;
};

// Exit status: 0 printed; 1 refused (a bad volser, a carry, a label too small
// for the barcode) or failed, the journal's faults included; 2 an unknown
// template, palette or media ID; 3 refused by the journal (as RunPrint).
// Nothing is printed when refused. Messages on `err`.
int RunLtoPrint(const TLtoPrintOptions& options, const TTemplateCatalogue& templates, TLtoOutputFactory& factory,
                std::ostream& out, std::ostream& err, journal::TJobLog* journal = nullptr);

// One template name a line; the refused files' problems on `err`. Exit 0.
int RunListTemplates(const TTemplateCatalogue& templates, std::ostream& out, std::ostream& err);
// The template as JSON; 2 and a message when there is none of that name.
int RunDescribeTemplate(const std::string& name, const TTemplateCatalogue& templates, std::ostream& out,
                        std::ostream& err);

}  // namespace vantor
