// vantor's headless printing: sheets to a PDF, a named printer or a trace,
// with the window's choices given as options. The command line is read in
// printing/qt/; the jobs come from a factory, since PDF and printer jobs draw
// through Qt.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "app/LabelState.h"
#include "colours/ColourSchemes.h"
#include "journal/JobLog.h"
#include "printing/RecordingJob.h"

namespace vantor {

enum class TPrintOutput { Pdf, Trace, Printer };

struct TPrintOptions {
  TPrintOutput output = TPrintOutput::Pdf;
  std::string target;  // the PDF or trace file, or the printer's name
  int mediaMode = mmStandard3of9;
  std::optional<std::string> serial;  // as typed; empty: the media kind's default
  std::optional<bool> rotated;        // "Rotated sequence"; empty: the media kind's start-up state
  bool colored = true;                // "Colored sequence"
  std::optional<SchemeId> scheme;
  int sheets = 1;
  int startLabel = 1;  // the first sheet's first label, 1 to 30
  bool outlines = false;
  int dpi = 0;  // 0: the output's own (PDF 600, trace 300)
  // The correction to draw through. Empty: none for PDF and trace, the one
  // kept for the printer for a printer.
  std::optional<TCalibration> calibration;
  bool calibrationPage = false;  // the calibration page instead of sheets
  bool reprint = false;          // print serials the journal holds as printed again, deliberately
};

// An option of a run at fault: the long option's name ("serial",
// "start-label", ...; empty when no one option is to blame), the reason, and
// the command line's exit status for it (2 for an option out of its range, 1
// for a run the labels refuse). The command line, the web service and the
// windows word the same reason.
struct TOptionProblem {
  std::string option;
  std::string problem;
  int exit = 1;
};

// The calibration option a calibration's fault lies in.
std::string CalibrationOption(const TCalibration& calibration);

// The media mode for a maker (standard, storagetek, breece, other) and a
// StorageTek media kind (dlt4, dlt3xt, cleaning, diagnostic; empty: dlt4), or
// nothing when they do not go together.
std::optional<int> MediaModeFor(const std::string& maker, const std::string& media);

// One run's print job, and what is left to do after its last sheet.
class TSheetOutput {
 public:
  virtual ~TSheetOutput() = default;
  virtual TPrintJob& Job() = 0;
  // Puts the result in place (the PDF renamed, the trace file written).
  // Throws std::runtime_error naming the file and the reason.
  virtual void Finish() {}
};

class TPrintJobFactory {
 public:
  virtual ~TPrintJobFactory() = default;
  // The output for options.output and options.target at `dpi`. Throws
  // std::runtime_error when there is none (no printer of that name).
  virtual std::unique_ptr<TSheetOutput> Open(const TPrintOptions& options, int dpi, TSheetOptions& sheet) = 0;
};

// A sheet job on the recording surface: one trace page a sheet.
class TTraceJob : public TRecordingJob {
 public:
  using TRecordingJob::TRecordingJob;
  void EndDoc() override;
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  int pages_ = 0;
};

// Checks a DLT run's options before anything is opened: the calibration, the
// start label, the first serial and the run's end. The first problem, or
// nothing.
std::optional<TOptionProblem> DltOptionsProblem(const TPrintOptions& options);
// The labels the run prints (sheets from the start label).
int DltRunLabels(const TPrintOptions& options);

// Exit status: 0 printed; 1 refused (a bad serial, a run past the counter's
// end) or failed (message on `err`), the journal's faults included; 2 for a
// start label or calibration out of range (the command line checks them
// first); 3 refused by the journal: serials printed before (without
// options.reprint) or held by a job still running. Nothing is printed when
// refused. With a journal the sheets' serials are reserved before anything
// prints and recorded page by page (the calibration page has none).
int RunPrint(const TPrintOptions& options, TPrintJobFactory& factory, std::ostream& out, std::ostream& err,
             journal::TJobLog* journal = nullptr);

// The output the journal records: a printer's name as given, a file as an
// absolute path (the journal outlives the working folder).
std::string JournalTarget(TPrintOutput output, const std::string& target);
// The output kind the journal records for a command line's output.
journal::TOutputKind OutputKindOf(TPrintOutput output);
// The lines on stderr for a job the journal refused: each conflict, then
// what to do. Exit status 3 goes with them.
void ReportJournalRefusal(const std::vector<journal::TConflict>& conflicts, std::ostream& err);
inline constexpr int kExitJournalRefused = 3;

}  // namespace vantor
