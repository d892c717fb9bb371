// Journal rows read back from the database, checked before they are used. A
// shared journal is outside input: any client could have written any value in
// any column, so every field is read from its text form and held to its
// rules, and a row that breaks one is refused with a message naming the row,
// the column and the value, never taken half-way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/JobLog.h"
#include "journal/JobRecord.h"
#include "journal/Process.h"

namespace vantor::journal {

// The longest text a row keeps, in bytes: user, host, media and token; a
// printer's name or a file's path.
inline constexpr std::size_t kMaxRowName = 256;
inline constexpr std::size_t kMaxRowTarget = 4096;

// Columns as text (NULL: nothing), in the order of the job table.
struct TRawJobRow {
  std::optional<std::string> id, startedAt, finishedAt, leaseUntil, user, host, pid, processToken, family, media,
      outputKind, outputTarget, outcome, reprint;
};
struct TRawRangeRow {
  std::optional<std::string> jobId, prefix, width, first, last, state;
};

template <class T>
struct TParsed {
  std::optional<T> value;
  std::string error;  // set when value is empty
};

struct TParsedRange {
  std::int64_t jobId = 0;
  TRangePiece piece;
};

// A job without its pieces.
TParsed<TJobRecord> ParseJobRow(const TRawJobRow& row);
TParsed<TParsedRange> ParseRangeRow(const TRawRangeRow& row);
// Adds the pieces to the job: refused when two of them share a serial.
std::optional<std::string> AttachPieces(TJobRecord& job, std::vector<TRangePiece> pieces);

// A job whose row cannot be read, to show in its place: what parses is kept,
// the user reads "unreadable row N", other text "?". Never taken for running:
// nothing can tell whether its process lives, and a deliberate reprint must
// stay possible.
TJobRecord UnreadableJob(const TRawJobRow& row, std::int64_t id);

// `text` as a row keeps it, so that it always reads back: characters
// IsDisplayText refuses (and bytes that are no UTF-8) written as \xNN or
// \u{NNNN}, cut to `maxBytes` with "..." at the end, `empty` for nothing.
std::string StorableText(const std::string& text, std::size_t maxBytes, const char* empty);
// The row a new job is stored as (id and finished_at NULL): every text field
// storable.
TRawJobRow NewJobRow(const TJobRequest& request, const TProcessIdentity& self, std::int64_t now);

// Text that may be shown on a terminal or in a window: valid UTF-8, no control
// characters (an escape sequence from a shared journal must not reach them).
bool IsDisplayText(const std::string& text);

}  // namespace vantor::journal
