// Print jobs under the print journal: the serials of a job are reserved in
// one transaction before anything prints, each page's serials are marked as
// the page reaches the output (sending when handed over, sent once the
// output has it), and the job ends printed, failed or cancelled, so the
// journal holds what really went out and frees the rest.
//
// Every print path uses the same pieces: the command line, the main window
// and its print preview's Print button, the journal window's reprints, and
// the LTO window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "journal/JobLog.h"
#include "printing/PrintJob.h"

namespace vantor {

// The serials of a job page by page: page i holds pages[i].
using TPageSerials = std::vector<std::vector<journal::TSerialRange>>;

// How a job's pages reach its output.
enum class TDelivery {
  EachPage,     // a page is out once the next one begins or the document ends
  AtEndDoc,     // the whole document goes out in EndDoc (a printer's spool file; each EndDoc for LTO pages)
  AfterEndDoc,  // the document goes out after EndDoc, in TJournalledRun::Deliver (a PDF or trace put in place)
};

// The delivery of a job going to `destination`.
TDelivery DeliveryFor(TOutputKind destination);

// A job that records its pages in the journal as they reach the inner job's
// output. A page's serials go sending before the page is handed over and
// sent once the output has it, or back to reserved when the output reports
// that the hand-over failed (it took nothing); only a process that dies in
// between leaves them sending, in doubt. A journal that cannot record stops
// the job (the exception is passed on) before the page is handed over.
class TJournalledJob : public TPrintJob {
 public:
  TJournalledJob(TPrintJob& inner, journal::TJobLog& log, std::int64_t jobId, TPageSerials pages, TDelivery delivery);

  bool ShowDialog() override { return inner_.ShowDialog(); }
  void SetPortrait() override { inner_.SetPortrait(); }
  void SetTitle(const std::string& title) override { inner_.SetTitle(title); }
  void SetCopies(int copies) override { inner_.SetCopies(copies); }
  void BeginDoc() override;
  TSurface& Page() override { return inner_.Page(); }
  void NewPage() override;
  void EndDoc() override;
  void AbortDoc() override;
  TJobDestination Destination() const override { return inner_.Destination(); }

  // Marks the pages begun and not yet handed over sending, runs `put` (which
  // puts the document in place), then marks them sent.
  void Deliver(const std::function<void()>& put);

 private:
  // Pages [handed_, upTo) handed over, then confirmed by `hand` returning.
  void HandOver(int upTo, const std::function<void()>& hand);
  std::vector<journal::TSerialRange> SerialsOf(int from, int to) const;

  TPrintJob& inner_;
  journal::TJobLog& log_;
  std::int64_t jobId_;
  TPageSerials pages_;
  TDelivery delivery_;
  int begun_ = 0;   // pages begun
  int handed_ = 0;  // pages marked sending
  int sent_ = 0;    // pages marked sent
};

// One journalled print run: reserve, draw on Job(), deliver, end. Without a
// journal (a null log: --no-journal) every step passes straight through.
class TJournalledRun {
 public:
  TJournalledRun(journal::TJobLog* log, journal::TJobRequest request, TPageSerials pages);
  // A job reserved and never ended ends failed: what was sent stays recorded.
  ~TJournalledRun();
  TJournalledRun(const TJournalledRun&) = delete;
  TJournalledRun& operator=(const TJournalledRun&) = delete;

  bool Journalled() const { return log_ != nullptr; }
  const journal::TJobRequest& Request() const { return request_; }
  // Reserves every serial of the job in one transaction; false when refused,
  // Conflicts() saying why. `reprint`: a deliberate reprint of serials
  // printed before. Throws the journal's errors (std::runtime_error).
  bool Reserve(bool reprint = false);
  const std::vector<journal::TConflict>& Conflicts() const { return conflicts_; }
  std::int64_t JobId() const { return jobId_; }

  // The job to draw on: `inner` with the journal's marks, or `inner` itself
  // when not journalled. Call once, after Reserve granted.
  TPrintJob& Job(TPrintJob& inner, TDelivery delivery);
  // After the last page: `put` puts the document in place (a PDF renamed, a
  // trace written); pages not yet confirmed are marked around it.
  void Deliver(const std::function<void()>& put);
  // Ends the journal's job: printed (everything handed over is sent),
  // failed or cancelled (reserved serials freed, sent ones kept). Throws the
  // journal's errors.
  void End(journal::TJobOutcome outcome);
  // End, but a journal error comes back as its message instead.
  std::optional<std::string> EndQuietly(journal::TJobOutcome outcome);

 private:
  journal::TJobLog* log_;
  journal::TJobRequest request_;
  TPageSerials pages_;
  std::vector<journal::TConflict> conflicts_;
  std::int64_t jobId_ = 0;
  bool ended_ = false;
  std::optional<TJournalledJob> job_;
};

// `text` as the journal can keep it: control characters and bytes that are
// no UTF-8 replaced by '?', `unnamed` for nothing.
std::string JournalText(std::string text, const char* unnamed);
// All serials of a job, joined.
std::vector<journal::TSerialRange> AllSerials(const TPageSerials& pages);

}  // namespace vantor
