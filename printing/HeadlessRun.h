// What every headless run shares, whatever it prints: the options every
// family's run takes (the output, the start label, calibration page, reprint
// and progress), an option at fault, the trace job, the one runner that
// prints a TLabelRun through the journalled path, and how the command line
// words the result.
#pragma once

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JobLog.h"
#include "printing/LabelRun.h"
#include "printing/Output.h"
#include "printing/RecordingJob.h"
#include "surface/CorrectedSurface.h"

namespace vantor {

// The options every family's run shares: the output described, and these.
struct TRunOptions : TOutputSpec {
  int startLabel = 1;            // the first page's first label, from 1
  bool calibrationPage = false;  // the calibration page instead of labels
  bool reprint = false;          // print serials the journal holds as printed again, deliberately
  bool progress = false;         // pages done on `err` while a long run goes on (for a terminal)
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

// "a, b, c and d"; "a or b" with `last` "or".
std::string JoinNames(const std::vector<std::string>& names, const std::string& last = "and");

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

// The lines on stderr for a job the journal refused: each conflict, then
// what to do. Exit status 3 goes with them.
void ReportJournalRefusal(const std::vector<journal::TConflict>& conflicts, std::ostream& err);
inline constexpr int kExitJournalRefused = 3;

// Opens `options`' output on `page` (see TOutputFactory) and prints `run`
// through PrintJournalled, the output recorded as JournalTarget names it.
// Exit status: 0 printed ("Printed ..." on `out` for a PDF or a printer); 1
// failed or refused at the output's resolution (messages on `err`), the
// journal's faults included; 3 refused by the journal; 128 + a signal's
// number when a signal stopped the run (`stoppable`).
int RunLabelPrint(const TLabelRun& run, const TRunOptions& options, const std::optional<TPageSize>& page,
                  TOutputFactory& factory, std::ostream& out, std::ostream& err, journal::TJobLog* journal,
                  bool stoppable = true);

// The calibration page as a run of one page without serials, never journalled.
class TCalibrationRun : public TLabelRun {
 public:
  int Pages() const override { return 1; }
  int Labels() const override { return 0; }
  std::string SerialOf(int) const override { return {}; }
  void DrawPage(TSurface& surface, int page) const override;
  journal::TTapeFamily Family() const override { return journal::TTapeFamily::Dlt; }  // never recorded
  std::string Media() const override { return {}; }
  TPageSerials PageSerials() const override { return {}; }
  std::string Describe() const override { return "the calibration page"; }
};

}  // namespace vantor
