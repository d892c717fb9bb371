#include "printing/PrintJournalled.h"

#include "printing/WatchedJob.h"

namespace vantor {

namespace {

// Reserves the run's serials as `print` says to ask; false with `result`
// filled when nothing may print.
bool Reserve(TJournalledRun& journalled, const TJournalledPrint& print, TPrintResult& result) {
  if (journalled.Reserve(print.reprint)) return true;
  result.conflicts = journalled.Conflicts();
  result.outcome = TPrintOutcome::Refused;
  // A running job holding them leaves nothing to choose.
  if (print.reprint || !print.askReprint || !journal::ReprintWouldPass(result.conflicts)) return false;
  if (!print.askReprint(result.conflicts)) {
    result.outcome = TPrintOutcome::Cancelled;
    return false;
  }
  if (journalled.Reserve(true)) {
    result.conflicts.clear();
    return true;
  }
  result.conflicts = journalled.Conflicts();  // taken by a job that started meanwhile
  return false;
}

}  // namespace

void DrawRun(const TLabelRun& run, TPrintJob& job) {
  DrawPages(job, run.Pages(), [&](TSurface& surface, int page) { run.DrawPage(surface, page); });
}

TPrintResult PrintJournalled(const TLabelRun& run, TSheetOutput& output, const TJournalledPrint& print) {
  TPrintResult result;
  journal::TJobRequest request;
  request.family = run.Family();
  request.media = run.Media();
  request.output = print.recorded.kind;
  request.target = print.recorded.target;
  TJournalledRun journalled(print.journal, request, run.PageSerials());
  try {
    if (!Reserve(journalled, print, result)) return result;
  } catch (const std::exception& e) {
    result.outcome = TPrintOutcome::JournalError;
    result.message = e.what();
    return result;
  }
  try {
    TPrintJob& job = journalled.Job(output.Job(), print.delivery ? *print.delivery : output.Delivery());
    std::optional<TWatchedJob> watched;
    if (print.stoppable) watched.emplace(job, run.Pages(), print.progress);
    TPrintJob& on = watched ? static_cast<TPrintJob&>(*watched) : job;
    on.SetPortrait();
    on.SetTitle(run.Title());
    on.SetCopies(1);
    DrawRun(run, on);
    journalled.Deliver([&] { output.Finish(); });
  } catch (const EJobStopped& e) {
    result.outcome = TPrintOutcome::Stopped;
    result.message = e.what();
    result.stopSignal = e.Signal();
    result.endProblem = journalled.EndQuietly(journal::TJobOutcome::Cancelled);
    return result;
  } catch (const ERunRefused& e) {
    result.outcome = TPrintOutcome::Refused;
    result.runRefused = true;
    result.message = e.what();
    result.endProblem = journalled.EndQuietly(journal::TJobOutcome::Cancelled);
    return result;
  } catch (const std::exception& e) {
    result.outcome = TPrintOutcome::Failed;
    result.message = e.what();
    result.endProblem = journalled.EndQuietly(journal::TJobOutcome::Failed);
    return result;
  }
  result.outcome = TPrintOutcome::Printed;
  result.endProblem = journalled.EndQuietly(journal::TJobOutcome::Printed);
  return result;
}

}  // namespace vantor
