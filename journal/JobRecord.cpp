#include "journal/JobRecord.h"

#include "journal/JobLog.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <tuple>
#include <utility>

namespace vantor::journal {

namespace {

template <class E, std::size_t N>
std::optional<E> Named(const std::array<std::pair<E, std::string_view>, N>& table, std::string_view name) {
  for (const auto& [value, text] : table)
    if (text == name) return value;
  return std::nullopt;
}

template <class E, std::size_t N>
std::string_view NameIn(const std::array<std::pair<E, std::string_view>, N>& table, E value) {
  for (const auto& [v, text] : table)
    if (v == value) return text;
  return "?";
}

constexpr std::array<std::pair<TTapeFamily, std::string_view>, 2> kFamilies{
    {{TTapeFamily::Dlt, "DLT"}, {TTapeFamily::Lto, "LTO"}}};
constexpr std::array<std::pair<TJobOutcome, std::string_view>, 6> kOutcomes{
    {{TJobOutcome::Reserved, "reserved"},
     {TJobOutcome::Printing, "printing"},
     {TJobOutcome::Printed, "printed"},
     {TJobOutcome::Failed, "failed"},
     {TJobOutcome::Cancelled, "cancelled"},
     {TJobOutcome::Interrupted, "interrupted"}}};
constexpr std::array<std::pair<TOutputKind, std::string_view>, 3> kOutputs{
    {{TOutputKind::Printer, "printer"}, {TOutputKind::Pdf, "pdf"}, {TOutputKind::Trace, "trace"}}};
constexpr std::array<std::pair<TPieceState, std::string_view>, 4> kStates{{{TPieceState::Reserved, "reserved"},
                                                                           {TPieceState::Sending, "sending"},
                                                                           {TPieceState::Sent, "sent"},
                                                                           {TPieceState::Freed, "freed"}}};

}  // namespace

std::string_view NameOf(TTapeFamily v) { return NameIn(kFamilies, v); }
std::string_view NameOf(TJobOutcome v) { return NameIn(kOutcomes, v); }
std::string_view NameOf(TOutputKind v) { return NameIn(kOutputs, v); }
std::string_view NameOf(TPieceState v) { return NameIn(kStates, v); }
std::optional<TTapeFamily> FamilyNamed(std::string_view n) { return Named(kFamilies, n); }
std::optional<TJobOutcome> OutcomeNamed(std::string_view n) { return Named(kOutcomes, n); }
std::optional<TOutputKind> OutputNamed(std::string_view n) { return Named(kOutputs, n); }
std::optional<TPieceState> PieceStateNamed(std::string_view n) { return Named(kStates, n); }

bool IsRunning(TJobOutcome outcome) { return outcome == TJobOutcome::Reserved || outcome == TJobOutcome::Printing; }

std::vector<TSerialRange> TJobRecord::RangesIn(TPieceState state) const {
  std::vector<TSerialRange> out;
  for (const TRangePiece& p : pieces)
    if (p.state == state) out.push_back(p.range);
  return Merge(std::move(out));
}

bool TConflict::HeldByRunningJob() const {
  return IsRunning(job.outcome) && (state == TPieceState::Reserved || state == TPieceState::Sending);
}

bool ReprintWouldPass(const std::vector<TConflict>& conflicts) {
  for (const TConflict& c : conflicts)
    if (c.HeldByRunningJob()) return false;
  return true;
}

std::string FormatMinute(std::int64_t unixSeconds) {
  const std::time_t t = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  char text[32] = "?";
  if (localtime_r(&t, &local)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

std::string DescribeOutput(TOutputKind kind, const std::string& target, const TTranslate& translate) {
  switch (kind) {
    case TOutputKind::Printer: return Fill(translate, VANTOR_TEXT("vantor::journal", "printer %1"), {target});
    case TOutputKind::Pdf: return Fill(translate, VANTOR_TEXT("vantor::journal", "the PDF file %1"), {target});
    case TOutputKind::Trace: return Fill(translate, VANTOR_TEXT("vantor::journal", "the trace file %1"), {target});
  }
  return target;
}

std::string DescribeConflict(const TConflict& c) {
  const bool one = c.serials.first == c.serials.last;
  const std::string serials = DescribeRange(c.serials);
  const std::string when = FormatMinute(c.job.startedAt);
  const std::string who = " by " + c.job.user + " on " + c.job.host;
  const std::string output = DescribeOutput(c.job.output, c.job.target);
  if (c.HeldByRunningJob())
    return serials + (one ? " is" : " are") + " reserved by a job still running, started on " + when + who + " for " +
           output;
  if (c.state == TPieceState::Sent)
    return serials + (one ? " was " : " were ") + (c.job.reprint ? "reprinted" : "printed") + " on " + when + who +
           " to " + output;
  std::string why = "ended";
  if (c.job.outcome == TJobOutcome::Failed) why = "failed";
  if (c.job.outcome == TJobOutcome::Cancelled) why = "was cancelled";
  if (c.job.outcome == TJobOutcome::Interrupted) why = "was interrupted";
  return serials + " may have been printed on " + when + who + " to " + output + " (the job " + why +
         " before the output confirmed " + (one ? "it" : "them") + ")";
}

std::string DescribeInterrupted(const TJobRecord& job) {
  std::string text = "Job " + std::to_string(job.id) + " (" + std::string(NameOf(job.family)) + " " + job.media +
                     ", started on " + FormatMinute(job.startedAt) + " by " + job.user + " on " + job.host + " for " +
                     DescribeOutput(job.output, job.target) + ") was interrupted: ";
  const auto list = [](const std::vector<TSerialRange>& ranges) {
    std::string out;
    for (const TSerialRange& r : ranges) out += (out.empty() ? "" : ", ") + DescribeRange(r);
    return out;
  };
  const std::vector<TSerialRange> sent = job.RangesIn(TPieceState::Sent);
  const std::vector<TSerialRange> doubt = job.RangesIn(TPieceState::Sending);
  const auto count = [](const std::vector<TSerialRange>& ranges) {
    int n = 0;
    for (const TSerialRange& r : ranges) n += r.Count();
    return n;
  };
  if (sent.empty() && doubt.empty()) return text + "nothing was sent.";
  if (!sent.empty()) text += list(sent) + (count(sent) == 1 ? " was sent" : " were sent");
  if (!doubt.empty()) text += std::string(sent.empty() ? "" : "; ") + list(doubt) + " may have been sent";
  return text + ".";
}

std::string FormatJobLine(const TJobRecord& job) {
  std::vector<TRangePiece> pieces = job.pieces;
  std::sort(pieces.begin(), pieces.end(), [](const TRangePiece& a, const TRangePiece& b) {
    return std::tie(a.range.prefix, a.range.width, a.range.first) <
           std::tie(b.range.prefix, b.range.width, b.range.first);
  });
  std::string serials;
  for (const TRangePiece& p : pieces) {
    if (!serials.empty()) serials += ' ';
    serials += SerialAt(p.range, p.range.first);
    if (p.range.last != p.range.first) serials += "-" + SerialAt(p.range, p.range.last);
    serials += ":" + std::string(NameOf(p.state));
  }
  return std::to_string(job.id) + "\t" + FormatMinute(job.startedAt) + "\t" + job.user + "\t" + job.host + "\t" +
         std::string(NameOf(job.family)) + "\t" + job.media + "\t" + serials + "\t" + std::string(NameOf(job.outcome)) +
         "\t" + (job.reprint ? "reprint" : "-") + "\t" + std::string(NameOf(job.output)) + "\t" + job.target +
         (job.conflict.empty() ? "" : "\t" + job.conflict);
}

std::vector<TSerialRange> MarkPieces(std::vector<TRangePiece>& pieces, const TSerialRange& range, TPieceState to) {
  const auto moves = [to](TPieceState from) {
    if (to == TPieceState::Sending) return from == TPieceState::Reserved;
    if (to == TPieceState::Sent) return from != TPieceState::Sent;
    if (to == TPieceState::Reserved) return from == TPieceState::Sending;
    return false;
  };
  std::vector<TSerialRange> outside{range};
  std::vector<TRangePiece> out;
  for (const TRangePiece& p : pieces) {
    const std::optional<TSerialRange> cut = Intersection(p.range, range);
    if (!cut) {
      out.push_back(p);
      continue;
    }
    std::vector<TSerialRange> left;
    for (const TSerialRange& o : outside)
      for (TSerialRange& rest : Subtract(o, *cut)) left.push_back(std::move(rest));
    outside = std::move(left);
    if (!moves(p.state)) {
      out.push_back(p);
      continue;
    }
    for (const TSerialRange& rest : Subtract(p.range, *cut)) out.push_back({rest, p.state});
    out.push_back({*cut, to});
  }
  pieces = std::move(out);
  return outside;
}

void FinishPieces(std::vector<TRangePiece>& pieces, TJobOutcome outcome) {
  for (TRangePiece& p : pieces) {
    if (p.state == TPieceState::Reserved) p.state = TPieceState::Freed;
    if (p.state == TPieceState::Sending && outcome == TJobOutcome::Printed) p.state = TPieceState::Sent;
  }
}

}  // namespace vantor::journal
