// Serials as ranges: how each family counts, overlap as prefix equality and
// an interval test, cutting rows, and the states of a job's serials.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "journal/JobRecord.h"
#include "journal/SerialRange.h"

namespace vantor::journal {
namespace {

TSerialRange R(std::string prefix, int width, int first, int last) { return {std::move(prefix), width, first, last}; }

struct TRunRow {
  const char* name;
  TTapeFamily family;
  const char* serial;
  int count;
  std::optional<TSerialRange> expected;
};

TEST(SerialRange, RunsAsEachFamilyCountsThem) {
  const TRunRow rows[] = {
      {"dlt_plain", TTapeFamily::Dlt, "ABC100", 30, R("ABC", 3, 100, 129)},
      {"dlt_up_to_999", TTapeFamily::Dlt, "ABC970", 30, R("ABC", 3, 970, 999)},
      {"dlt_never_past_999", TTapeFamily::Dlt, "ABC971", 30, std::nullopt},
      // Digits in a DLT prefix join the canonical number, but do not count.
      {"dlt_digit_prefix", TTapeFamily::Dlt, "A12345", 10, R("A", 5, 12345, 12354)},
      {"dlt_digit_prefix_no_carry", TTapeFamily::Dlt, "A12995", 10, std::nullopt},
      {"dlt_cleaning", TTapeFamily::Dlt, "CLN001", 2, R("CLN", 3, 1, 2)},
      {"dlt_diagnostic_space", TTapeFamily::Dlt, "DG 007", 1, R("DG ", 3, 7, 7)},
      {"dlt_too_short", TTapeFamily::Dlt, "AB100", 1, std::nullopt},
      {"dlt_counter_not_digits", TTapeFamily::Dlt, "ABCD10", 1, std::nullopt},
      {"lto_trailing_run", TTapeFamily::Lto, "AB0998", 5, R("AB", 4, 998, 1002)},
      {"lto_all_digits", TTapeFamily::Lto, "000001", 3, R("", 6, 1, 3)},
      {"lto_run_end", TTapeFamily::Lto, "ABCD98", 2, R("ABCD", 2, 98, 99)},
      {"lto_past_run_end", TTapeFamily::Lto, "ABCD98", 3, std::nullopt},
      {"lto_no_digits_one", TTapeFamily::Lto, "ABCDEF", 1, R("ABCDEF", 0, 0, 0)},
      {"lto_no_digits_two", TTapeFamily::Lto, "ABCDEF", 2, std::nullopt},
      {"lower_case", TTapeFamily::Lto, "abc100", 1, std::nullopt},
      {"seven_characters", TTapeFamily::Lto, "ABCD100", 1, std::nullopt},
      {"zero_count", TTapeFamily::Lto, "ABC100", 0, std::nullopt},
  };
  for (const TRunRow& row : rows) {
    EXPECT_EQ(RunOf(row.family, row.serial, row.count), row.expected) << row.name;
    if (row.expected) {
      EXPECT_EQ(SerialAt(*row.expected, row.expected->first), row.serial) << row.name;
      EXPECT_TRUE(IsCanonical(*row.expected)) << row.name;
    }
  }
}

TEST(SerialRange, TheSameSerialInBothFamiliesIsOneSerial) {
  const auto dlt = RunOf(TTapeFamily::Dlt, "A12345", 1);
  const auto lto = RunOf(TTapeFamily::Lto, "A12345", 1);
  ASSERT_TRUE(dlt && lto);
  EXPECT_TRUE(Overlaps(*dlt, *lto));
}

TEST(SerialRange, OverlapIntersectionAndSubtraction) {
  struct TRow {
    const char* name;
    TSerialRange a, b;
    std::optional<TSerialRange> both;
    std::vector<TSerialRange> aLessB;
  } rows[] = {
      {"inside",
       R("ABC", 3, 100, 129),
       R("ABC", 3, 110, 115),
       R("ABC", 3, 110, 115),
       {R("ABC", 3, 100, 109), R("ABC", 3, 116, 129)}},
      {"touching_end", R("ABC", 3, 100, 129), R("ABC", 3, 129, 140), R("ABC", 3, 129, 129), {R("ABC", 3, 100, 128)}},
      {"adjacent", R("ABC", 3, 100, 129), R("ABC", 3, 130, 140), std::nullopt, {R("ABC", 3, 100, 129)}},
      {"other_prefix", R("ABC", 3, 100, 129), R("ABD", 3, 100, 129), std::nullopt, {R("ABC", 3, 100, 129)}},
      {"other_width", R("AB", 3, 100, 129), R("AB", 4, 100, 129), std::nullopt, {R("AB", 3, 100, 129)}},
      {"covered", R("ABC", 3, 110, 115), R("ABC", 3, 100, 129), R("ABC", 3, 110, 115), {}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Overlaps(row.a, row.b), row.both.has_value()) << row.name;
    EXPECT_EQ(Overlaps(row.b, row.a), row.both.has_value()) << row.name;
    EXPECT_EQ(Intersection(row.a, row.b), row.both) << row.name;
    EXPECT_EQ(Subtract(row.a, row.b), row.aLessB) << row.name;
  }
}

TEST(SerialRange, RowsNeverSpanMoreThanTheBoundAndMergeBack) {
  const TSerialRange big = R("X", 5, 990, 3005);
  const auto rows = SplitForRows(big);
  ASSERT_EQ(rows, (std::vector<TSerialRange>{R("X", 5, 990, 999), R("X", 5, 1000, 1999), R("X", 5, 2000, 2999),
                                             R("X", 5, 3000, 3005)}));
  for (const auto& r : rows) EXPECT_LE(r.Count(), kMaxRowSpan);
  EXPECT_EQ(Merge(rows), std::vector<TSerialRange>{big});
  EXPECT_EQ(Merge({R("A", 3, 5, 9), R("A", 3, 1, 3), R("B", 3, 4, 4), R("A", 3, 4, 4)}),
            (std::vector<TSerialRange>{R("A", 3, 1, 9), R("B", 3, 4, 4)}));
  EXPECT_EQ(DescribeRange(R("ABC", 3, 110, 115)), "ABC110 to ABC115");
  EXPECT_EQ(DescribeRange(R("", 6, 7, 7)), "000007");
}

TEST(SerialRange, NonCanonicalRangesAreRecognised) {
  for (const TSerialRange& r : {R("AB1", 3, 0, 1), R("abc", 3, 0, 1), R("ABC", 3, 5, 4), R("ABC", 3, 0, 1000),
                                R("ABCD", 3, 0, 1), R("", 0, 0, 0), R("ABC", -1, 0, 0), R("A\x1b", 3, 0, 1)})
    EXPECT_FALSE(IsCanonical(r)) << r.prefix << " " << r.width << " " << r.first << "-" << r.last;
}

TEST(JobPieces, MarkingSplitsPiecesAndFinishingFreesOrKeepsThem) {
  std::vector<TRangePiece> pieces{{R("ABC", 3, 100, 159), TPieceState::Reserved}};
  EXPECT_TRUE(MarkPieces(pieces, R("ABC", 3, 100, 129), TPieceState::Sending).empty());
  EXPECT_TRUE(MarkPieces(pieces, R("ABC", 3, 100, 129), TPieceState::Sent).empty());
  EXPECT_TRUE(MarkPieces(pieces, R("ABC", 3, 130, 135), TPieceState::Sending).empty());
  // A sent serial never goes back to sending; serials not in the job are named.
  EXPECT_TRUE(MarkPieces(pieces, R("ABC", 3, 129, 129), TPieceState::Sending).empty());
  EXPECT_EQ(MarkPieces(pieces, R("ABC", 3, 158, 162), TPieceState::Sent),
            std::vector<TSerialRange>{R("ABC", 3, 160, 162)});
  TJobRecord job;
  job.pieces = pieces;
  EXPECT_EQ(job.RangesIn(TPieceState::Sent), (std::vector<TSerialRange>{R("ABC", 3, 100, 129), R("ABC", 3, 158, 159)}));
  EXPECT_EQ(job.RangesIn(TPieceState::Sending), std::vector<TSerialRange>{R("ABC", 3, 130, 135)});
  {
    // An output that took nothing: sending goes back to reserved, sent stays sent.
    std::vector<TRangePiece> refused = pieces;
    EXPECT_TRUE(MarkPieces(refused, R("ABC", 3, 125, 135), TPieceState::Reserved).empty());
    TJobRecord back;
    back.pieces = refused;
    EXPECT_TRUE(back.RangesIn(TPieceState::Sending).empty());
    EXPECT_EQ(back.RangesIn(TPieceState::Reserved), (std::vector<TSerialRange>{R("ABC", 3, 130, 157)}));
    EXPECT_EQ(back.RangesIn(TPieceState::Sent), job.RangesIn(TPieceState::Sent));
  }

  struct TRow {
    TJobOutcome outcome;
    std::vector<TSerialRange> sent, sending, freed;
  } rows[] = {
      {TJobOutcome::Printed, {R("ABC", 3, 100, 135), R("ABC", 3, 158, 159)}, {}, {R("ABC", 3, 136, 157)}},
      {TJobOutcome::Failed,
       {R("ABC", 3, 100, 129), R("ABC", 3, 158, 159)},
       {R("ABC", 3, 130, 135)},
       {R("ABC", 3, 136, 157)}},
      {TJobOutcome::Interrupted,
       {R("ABC", 3, 100, 129), R("ABC", 3, 158, 159)},
       {R("ABC", 3, 130, 135)},
       {R("ABC", 3, 136, 157)}},
  };
  for (const TRow& row : rows) {
    TJobRecord done;
    done.pieces = pieces;
    FinishPieces(done.pieces, row.outcome);
    EXPECT_EQ(done.RangesIn(TPieceState::Sent), row.sent) << NameOf(row.outcome);
    EXPECT_EQ(done.RangesIn(TPieceState::Sending), row.sending) << NameOf(row.outcome);
    EXPECT_EQ(done.RangesIn(TPieceState::Freed), row.freed) << NameOf(row.outcome);
    EXPECT_TRUE(done.RangesIn(TPieceState::Reserved).empty()) << NameOf(row.outcome);
  }
}

TEST(Conflict, MessagesForEveryOutputAndState) {
  setenv("TZ", "UTC", 1);
  tzset();
  TJobRecord job;
  job.startedAt = 1796133720;  // 2026-12-01 14:02 UTC
  job.user = "ops";
  job.host = "tapehost";
  job.target = "Office-1";
  job.output = TOutputKind::Printer;
  job.outcome = TJobOutcome::Printed;
  const auto with = [&](TOutputKind output, std::string target, TJobOutcome outcome, bool reprint) {
    TJobRecord j = job;
    j.output = output;
    j.target = std::move(target);
    j.outcome = outcome;
    j.reprint = reprint;
    return j;
  };
  struct TRow {
    TConflict conflict;
    const char* said;
  } rows[] = {
      {{R("ABC", 3, 110, 115), TPieceState::Sent, job},
       "ABC110 to ABC115 were printed on 2026-12-01 14:02 by ops on tapehost to printer Office-1"},
      {{R("ABC", 3, 110, 110), TPieceState::Sent,
        with(TOutputKind::Pdf, "/home/ops/a.pdf", TJobOutcome::Failed, false)},
       "ABC110 was printed on 2026-12-01 14:02 by ops on tapehost to the PDF file /home/ops/a.pdf"},
      {{R("ABC", 3, 110, 111), TPieceState::Sent, with(TOutputKind::Trace, "t.trace", TJobOutcome::Printed, true)},
       "ABC110 to ABC111 were reprinted on 2026-12-01 14:02 by ops on tapehost to the trace file t.trace"},
      {{R("ABC", 3, 110, 111), TPieceState::Reserved,
        with(TOutputKind::Printer, "Office-1", TJobOutcome::Reserved, false)},
       "ABC110 to ABC111 are reserved by a job still running, started on 2026-12-01 14:02 by ops on tapehost for "
       "printer Office-1"},
      {{R("ABC", 3, 110, 111), TPieceState::Sending,
        with(TOutputKind::Printer, "Office-1", TJobOutcome::Interrupted, false)},
       "ABC110 to ABC111 may have been printed on 2026-12-01 14:02 by ops on tapehost to printer Office-1 (the job "
       "was interrupted before the output confirmed them)"},
      {{R("ABC", 3, 110, 110), TPieceState::Sending,
        with(TOutputKind::Printer, "Office-1", TJobOutcome::Cancelled, false)},
       "ABC110 may have been printed on 2026-12-01 14:02 by ops on tapehost to printer Office-1 (the job was "
       "cancelled before the output confirmed it)"},
  };
  for (const TRow& row : rows) EXPECT_EQ(DescribeConflict(row.conflict), row.said);
}

TEST(JobNames, EveryNameReadsBack) {
  for (auto o : {TJobOutcome::Reserved, TJobOutcome::Printing, TJobOutcome::Printed, TJobOutcome::Failed,
                 TJobOutcome::Cancelled, TJobOutcome::Interrupted})
    EXPECT_EQ(OutcomeNamed(NameOf(o)), o);
  for (auto s : {TPieceState::Reserved, TPieceState::Sending, TPieceState::Sent, TPieceState::Freed})
    EXPECT_EQ(PieceStateNamed(NameOf(s)), s);
  for (auto k : {TOutputKind::Printer, TOutputKind::Pdf, TOutputKind::Trace}) EXPECT_EQ(OutputNamed(NameOf(k)), k);
  for (auto f : {TTapeFamily::Dlt, TTapeFamily::Lto}) EXPECT_EQ(FamilyNamed(NameOf(f)), f);
  EXPECT_EQ(OutcomeNamed("Printed"), std::nullopt);
}

}  // namespace
}  // namespace vantor::journal
