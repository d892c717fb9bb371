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

#include "journal/JobRecord.h"

namespace vantor::journal {

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

// Text that may be shown on a terminal or in a window: valid UTF-8, no control
// characters (an escape sequence from a shared journal must not reach them).
bool IsDisplayText(const std::string& text);

}  // namespace vantor::journal
