// Long runs from the command line: a stop asked for by SIGINT or SIGTERM ends
// the job at the next page, and the pages done are shown while it runs.
#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>
#include <stdexcept>

#include "printing/PrintJob.h"

namespace vantor {

// The signal that asked the run to stop, or 0. Set from a signal handler.
int StopSignal();
void ClearStop();

// While it lives, SIGINT and SIGTERM ask the run to stop instead of killing
// the process (a second one kills it as usual); the handlers before it come
// back when it ends.
class TStopOnSignals {
 public:
  TStopOnSignals();
  ~TStopOnSignals();
  TStopOnSignals(const TStopOnSignals&) = delete;
  TStopOnSignals& operator=(const TStopOnSignals&) = delete;

 private:
  struct TSaved;
  TSaved* saved_;
};

// A job stopped by a signal before page `page` of `pages` (1-based) began.
class EJobStopped : public std::runtime_error {
 public:
  EJobStopped(int signal, int page, int pages);
  int Signal() const { return signal_; }
  // The exit status of a process stopped by the signal: 128 + its number.
  int ExitStatus() const { return 128 + signal_; }

 private:
  int signal_;
};

// A job that throws EJobStopped when the next page would begin after a stop
// was asked for (DrawPages then aborts the document, so nothing half-done is
// kept), and that shows "page N of M" on `progress` once the run has taken
// longer than `quiet`, updated in place and ended with a line break.
class TWatchedJob : public TPrintJob {
 public:
  using TClock = std::function<std::chrono::steady_clock::time_point()>;
  TWatchedJob(TPrintJob& inner, int pages, std::ostream* progress,
              std::chrono::milliseconds quiet = std::chrono::seconds(3), TClock clock = std::chrono::steady_clock::now);
  ~TWatchedJob() override;

  bool ShowDialog() override { return inner_.ShowDialog(); }
  void SetPortrait() override { inner_.SetPortrait(); }
  void SetTitle(const std::string& title) override { inner_.SetTitle(title); }
  void SetCopies(int copies) override { inner_.SetCopies(copies); }
  void BeginDoc() override;
  TSurface& Page() override { return inner_.Page(); }
  void NewPage() override;
  void EndDoc() override;
  void AbortDoc() override { inner_.AbortDoc(); }
  TJobDestination Destination() const override { return inner_.Destination(); }

 private:
  void Starting();  // page begun_ + 1 is about to begin
  void Show();

  TPrintJob& inner_;
  int pages_;
  std::ostream* progress_;
  std::chrono::milliseconds quiet_;
  TClock clock_;
  std::chrono::steady_clock::time_point start_, shown_;
  int begun_ = 0;
  int done_ = 0;
  bool showing_ = false;
};

}  // namespace vantor
