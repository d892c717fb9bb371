// What a print path needs of the journal: reserve a job's serials, mark them
// as its pages go out, end the job. The store on Qt SQL implements it; the
// print paths and their tests see only this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "journal/JobRecord.h"

namespace vantor::journal {

struct TJobRequest {
  TTapeFamily family = TTapeFamily::Dlt;
  std::string media;
  TOutputKind output = TOutputKind::Pdf;
  std::string target;
  std::vector<TSerialRange> ranges;
  bool reprint = false;  // deliberate: serials printed before may print again
  // Who asked and from where, when not this process's user on this host (the
  // web service's token name and its client's address); empty: the
  // process's. A job recorded for another host is judged by its lease.
  std::string user;
  std::string host;
};

struct TReservation {
  std::int64_t jobId = 0;  // 0: refused
  std::vector<TConflict> conflicts;
  bool Granted() const { return jobId != 0; }
};

// Refused only by serials printed (or maybe printed) before, none held by a
// job still running: a deliberate reprint would be granted.
bool ReprintWouldPass(const std::vector<TConflict>& conflicts);

class TJobLog {
 public:
  virtual ~TJobLog() = default;
  // Every serial of the job in one transaction, or none.
  virtual TReservation Reserve(const TJobRequest& request) = 0;
  // Serials handed to the output, and confirmed by it.
  virtual void MarkSending(std::int64_t jobId, const TSerialRange& serials) = 0;
  virtual void MarkSent(std::int64_t jobId, const TSerialRange& serials) = 0;
  // Serials whose hand-over the output reported failed (it took nothing):
  // back from sending to reserved, so the job's end frees them.
  virtual void MarkRefused(std::int64_t jobId, const TSerialRange& serials) = 0;
  // A sign of life of a running job, with every page: keeps its lease.
  virtual void Renew(std::int64_t /*jobId*/) {}
  // printed, failed or cancelled: reserved serials are freed.
  virtual void Finish(std::int64_t jobId, TJobOutcome outcome) = 0;
};

}  // namespace vantor::journal
