// One print job as the journal keeps it, the states of its serials, and the
// operator's explanation when a job's serials are taken already.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/SerialRange.h"

namespace vantor::journal {

// reserved: serials held, nothing sent yet; printing: pages are going out;
// printed / failed / cancelled: ended by the program; interrupted: the process
// died (or lost its lease) while the job was reserved or printing.
enum class TJobOutcome { Reserved, Printing, Printed, Failed, Cancelled, Interrupted };
enum class TOutputKind { Printer, Pdf, Trace };
// What happened to each serial of a job. reserved: held for the job; sending:
// handed to the output, not yet confirmed (after a failure or a kill: in doubt,
// it may have printed, so it stays taken); sent: reached the output; freed:
// released unsent when the job ended.
enum class TPieceState { Reserved, Sending, Sent, Freed };

std::string_view NameOf(TTapeFamily family);   // "DLT", "LTO"
std::string_view NameOf(TJobOutcome outcome);  // "reserved", "printing", ...
std::string_view NameOf(TOutputKind kind);     // "printer", "pdf", "trace"
std::string_view NameOf(TPieceState state);    // "reserved", "sending", "sent", "freed"
std::optional<TTapeFamily> FamilyNamed(std::string_view name);
std::optional<TJobOutcome> OutcomeNamed(std::string_view name);
std::optional<TOutputKind> OutputNamed(std::string_view name);
std::optional<TPieceState> PieceStateNamed(std::string_view name);

// Still holding its reserved serials: reserved or printing.
bool IsRunning(TJobOutcome outcome);

struct TRangePiece {
  TSerialRange range;
  TPieceState state = TPieceState::Reserved;
  bool operator==(const TRangePiece&) const = default;
};

struct TJobRecord {
  std::int64_t id = 0;
  std::int64_t startedAt = 0;   // Unix seconds
  std::int64_t finishedAt = 0;  // 0 while running
  std::int64_t leaseUntil = 0;  // Unix seconds; a running job past it on another host is taken for dead
  std::string user;
  std::string host;
  std::int64_t pid = 0;
  std::string processToken;  // tells a reused pid from the job's own process
  std::string machine;       // where the pid names the job's process (machine, boot, pid namespace)
  TTapeFamily family = TTapeFamily::Dlt;
  std::string media;  // DLT: the media kind (dlt4, cleaning, ...); LTO: the media ID (L6, ...)
  TOutputKind output = TOutputKind::Pdf;
  std::string target;  // the printer's name, the PDF or the trace file
  TJobOutcome outcome = TJobOutcome::Reserved;
  bool reprint = false;
  // What the job's own process did after another had declared it
  // interrupted (its outcome is kept): empty for none.
  std::string conflict;
  std::vector<TRangePiece> pieces;

  // The serials in one state, joined.
  std::vector<TSerialRange> RangesIn(TPieceState state) const;
};

// Serials of a new job that are taken by an earlier one.
struct TConflict {
  TSerialRange serials;  // the serials taken, within the new job's
  TPieceState state = TPieceState::Sent;
  TJobRecord job;  // the job holding them (its pieces may be left empty)

  // Held by a running job: a deliberate reprint does not override this.
  bool HeldByRunningJob() const;
};

// "2026-12-01 14:02" in the local time zone.
std::string FormatMinute(std::int64_t unixSeconds);
// "printer Office-1", "the PDF file /x.pdf", "the trace file /x.trace".
std::string DescribeOutput(TOutputKind kind, const std::string& target, const TTranslate& translate = {});
// One line for the operator, e.g. "ABC110 to ABC115 were printed on
// 2026-12-01 14:02 by ops on tapehost to printer Office-1".
std::string DescribeConflict(const TConflict& conflict);

// A job the journal found interrupted, for the operator: "Job 12 (DLT dlt4,
// started on 2026-12-01 14:02 by ops on tapehost for printer Office-1) was
// interrupted: ABC100 to ABC129 were sent; ABC130 to ABC159 may have been
// sent." (or "nothing was sent").
std::string DescribeInterrupted(const TJobRecord& job);
// One job a line for `vantor --journal-list`, fields separated by tabs: id,
// started (YYYY-MM-DD HH:MM, local time), user, host, family, media, serials
// (FIRST[-LAST]:STATE, separated by spaces), outcome, reprint or -, output
// kind, output target; and the conflict when there is one.
std::string FormatJobLine(const TJobRecord& job);

// Moves the serials of `range` in `pieces` to `to`: reserved to sending;
// reserved, sending or freed to sent (what reached the output is recorded
// even after the job was given up); sending back to reserved (the output
// reported that it took nothing). Pieces are split where the range cuts
// them. Returns the part of `range` that is no piece of the job.
std::vector<TSerialRange> MarkPieces(std::vector<TRangePiece>& pieces, const TSerialRange& range, TPieceState to);
// The end of a job: reserved serials are freed; those sending become sent when
// the job printed, and otherwise stay in doubt.
void FinishPieces(std::vector<TRangePiece>& pieces, TJobOutcome outcome);

}  // namespace vantor::journal
