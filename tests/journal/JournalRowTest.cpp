// Journal rows as another client may have written them: every malformed
// column is refused with a message naming the row, the column and the value.
#include <gtest/gtest.h>

#include <functional>

#include "journal/JournalRow.h"

namespace vantor::journal {
namespace {

TRawJobRow GoodJob() {
  return {"12",      "1796133720", "1796133780", "1796134620", "ops",      "tapehost", "4242",
          "boot:99", "DLT",        "dlt4",       "printer",    "Office-1", "printed",  "0"};
}

TEST(JournalRow, AWellFormedJobRowReadsBack) {
  const auto parsed = ParseJobRow(GoodJob());
  ASSERT_TRUE(parsed.value) << parsed.error;
  const TJobRecord& j = *parsed.value;
  EXPECT_EQ(j.id, 12);
  EXPECT_EQ(j.finishedAt, 1796133780);
  EXPECT_EQ(j.user, "ops");
  EXPECT_EQ(j.family, TTapeFamily::Dlt);
  EXPECT_EQ(j.output, TOutputKind::Printer);
  EXPECT_EQ(j.outcome, TJobOutcome::Printed);
  EXPECT_FALSE(j.reprint);

  TRawJobRow running = GoodJob();
  running.finishedAt.reset();
  running.outcome = "printing";
  running.family = "LTO";
  running.media = "L6";
  ASSERT_TRUE(ParseJobRow(running).value);
}

TEST(JournalRow, MalformedJobRowsAreRefusedNamingTheFault) {
  struct TRow {
    const char* name;
    std::function<void(TRawJobRow&)> spoil;
    const char* error;
  } rows[] = {
      {"null_user", [](TRawJobRow& r) { r.user.reset(); }, "journal job row 12: user_name is missing"},
      {"text_time", [](TRawJobRow& r) { r.startedAt = "yesterday"; },
       "journal job row 12: started_at 'yesterday' is not a number from 0 to 253402300799"},
      {"real_time", [](TRawJobRow& r) { r.startedAt = "1.5"; },
       "journal job row 12: started_at '1.5' is not a number from 0 to 253402300799"},
      {"huge_number", [](TRawJobRow& r) { r.pid = "99999999999999999999999"; },
       "journal job row 12: pid '99999999999999999999999' is not a number from 0 to 2147483647"},
      // 19 digits overflowed a 64-bit sum before the bound was checked.
      {"nineteen_digits", [](TRawJobRow& r) { r.pid = "9999999999999994242"; },
       "journal job row 12: pid '9999999999999994242' is not a number from 0 to 2147483647"},
      {"negative_pid", [](TRawJobRow& r) { r.pid = "-1"; },
       "journal job row 12: pid '-1' is not a number from 0 to 2147483647"},
      {"bad_id", [](TRawJobRow& r) { r.id = "x"; }, "a journal job row: id 'x' is not a number from 1 to"},
      {"escape_in_user", [](TRawJobRow& r) { r.user = "ops\x1b[2J"; },
       "journal job row 12: user_name 'ops\\x1b[2J' is empty or not printable text"},
      {"broken_utf8", [](TRawJobRow& r) { r.host = "tape\xc3"; },
       "journal job row 12: host 'tape\\xc3' is empty or not printable text"},
      {"empty_target", [](TRawJobRow& r) { r.outputTarget = ""; },
       "journal job row 12: output_target '' is empty or not printable text"},
      {"unknown_family", [](TRawJobRow& r) { r.family = "dlt"; },
       "journal job row 12: family 'dlt' is not a known value"},
      {"unknown_output", [](TRawJobRow& r) { r.outputKind = "fax"; },
       "journal job row 12: output_kind 'fax' is not a known value"},
      {"reprint_two", [](TRawJobRow& r) { r.reprint = "2"; },
       "journal job row 12: reprint '2' is not a number from 0 to 1"},
      {"finished_but_running", [](TRawJobRow& r) { r.outcome = "reserved"; },
       "journal job row 12: finished_at 1796133780 does not go with the outcome reserved"},
      {"ended_without_time", [](TRawJobRow& r) { r.finishedAt = "0"; },
       "journal job row 12: finished_at 0 does not go with the outcome printed"},
      {"finished_before_start", [](TRawJobRow& r) { r.finishedAt = "5"; },
       "journal job row 12: finished_at 5 is before started_at 1796133720"},
  };
  for (const TRow& row : rows) {
    TRawJobRow raw = GoodJob();
    row.spoil(raw);
    const auto parsed = ParseJobRow(raw);
    EXPECT_FALSE(parsed.value) << row.name;
    EXPECT_EQ(parsed.error.rfind(row.error, 0), 0u) << row.name << ": " << parsed.error;
  }
}

TEST(JournalRow, RangeRowsAreHeldToTheSerialRules) {
  const TRawRangeRow good{"12", "ABC", "3", "100", "129", "sent"};
  const auto parsed = ParseRangeRow(good);
  ASSERT_TRUE(parsed.value) << parsed.error;
  EXPECT_EQ(parsed.value->jobId, 12);
  EXPECT_EQ(parsed.value->piece, (TRangePiece{{"ABC", 3, 100, 129}, TPieceState::Sent}));

  struct TRow {
    const char* name;
    TRawRangeRow raw;
    const char* error;
  } rows[] = {
      {"prefix_ends_in_digit",
       {"12", "AB1", "3", "1", "2", "sent"},
       "journal range row 12 (job 12): prefix 'AB1', width 3, numbers 1 to 2 are no range of serials"},
      {"number_wider_than_width",
       {"12", "ABC", "3", "100", "1000", "sent"},
       "journal range row 12 (job 12): prefix 'ABC', width 3, numbers 100 to 1000 are no range"},
      {"backwards", {"12", "ABC", "3", "129", "100", "sent"}, "journal range row 12 (job 12): prefix 'ABC', width 3"},
      {"too_long", {"12", "ABCDE", "3", "1", "2", "sent"}, "journal range row 12 (job 12): prefix 'ABCDE'"},
      {"too_wide", {"12", "", "7", "1", "2", "sent"}, "journal range row 12 (job 12): width '7' is not a number"},
      {"span",
       {"12", "X", "5", "1000", "2000", "sent"},
       "journal range row 12 (job 12): numbers 1000 to 2000 span more than 1000"},
      {"state",
       {"12", "ABC", "3", "1", "2", "printed"},
       "journal range row 12 (job 12): state 'printed' is not a known"},
      {"null_prefix", {"12", std::nullopt, "3", "1", "2", "sent"}, "journal range row 12 (job 12): prefix is missing"},
      {"lower_case", {"12", "abc", "3", "1", "2", "sent"}, "journal range row 12 (job 12): prefix 'abc', width 3"},
  };
  for (const TRow& row : rows) {
    const auto p = ParseRangeRow(row.raw);
    EXPECT_FALSE(p.value) << row.name;
    EXPECT_EQ(p.error.rfind(row.error, 0), 0u) << row.name << ": " << p.error;
  }
}

TEST(JournalRow, AJobHoldsEachSerialOnce) {
  TJobRecord job;
  job.id = 3;
  EXPECT_FALSE(
      AttachPieces(job, {{{"ABC", 3, 100, 129}, TPieceState::Sent}, {{"ABC", 3, 130, 135}, TPieceState::Freed}}));
  EXPECT_EQ(AttachPieces(job, {{{"ABC", 3, 100, 129}, TPieceState::Sent}, {{"ABC", 3, 129, 135}, TPieceState::Freed}}),
            "journal job row 3: serial ABC129 is recorded twice");
}

// Whatever names the process and the request carry, the row stored for them
// reads back, each text in its bound; what had to change is marked.
TEST(JournalRow, EveryRowTheJournalWritesReadsBack) {
  const std::string longUser(300, 'u');
  // 4095 bytes of 'p' then a two-byte character: the cut may not split it.
  const std::string longTarget = std::string(4094, 'p') + "\xc3\xa4" + "tail";
  struct TRow {
    const char* name;
    std::string user, host, media, target;
    const char* storedUser;    // nullptr: not checked
    const char* storedTarget;  // nullptr: not checked
  } rows[] = {
      {"plain", "ops", "tapehost", "dlt4", "Office-1", "ops", "Office-1"},
      {"tab_in_user", "ops\tx", "tapehost", "dlt4", "Office-1", "ops\\x09x", nullptr},
      {"newline_in_host", "ops", "tape\nhost", "dlt4", "Office-1", nullptr, nullptr},
      {"escape_sequence", "ops\x1b[2J", "h", "L6", "/tmp/a\rb.pdf", "ops\\x1b[2J", "/tmp/a\\x0db.pdf"},
      {"not_utf8", "ops\xff", "h\xc3", "dlt4", "P", "ops\\xff", nullptr},
      {"direction_override", "ops\u202e", "h", "dlt4", "P", "ops\\u{202e}", nullptr},
      {"c1_control", "ops\u0085", "h", "dlt4", "P", "ops\\u{85}", nullptr},
      {"empty_names", "", "", "", "", "?", "(unnamed)"},
      {"user_over_the_bound", longUser, "h", "dlt4", "P", nullptr, nullptr},
      {"target_over_the_bound", "ops", "h", "dlt4", longTarget, nullptr, nullptr},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    TProcessIdentity self{row.user, row.host, 4242, "boot:99", {}};
    TJobRequest request;
    request.media = row.media;
    request.target = row.target;
    TRawJobRow raw = NewJobRow(request, self, 1796133720);
    raw.id = "1";
    const auto parsed = ParseJobRow(raw);
    ASSERT_TRUE(parsed.value) << parsed.error;
    EXPECT_LE(parsed.value->user.size(), kMaxRowName);
    EXPECT_LE(parsed.value->target.size(), kMaxRowTarget);
    if (row.storedUser) {
      EXPECT_EQ(parsed.value->user, row.storedUser);
    }
    if (row.storedTarget) {
      EXPECT_EQ(parsed.value->target, row.storedTarget);
    }
  }
  // Cut at the bound with a marker, never inside a character.
  EXPECT_EQ(StorableText(longUser, kMaxRowName, "?"), std::string(253, 'u') + "...");
  EXPECT_EQ(StorableText("ab\xc3\xa4", 6, "?"), "ab\xc3\xa4");
  EXPECT_EQ(StorableText("abc\xc3\xa4xyz", 7, "?"), "abc...");
  // What is stored once stays as it is when stored again.
  for (const std::string& text : {std::string("a\tb\xff"), longUser, longTarget})
    EXPECT_EQ(StorableText(StorableText(text, kMaxRowName, "?"), kMaxRowName, "?"),
              StorableText(text, kMaxRowName, "?"));
}

// A row another client spoiled is shown in its place, with what still parses;
// it never counts as running, so a deliberate reprint can pass it.
TEST(JournalRow, AnUnreadableRowIsShownWithWhatParses) {
  TRawJobRow raw = GoodJob();
  raw.user = "ops\tx";
  raw.outcome = "printing";
  raw.finishedAt.reset();
  const TJobRecord shown = UnreadableJob(raw, 12);
  EXPECT_EQ(shown.id, 12);
  EXPECT_EQ(shown.user, "unreadable row 12");
  EXPECT_EQ(shown.host, "tapehost");
  EXPECT_EQ(shown.startedAt, 1796133720);
  EXPECT_EQ(shown.target, "Office-1");
  EXPECT_EQ(shown.outcome, TJobOutcome::Interrupted);
  EXPECT_EQ(shown.finishedAt, 1796133720);

  TRawJobRow spoilt = GoodJob();
  spoilt.host = "tape\nhost";
  spoilt.outputTarget.reset();
  spoilt.startedAt = "yesterday";
  const TJobRecord rest = UnreadableJob(spoilt, 13);
  EXPECT_EQ(rest.host, "?");
  EXPECT_EQ(rest.target, "?");
  EXPECT_EQ(rest.startedAt, 0);
  EXPECT_EQ(rest.outcome, TJobOutcome::Printed);
}

TEST(JournalRow, DisplayText) {
  struct TRow {
    const char* text;
    bool ok;
  } rows[] = {{"Office-1", true},
              {"Büro 2", true},
              {"\xe6\x97\xa5\xe6\x9c\xac", true},
              {"a\tb", false},
              {"a\nb", false},
              {"\x7f", false},
              {"\xc2\x9b", false},
              {"\xc0\xaf", false},
              {"\xed\xa0\x80", false},
              {"\xe2\x80\xae", false},
              {"\xf4\x90\x80\x80", false},
              {"\xe6\x97", false}};
  for (const TRow& row : rows) EXPECT_EQ(IsDisplayText(row.text), row.ok) << row.text;
}

}  // namespace
}  // namespace vantor::journal
