#include "journal/JournalRow.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

namespace vantor::journal {

namespace {

constexpr std::size_t kMaxName = kMaxRowName;
constexpr std::size_t kMaxTarget = kMaxRowTarget;
// Times from 1970 to the year 9999.
constexpr std::int64_t kMaxTime = 253402300799;

std::string Quoted(const std::string& value) {
  std::string shown;
  for (char c : value.substr(0, 40)) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f || u >= 0x80) {
      static const char hex[] = "0123456789abcdef";
      shown += "\\x";
      shown += hex[u >> 4];
      shown += hex[u & 15];
    } else {
      shown += c;
    }
  }
  if (value.size() > 40) shown += "...";
  return "'" + shown + "'";
}

std::optional<std::int64_t> ParseInteger(const std::string& text, std::int64_t lo, std::int64_t hi) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  std::size_t i = 0;
  const bool negative = text[0] == '-';
  if (negative) i = 1;
  // 18 digits at most, so the sum below cannot overflow; every bound the
  // columns use is far smaller.
  if (i == text.size() || text.size() - i > 18) return std::nullopt;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    v = v * 10 + (text[i] - '0');
  }
  if (negative) v = -v;
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

struct TChar {
  std::uint32_t cp = 0;
  std::size_t size = 1;
  bool valid = false;  // false: a byte that starts no UTF-8 character (size 1)
};

TChar DecodeAt(const std::string& text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c < 0x80) return {c, 1, true};
  std::size_t extra = 0;
  std::uint32_t cp = 0;
  if ((c & 0xe0) == 0xc0) {
    extra = 1;
    cp = c & 0x1fu;
  } else if ((c & 0xf0) == 0xe0) {
    extra = 2;
    cp = c & 0x0fu;
  } else if ((c & 0xf8) == 0xf0) {
    extra = 3;
    cp = c & 0x07u;
  } else {
    return {};
  }
  if (i + extra >= text.size()) return {};  // cut short
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto cc = static_cast<unsigned char>(text[i + k]);
    if ((cc & 0xc0) != 0x80) return {};
    cp = (cp << 6) | (cc & 0x3fu);
  }
  constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[extra] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return {};  // overlong, surrogate
  return {cp, extra + 1, true};
}

// Not a control character, and nothing that would disguise what is shown
// (line breaks, direction overrides).
bool IsShown(std::uint32_t cp) {
  if (cp < 0x20 || cp == 0x7f || (cp >= 0x80 && cp <= 0x9f)) return false;
  return !(cp == 0x2028 || cp == 0x2029 || (cp >= 0x202a && cp <= 0x202e) || (cp >= 0x2066 && cp <= 0x2069));
}

// Reads columns of one row, keeping the first problem.
class TReader {
 public:
  explicit TReader(std::string row) : row_(std::move(row)) {}

  std::optional<std::string> Text(const std::optional<std::string>& v, const char* column, std::size_t maxSize,
                                  bool mayBeEmpty = false) {
    if (!Present(v, column)) return std::nullopt;
    if ((!mayBeEmpty && v->empty()) || v->size() > maxSize || !IsDisplayText(*v))
      return Fail(column, *v, mayBeEmpty ? "is not printable text" : "is empty or not printable text");
    return v;
  }
  std::optional<std::int64_t> Integer(const std::optional<std::string>& v, const char* column, std::int64_t lo,
                                      std::int64_t hi) {
    if (!Present(v, column)) return std::nullopt;
    const auto n = ParseInteger(*v, lo, hi);
    if (!n)
      return Fail(column, *v, ("is not a number from " + std::to_string(lo) + " to " + std::to_string(hi)).c_str());
    return n;
  }
  template <class E, class F>
  std::optional<E> Word(const std::optional<std::string>& v, const char* column, F named) {
    if (!Present(v, column)) return std::nullopt;
    const std::optional<E> e = named(*v);
    if (!e) return Fail(column, *v, "is not a known value");
    return e;
  }

  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  std::nullopt_t Problem(const std::string& what) {
    if (error_.empty()) error_ = row_ + ": " + what;
    return std::nullopt;
  }

 private:
  bool Present(const std::optional<std::string>& v, const char* column) {
    if (v) return true;
    Problem(std::string(column) + " is missing");
    return false;
  }
  std::nullopt_t Fail(const char* column, const std::string& value, const char* why) {
    return Problem(std::string(column) + " " + Quoted(value) + " " + why);
  }

  std::string row_;
  std::string error_;
};

std::string RowName(const char* table, const std::optional<std::string>& id) {
  if (id && ParseInteger(*id, 1, std::numeric_limits<std::int64_t>::max()))
    return std::string("journal ") + table + " row " + *id;
  return std::string("a journal ") + table + " row";
}

}  // namespace

bool IsDisplayText(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const TChar c = DecodeAt(text, i);
    if (!c.valid || !IsShown(c.cp)) return false;
    i += c.size;
  }
  return true;
}

std::string StorableText(const std::string& text, std::size_t maxBytes, const char* empty) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  std::vector<std::size_t> ends;  // where each character's text ends, to cut between them
  for (std::size_t i = 0; i < text.size();) {
    const TChar c = DecodeAt(text, i);
    if (c.valid && IsShown(c.cp)) {
      out.append(text, i, c.size);
    } else if (!c.valid || c.cp < 0x80) {
      const auto u = static_cast<unsigned char>(text[i]);
      out += "\\x";
      out += hex[u >> 4];
      out += hex[u & 15];
    } else {
      std::string digits;
      for (std::uint32_t v = c.cp; v; v >>= 4) digits.insert(digits.begin(), hex[v & 15]);
      out += "\\u{" + digits + "}";
    }
    ends.push_back(out.size());
    i += c.size;
  }
  if (out.empty()) return empty;
  if (out.size() <= maxBytes) return out;
  const std::size_t room = maxBytes < 3 ? 0 : maxBytes - 3;
  std::size_t cut = 0;
  for (std::size_t e : ends) {
    if (e > room) break;
    cut = e;
  }
  return out.substr(0, cut) + "...";
}

TRawJobRow NewJobRow(const TJobRequest& request, const TProcessIdentity& self, std::int64_t now) {
  TRawJobRow row;
  row.startedAt = std::to_string(now);
  row.leaseUntil = std::to_string(now + kLeaseSeconds);
  // The web service names who asked and from where; anyone else is this process.
  row.user = StorableText(request.user.empty() ? self.user : request.user, kMaxName, "?");
  row.host = StorableText(request.host.empty() ? self.host : request.host, kMaxName, "?");
  row.pid = std::to_string(std::clamp<std::int64_t>(self.pid, 0, std::numeric_limits<std::int32_t>::max()));
  row.processToken = StorableText(self.token, kMaxName, "");
  row.family = std::string(NameOf(request.family));
  row.media = StorableText(request.media, kMaxName, "");
  row.outputKind = std::string(NameOf(request.output));
  row.outputTarget = StorableText(request.target, kMaxTarget, "(unnamed)");
  row.outcome = std::string(NameOf(TJobOutcome::Reserved));
  row.reprint = request.reprint ? "1" : "0";
  return row;
}

TJobRecord UnreadableJob(const TRawJobRow& row, std::int64_t id) {
  // Each field on its own: one bad column must not hide the others.
  const auto field = [](auto read) {
    TReader r("");
    return read(r);
  };
  TJobRecord job;
  job.id = id;
  job.user = "unreadable row " + std::to_string(id);
  job.startedAt = field([&](TReader& r) { return r.Integer(row.startedAt, "", 0, kMaxTime); }).value_or(0);
  job.host = field([&](TReader& r) { return r.Text(row.host, "", kMaxName); }).value_or("?");
  job.media = field([&](TReader& r) { return r.Text(row.media, "", kMaxName); }).value_or("?");
  job.target = field([&](TReader& r) { return r.Text(row.outputTarget, "", kMaxTarget); }).value_or("?");
  if (const auto f = field([&](TReader& r) { return r.Word<TTapeFamily>(row.family, "", FamilyNamed); }))
    job.family = *f;
  if (const auto o = field([&](TReader& r) { return r.Word<TOutputKind>(row.outputKind, "", OutputNamed); }))
    job.output = *o;
  job.reprint = field([&](TReader& r) { return r.Integer(row.reprint, "", 0, 1); }).value_or(0) == 1;
  const auto outcome = field([&](TReader& r) { return r.Word<TJobOutcome>(row.outcome, "", OutcomeNamed); });
  job.outcome = outcome && !IsRunning(*outcome) ? *outcome : TJobOutcome::Interrupted;
  job.finishedAt = std::max(job.startedAt,
                            field([&](TReader& r) { return r.Integer(row.finishedAt, "", 0, kMaxTime); }).value_or(0));
  return job;
}

TParsed<TJobRecord> ParseJobRow(const TRawJobRow& row) {
  TReader r(RowName("job", row.id));
  TJobRecord job;
  const auto id = r.Integer(row.id, "id", 1, std::numeric_limits<std::int64_t>::max());
  const auto started = r.Integer(row.startedAt, "started_at", 0, kMaxTime);
  const auto finished = row.finishedAt ? r.Integer(row.finishedAt, "finished_at", 0, kMaxTime) : 0;
  const auto lease = r.Integer(row.leaseUntil, "lease_until", 0, kMaxTime);
  const auto user = r.Text(row.user, "user_name", kMaxName);
  const auto host = r.Text(row.host, "host", kMaxName);
  const auto pid = r.Integer(row.pid, "pid", 0, std::numeric_limits<std::int32_t>::max());
  const auto token = r.Text(row.processToken, "process_token", kMaxName, true);
  const auto family = r.Word<TTapeFamily>(row.family, "family", FamilyNamed);
  const auto media = r.Text(row.media, "media", kMaxName, true);
  const auto output = r.Word<TOutputKind>(row.outputKind, "output_kind", OutputNamed);
  const auto target = r.Text(row.outputTarget, "output_target", kMaxTarget);
  const auto outcome = r.Word<TJobOutcome>(row.outcome, "outcome", OutcomeNamed);
  const auto reprint = r.Integer(row.reprint, "reprint", 0, 1);
  if (r.Ok() && IsRunning(*outcome) == (*finished != 0))
    r.Problem("finished_at " + std::to_string(*finished) + " does not go with the outcome " +
              std::string(NameOf(*outcome)));
  if (r.Ok() && *finished != 0 && *finished < *started)
    r.Problem("finished_at " + std::to_string(*finished) + " is before started_at " + std::to_string(*started));
  if (!r.Ok()) return {std::nullopt, r.Error()};
  job.id = *id;
  job.startedAt = *started;
  job.finishedAt = *finished;
  job.leaseUntil = *lease;
  job.user = *user;
  job.host = *host;
  job.pid = *pid;
  job.processToken = *token;
  job.family = *family;
  job.media = *media;
  job.output = *output;
  job.target = *target;
  job.outcome = *outcome;
  job.reprint = *reprint == 1;
  return {std::move(job), {}};
}

TParsed<TParsedRange> ParseRangeRow(const TRawRangeRow& row) {
  TReader r(row.jobId ? RowName("range", row.jobId) + " (job " + *row.jobId + ")" : "a journal range row");
  const auto job = r.Integer(row.jobId, "job_id", 1, std::numeric_limits<std::int64_t>::max());
  const auto prefix = r.Text(row.prefix, "prefix", kMaxSerialLength, true);
  const auto width = r.Integer(row.width, "width", 0, static_cast<std::int64_t>(kMaxSerialLength));
  const auto first = r.Integer(row.first, "first_number", 0, 999999);
  const auto last = r.Integer(row.last, "last_number", 0, 999999);
  const auto state = r.Word<TPieceState>(row.state, "state", PieceStateNamed);
  TParsedRange out;
  if (r.Ok()) {
    out.jobId = *job;
    out.piece.range = {*prefix, static_cast<int>(*width), static_cast<int>(*first), static_cast<int>(*last)};
    out.piece.state = *state;
    if (!IsCanonical(out.piece.range))
      r.Problem("prefix " + Quoted(*prefix) + ", width " + std::to_string(*width) + ", numbers " +
                std::to_string(*first) + " to " + std::to_string(*last) + " are no range of serials");
    else if (out.piece.range.Count() > kMaxRowSpan)
      r.Problem("numbers " + std::to_string(*first) + " to " + std::to_string(*last) + " span more than " +
                std::to_string(kMaxRowSpan));
  }
  if (!r.Ok()) return {std::nullopt, r.Error()};
  return {std::move(out), {}};
}

std::optional<std::string> AttachPieces(TJobRecord& job, std::vector<TRangePiece> pieces) {
  std::vector<TSerialRange> all;
  for (const TRangePiece& p : pieces) all.push_back(p.range);
  std::sort(all.begin(), all.end(), [](const TSerialRange& a, const TSerialRange& b) {
    return std::tie(a.prefix, a.width, a.first) < std::tie(b.prefix, b.width, b.first);
  });
  for (std::size_t i = 1; i < all.size(); ++i)
    if (Overlaps(all[i - 1], all[i]))
      return "journal job row " + std::to_string(job.id) + ": serial " + SerialAt(all[i], all[i].first) +
             " is recorded twice";
  job.pieces = std::move(pieces);
  return std::nullopt;
}

}  // namespace vantor::journal
