#include "printing/JournalledJob.h"

#include <map>

#include "journal/JournalRow.h"

namespace vantor {

using journal::TJobOutcome;
using journal::TSerialRange;

TDelivery DeliveryFor(TOutputKind destination) {
  // Qt's printers spool the whole document and hand it over when it ends;
  // files are written beside their place and moved into it afterwards.
  return destination == TOutputKind::Printer ? TDelivery::AtEndDoc : TDelivery::AfterEndDoc;
}

TJournalledJob::TJournalledJob(TPrintJob& inner, journal::TJobLog& log, std::int64_t jobId, TPageSerials pages,
                               TDelivery delivery)
    : inner_(inner), log_(log), jobId_(jobId), pages_(std::move(pages)), delivery_(delivery) {}

std::vector<TSerialRange> TJournalledJob::SerialsOf(int from, int to) const {
  std::vector<TSerialRange> serials;
  for (int i = from; i < to && i < static_cast<int>(pages_.size()); ++i)
    for (const TSerialRange& r : pages_[static_cast<std::size_t>(i)]) serials.push_back(r);
  return journal::Merge(std::move(serials));
}

void TJournalledJob::HandOver(int upTo, const std::function<void()>& hand) {
  for (const TSerialRange& r : SerialsOf(handed_, upTo)) log_.MarkSending(jobId_, r);
  handed_ = std::max(handed_, upTo);
  try {
    hand();
  } catch (...) {
    // The output says it took nothing (a failed job prints nothing, and the
    // window prints the same labels again): those serials are not in doubt.
    // Only a process that dies here leaves them sending.
    try {
      for (const TSerialRange& r : SerialsOf(sent_, upTo)) log_.MarkRefused(jobId_, r);
      handed_ = sent_;
    } catch (...) {
    }
    throw;
  }
  for (const TSerialRange& r : SerialsOf(sent_, upTo)) log_.MarkSent(jobId_, r);
  sent_ = std::max(sent_, upTo);
}

void TJournalledJob::BeginDoc() {
  log_.Renew(jobId_);
  inner_.BeginDoc();
  ++begun_;
}

void TJournalledJob::NewPage() {
  // A sign of life with every page: a job marked only at its end (a
  // printer's spool, a PDF) keeps its serials however long it draws.
  log_.Renew(jobId_);
  if (delivery_ == TDelivery::EachPage)
    HandOver(begun_, [this] { inner_.NewPage(); });
  else
    inner_.NewPage();
  ++begun_;
}

void TJournalledJob::EndDoc() {
  if (delivery_ == TDelivery::AfterEndDoc)
    inner_.EndDoc();
  else
    HandOver(begun_, [this] { inner_.EndDoc(); });
}

void TJournalledJob::AbortDoc() { inner_.AbortDoc(); }

void TJournalledJob::Deliver(const std::function<void()>& put) {
  HandOver(begun_, [&] {
    if (put) put();
  });
}

std::string JournalText(std::string text, const char* unnamed) {
  // The journal holds only text it can show again (rows are checked when read
  // back): control characters and bytes that are no UTF-8 become '?'.
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  if (!journal::IsDisplayText(text))
    for (char& c : text)
      if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  return text.empty() ? unnamed : text;
}

TJournalledRun::TJournalledRun(journal::TJobLog* log, journal::TJobRequest request, TPageSerials pages)
    : log_(log), request_(std::move(request)), pages_(std::move(pages)) {
  if (request_.ranges.empty()) request_.ranges = AllSerials(pages_);
  request_.target = JournalText(std::move(request_.target), "(unnamed)");
}

TJournalledRun::~TJournalledRun() {
  if (!ended_) EndQuietly(TJobOutcome::Failed);
}

bool TJournalledRun::Reserve(bool reprint) {
  if (!log_) return true;
  request_.reprint = reprint;
  journal::TReservation r = log_->Reserve(request_);
  conflicts_ = std::move(r.conflicts);
  jobId_ = r.jobId;
  return r.Granted();
}

TPrintJob& TJournalledRun::Job(TPrintJob& inner, TDelivery delivery) {
  if (!log_ || !jobId_) return inner;
  job_.emplace(inner, *log_, jobId_, pages_, delivery);
  return *job_;
}

void TJournalledRun::Deliver(const std::function<void()>& put) {
  if (job_)
    job_->Deliver(put);
  else if (put)
    put();
}

void TJournalledRun::End(TJobOutcome outcome) {
  ended_ = true;
  if (log_ && jobId_) log_->Finish(jobId_, outcome);
}

std::optional<std::string> TJournalledRun::EndQuietly(TJobOutcome outcome) {
  try {
    End(outcome);
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::vector<TSerialRange> AllSerials(const TPageSerials& pages) {
  std::vector<TSerialRange> all;
  for (const auto& page : pages) all.insert(all.end(), page.begin(), page.end());
  return journal::Merge(std::move(all));
}

}  // namespace vantor
