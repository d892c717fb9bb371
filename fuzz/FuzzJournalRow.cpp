// Journal rows as any client of a shared database could write them: a job
// row and range rows built from arbitrary bytes. Parsing never crashes; what
// it accepts holds to the rules (canonical ranges within their bounds,
// printable text, outcome and finish time agreeing), reads back the same when
// written out again, and its conflict message can be built.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "journal/JournalRow.h"

using namespace vantor::journal;

namespace {

// Fields are separated by 0x1f; a field of the single byte 0x00 is NULL.
std::vector<std::optional<std::string>> Fields(const std::uint8_t* data, std::size_t size) {
  std::vector<std::optional<std::string>> out(1, std::string());
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0x1f) {
      out.emplace_back(std::string());
    } else {
      out.back()->push_back(static_cast<char>(data[i]));
    }
  }
  for (auto& f : out)
    if (f && *f == std::string(1, '\0')) f.reset();
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto f = Fields(data, size);
  f.resize(14 + 6 * 3, std::string("0"));
  std::size_t k = 0;
  TRawJobRow job;
  for (auto* field :
       {&job.id, &job.startedAt, &job.finishedAt, &job.leaseUntil, &job.user, &job.host, &job.pid, &job.processToken,
        &job.family, &job.media, &job.outputKind, &job.outputTarget, &job.outcome, &job.reprint})
    *field = f[k++];

  const TParsed<TJobRecord> parsed = ParseJobRow(job);
  FUZZ_CHECK(parsed.value.has_value() != !parsed.error.empty());
  std::vector<TRangePiece> pieces;
  for (int r = 0; r < 3; ++r) {
    const TRawRangeRow raw{f[k], f[k + 1], f[k + 2], f[k + 3], f[k + 4], f[k + 5]};
    k += 6;
    const TParsed<TParsedRange> range = ParseRangeRow(raw);
    FUZZ_CHECK(range.value.has_value() != !range.error.empty());
    if (!range.value) continue;
    const TSerialRange& s = range.value->piece.range;
    FUZZ_CHECK(IsCanonical(s) && s.Count() >= 1 && s.Count() <= kMaxRowSpan);
    // Each end is a serial that splits back into itself.
    for (int n : {s.first, s.last}) {
      const auto back = SplitSerial(SerialAt(s, n));
      FUZZ_CHECK(back && back->prefix == s.prefix && back->width == s.width && back->first == n);
    }
    FUZZ_CHECK(
        ParseRangeRow({std::to_string(range.value->jobId), s.prefix, std::to_string(s.width), std::to_string(s.first),
                       std::to_string(s.last), std::string(NameOf(range.value->piece.state))})
            .value->piece == range.value->piece);
    pieces.push_back(range.value->piece);
  }
  if (!parsed.value) return 0;
  TJobRecord j = *parsed.value;
  FUZZ_CHECK(IsDisplayText(j.user) && IsDisplayText(j.host) && IsDisplayText(j.target) && !j.user.empty());
  FUZZ_CHECK(IsRunning(j.outcome) == (j.finishedAt == 0));
  if (AttachPieces(j, pieces)) return 0;
  for (const TRangePiece& p : j.pieces) {
    const std::string said = DescribeConflict({p.range, p.state, j});
    FUZZ_CHECK(said.starts_with(SerialAt(p.range, p.range.first)));
    FUZZ_CHECK(IsDisplayText(said));
  }
  return 0;
}
