// What every headless run shares, whatever it prints: the output kinds, an
// option at fault, the run's output and its trace job, the command line's
// lines on stderr and what the journal records of an output.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JobLog.h"
#include "printing/RecordingJob.h"
#include "surface/CorrectedSurface.h"

namespace vantor {

enum class TPrintOutput { Pdf, Trace, Printer };

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

// "a, b, c and d"; "a or b" with `last` "or".
std::string JoinNames(const std::vector<std::string>& names, const std::string& last = "and");

// One run's print job, and what is left to do after its last sheet.
class TSheetOutput {
 public:
  virtual ~TSheetOutput() = default;
  virtual TPrintJob& Job() = 0;
  // Puts the result in place (the PDF renamed, the trace file written).
  // Throws std::runtime_error naming the file and the reason.
  virtual void Finish() {}
};

// A sheet job on the recording surface: one trace page a sheet, each written
// as it ends, so only one page's drawing is held at a time.
class TTraceJob : public TRecordingJob {
 public:
  using TRecordingJob::TRecordingJob;
  void EndDoc() override;
  // The pages kept by the default WritePage.
  std::string Text() const { return text_.str(); }

 protected:
  // Takes one page's trace text; by default it is kept for Text().
  virtual void WritePage(const std::string& page) { text_ << page; }

 private:
  std::ostringstream text_;
  int pages_ = 0;
};

// A line of the command line's on stderr: "vantor: " and `message`, its first
// word in lower case as the command line's own lines have it (the label
// models word their refusals as sentences for the windows). "LTO" and other
// words in capitals stay as they are.
std::string CliLine(std::string_view message);

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
