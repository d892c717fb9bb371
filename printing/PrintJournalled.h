// The one journalled print path: reserve the run's serials, draw its pages,
// deliver them, mark them as they reach the output, end the journal's job.
// The command line, the windows, the journal window's reprints and the web
// service all print through PrintJournalled and differ only in how they ask
// about serials printed before and how they word the result.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "journal/JobLog.h"
#include "printing/LabelRun.h"
#include "printing/Output.h"

namespace vantor {

struct TJournalledPrint {
  journal::TJobLog* journal = nullptr;  // null: not journalled (--no-journal, the calibration page)
  TJobDestination recorded;             // the output as the journal records it
  std::optional<TDelivery> delivery;    // empty: the output's own (TSheetOutput::Delivery)
  // Serials printed before: `reprint` prints them again deliberately; else
  // `askReprint` (when set) is asked whether to, and refusing is the answer
  // without it.
  bool reprint = false;
  std::function<bool(const std::vector<journal::TConflict>&)> askReprint;
  // Long runs from the command line: a stop asked for by a signal ends the
  // run at the next page; `progress` shows the pages done.
  bool stoppable = false;
  std::ostream* progress = nullptr;
};

enum class TPrintOutcome {
  Printed,
  Refused,       // the journal refused (conflicts) or the run was refused: nothing printed
  Cancelled,     // the operator said no to a reprint: nothing printed
  Stopped,       // a signal stopped the run between pages: the job cancelled
  Failed,        // the output or the journal failed: the job ended failed
  JournalError,  // the journal could not reserve: nothing printed
};

struct TPrintResult {
  TPrintOutcome outcome = TPrintOutcome::Failed;
  std::vector<journal::TConflict> conflicts;  // Refused by the journal
  std::string message;                        // why not Printed: the output's or the journal's words
  bool runRefused = false;                    // Refused: the run itself at the output's resolution
  // The journal could not record the job's end (the pages went out or not as
  // `outcome` says).
  std::optional<std::string> endProblem;
  int stopSignal = 0;  // Stopped: the signal's number
};

// Prints `run` on `output` (its dialog done): the job settings, one document
// of run.Pages() pages, Finish, under `print.journal`. The journal's job ends
// printed, failed or cancelled as the result says; nothing of the output's
// or the journal's faults escapes as an exception.
TPrintResult PrintJournalled(const TLabelRun& run, TSheetOutput& output, const TJournalledPrint& print);

// The run's pages on a job as one document, no journal: BeginDoc, each page,
// EndDoc (a print preview's pages).
void DrawRun(const TLabelRun& run, TPrintJob& job);

}  // namespace vantor
