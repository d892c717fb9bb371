// Where a print run goes, one description for every front door: the kind of
// output (the journal's own names for them), its target, the resolution and
// the correction to draw through; the output opened from it, and what is left
// to do once its last page is drawn.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "journal/JobRecord.h"
#include "printing/JournalledJob.h"
#include "surface/CorrectedSurface.h"
#include "templates/SheetTemplate.h"

namespace vantor {

using journal::TOutputKind;

struct TOutputSpec {
  TOutputKind output = TOutputKind::Pdf;
  std::string target;  // the PDF or trace file, or the printer's name
  int dpi = 0;         // 0: DefaultDpi(output)
  // The correction to draw through. Empty: none for PDF and trace, the one
  // kept for the printer for a printer.
  std::optional<TCalibration> calibration;
};

// The resolution an output draws at unless one is given: PDF 600, trace 300,
// 0 for a printer (its own).
int DefaultDpi(TOutputKind output);
inline int OutputDpi(const TOutputSpec& spec) { return spec.dpi ? spec.dpi : DefaultDpi(spec.output); }

// The output the journal records: a printer's name as given, a file as an
// absolute path (the journal outlives the working folder).
std::string JournalTarget(TOutputKind output, const std::string& target);

// "Printed <what> to <file>" for a PDF, "Printed <what> on <printer>" for a
// printer; nothing for a trace (its file is the answer).
std::optional<std::string> PrintedMessage(const std::string& what, TOutputKind output, const std::string& target);

// One run's print job, and what is left to do after its last page.
class TSheetOutput {
 public:
  virtual ~TSheetOutput() = default;
  virtual TPrintJob& Job() = 0;
  // Puts the result in place (the PDF renamed, the trace file written).
  // Throws std::runtime_error naming the file and the reason.
  virtual void Finish() {}
  // How the pages reach the output: a printer's spool at EndDoc, files
  // once Finish has put them in place.
  virtual TDelivery Delivery() { return DeliveryFor(Job().Destination().kind); }
};

// A job of the caller's, its dialog done, as an output with nothing to finish.
class TJobOutput : public TSheetOutput {
 public:
  TJobOutput(TPrintJob& job, TDelivery delivery) : job_(job), delivery_(delivery) {}
  TPrintJob& Job() override { return job_; }
  TDelivery Delivery() override { return delivery_; }

 private:
  TPrintJob& job_;
  TDelivery delivery_;
};

// Opens the output a description names. `page`: the paper for files and
// printers (empty: A4 for files, the printer's own for a printer). Throws
// std::runtime_error when there is none (no printer of that name).
class TOutputFactory {
 public:
  virtual ~TOutputFactory() = default;
  virtual std::unique_ptr<TSheetOutput> Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) = 0;
};

}  // namespace vantor
