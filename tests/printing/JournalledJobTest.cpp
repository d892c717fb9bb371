// Journalled jobs on a journal that writes down what it is told: when each
// page's serials go sending and sent for each way of delivery, what a failed
// hand-over and a failing journal leave.
#include <gtest/gtest.h>

#include <stdexcept>

#include "lto/LtoSheet.h"
#include "printing/JournalledJob.h"
#include "support/FakePrintJob.h"

namespace vantor {
namespace {

using journal::TSerialRange;
using test::TFakePrintJob;

class TLogStub : public journal::TJobLog {
 public:
  journal::TReservation Reserve(const journal::TJobRequest& r) override {
    requests.push_back(r);
    journal::TReservation out;
    out.jobId = refuse ? 0 : 7;
    if (refuse) out.conflicts.push_back({r.ranges.front(), journal::TPieceState::Sent, {}});
    return out;
  }
  void MarkSending(std::int64_t, const TSerialRange& r) override {
    if (failSending) throw std::runtime_error("journal: the disk is full");
    events.push_back("sending " + journal::DescribeRange(r));
  }
  void MarkSent(std::int64_t, const TSerialRange& r) override { events.push_back("sent " + journal::DescribeRange(r)); }
  void MarkRefused(std::int64_t, const TSerialRange& r) override {
    events.push_back("refused " + journal::DescribeRange(r));
  }
  void Finish(std::int64_t, journal::TJobOutcome o) override {
    events.push_back("end " + std::string(journal::NameOf(o)));
  }
  std::vector<journal::TJobRequest> requests;
  std::vector<std::string> events;
  bool refuse = false, failSending = false;
};

const TPageSerials kTwoPages = {{{"ABC", 3, 100, 129}}, {{"ABC", 3, 130, 159}}};

TEST(JournalledJob, PagesAreMarkedAsTheyReachTheOutput) {
  struct Row {
    const char* name;
    TDelivery delivery;
    bool pagePerDocument;  // BeginDoc .. EndDoc for each page, as LTO runs print
    std::vector<std::string> events;
  };
  const Row rows[] = {
      {"each page",
       TDelivery::EachPage,
       false,
       {"begin", "sending ABC100 to ABC129", "newpage", "sent ABC100 to ABC129", "sending ABC130 to ABC159", "enddoc",
        "sent ABC130 to ABC159", "put", "end printed"}},
      {"printer: the document at its end",
       TDelivery::AtEndDoc,
       false,
       {"begin", "newpage", "sending ABC100 to ABC159", "enddoc", "sent ABC100 to ABC159", "put", "end printed"}},
      {"printer, a document a page",
       TDelivery::AtEndDoc,
       true,
       {"begin", "sending ABC100 to ABC129", "enddoc", "sent ABC100 to ABC129", "begin", "sending ABC130 to ABC159",
        "enddoc", "sent ABC130 to ABC159", "put", "end printed"}},
      {"file put in place afterwards",
       TDelivery::AfterEndDoc,
       false,
       {"begin", "newpage", "enddoc", "sending ABC100 to ABC159", "put", "sent ABC100 to ABC159", "end printed"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLogStub log;
    TFakePrintJob inner;
    inner.events = &log.events;
    TJournalledRun run(&log, {}, kTwoPages);
    ASSERT_TRUE(run.Reserve());
    ASSERT_EQ(log.requests.size(), 1u);
    EXPECT_EQ(log.requests[0].ranges, (std::vector<TSerialRange>{{"ABC", 3, 100, 159}}));
    EXPECT_EQ(log.requests[0].target, "(unnamed)");
    TPrintJob& job = run.Job(inner, r.delivery);
    if (r.pagePerDocument) {
      for (int page = 0; page < 2; ++page) {
        job.BeginDoc();
        job.EndDoc();
      }
    } else {
      DrawPages(job, 2, [](TSurface&, int) {});
    }
    run.Deliver([&] { log.events.push_back("put"); });
    run.End(journal::TJobOutcome::Printed);
    EXPECT_EQ(log.events, r.events);
  }
}

TEST(JournalledJob, FailuresLeaveWhatReallyWentOut) {
  {
    SCOPED_TRACE("the printer refuses the document: nothing is in doubt");
    TLogStub log;
    TFakePrintJob inner;
    inner.events = &log.events;
    inner.failAtEnd = true;
    {
      TJournalledRun run(&log, {}, kTwoPages);
      ASSERT_TRUE(run.Reserve());
      EXPECT_THROW(DrawPages(run.Job(inner, TDelivery::AtEndDoc), 2, [](TSurface&, int) {}), std::runtime_error);
    }  // never ended: the run ends it failed
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin", "newpage", "sending ABC100 to ABC159", "enddoc",
                                                    "refused ABC100 to ABC159", "abort", "end failed"}));
  }
  {
    SCOPED_TRACE("the journal cannot record: the page is never handed over");
    TLogStub log;
    TFakePrintJob inner;
    inner.events = &log.events;
    TJournalledRun run(&log, {}, kTwoPages);
    ASSERT_TRUE(run.Reserve());
    log.failSending = true;
    EXPECT_THROW(DrawPages(run.Job(inner, TDelivery::EachPage), 2, [](TSurface&, int) {}), std::runtime_error);
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin", "abort"}));
    EXPECT_EQ(run.EndQuietly(journal::TJobOutcome::Failed), std::nullopt);
  }
  {
    SCOPED_TRACE("refused: no job to mark");
    TLogStub log;
    log.refuse = true;
    TFakePrintJob inner;
    inner.events = &log.events;
    TJournalledRun run(&log, {}, kTwoPages);
    EXPECT_FALSE(run.Reserve());
    EXPECT_EQ(run.Conflicts().size(), 1u);
    EXPECT_EQ(&run.Job(inner, TDelivery::EachPage), &inner);
  }
}

TEST(JournalledJob, WithoutAJournalEverythingPassesThrough) {
  std::vector<std::string> events;
  TFakePrintJob inner;
  inner.events = &events;
  TJournalledRun run(nullptr, {}, kTwoPages);
  EXPECT_TRUE(run.Reserve());
  EXPECT_EQ(&run.Job(inner, TDelivery::EachPage), &inner);
  bool put = false;
  run.Deliver([&] { put = true; });
  EXPECT_TRUE(put);
  EXPECT_EQ(run.EndQuietly(journal::TJobOutcome::Printed), std::nullopt);
}

TEST(JournalledJob, LtoSerialsFollowTheTemplatesPages) {
  const TSheetTemplate* sheet = nullptr;
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == kDefaultLtoTemplate) sheet = &t;
  ASSERT_NE(sheet, nullptr);
  TLtoRun run{*sheet, "L8", *VolserRunByCount("LTO095", 40).run, *FindLtoPalette("lto")};
  run.startLabel = 25;  // six places left on the first page, then 30, then 4
  EXPECT_EQ(LtoPageSerials(run), (TPageSerials{{{"LTO", 3, 95, 100}}, {{"LTO", 3, 101, 130}}, {{"LTO", 3, 131, 134}}}));
}

TEST(JournalledJob, TextTheJournalCanShowAgain) {
  EXPECT_EQ(JournalText("", "(unnamed)"), "(unnamed)");
  EXPECT_EQ(JournalText("/tmp/a\nb.pdf", "-"), "/tmp/a?b.pdf");
  EXPECT_EQ(JournalText("Büro-1", "-"), "Büro-1");
  EXPECT_EQ(JournalText("Caf\xe9", "-"), "Caf?");
}

}  // namespace
}  // namespace vantor
