// Journalled jobs on a journal that writes down what it is told: when each
// page's serials go sending and sent for each way of delivery, what a failed
// hand-over and a failing journal leave.
#include <gtest/gtest.h>

#include <stdexcept>

#include "dlt/DltRun.h"
#include "lto/LtoSheet.h"
#include "printing/JournalledJob.h"
#include "printing/PrintJournalled.h"
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
    const bool refused = refuse && !(grantReprints && r.reprint);
    out.jobId = refused ? 0 : 7;
    if (refused) out.conflicts.push_back({r.ranges.front(), journal::TPieceState::Sent, {}});
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
  bool grantReprints = false;  // with `refuse`: a deliberate reprint is granted
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

// The one print path for both families: what the journal is asked and told,
// what reaches the job, and the outcome.
TEST(PrintJournalled, BothFamiliesReserveDrawDeliverAndEnd) {
  THeadlessChoice look;
  look.serial = "ABC100";
  TSheetOptions twoSheets;
  twoSheets.sheets = 2;
  const TDltLabelRun dlt(look, THeadlessHost(look).State().Colors, twoSheets);
  const TSheetTemplate* sheet = nullptr;
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == kDefaultLtoTemplate) sheet = &t;
  ASSERT_NE(sheet, nullptr);
  TLtoRun ltoRun{*sheet, "L8", *VolserRunByCount("LTO095", 40).run, *FindLtoPalette("lto")};
  ltoRun.startLabel = 25;
  const TLtoLabelRun lto(ltoRun);

  enum TAsk { kNoQuestion, kYes, kNo };
  struct Row {
    const char* name;
    const TLabelRun& run;
    TDelivery delivery;
    bool refuse, reprint;
    TAsk ask;
    bool failOnSecondPage;
    TPrintOutcome outcome;
    std::vector<bool> reprintRequests;  // Reserve's requests: reprint or not
    std::vector<std::string> events;
    int dpi = 300;  // the printer's
  };
  const Row rows[] = {
      {"DLT, a printer's spool",
       dlt,
       TDelivery::AtEndDoc,
       false,
       false,
       kNoQuestion,
       false,
       TPrintOutcome::Printed,
       {false},
       {"begin", "newpage", "sending ABC100 to ABC159", "enddoc", "sent ABC100 to ABC159", "end printed"}},
      {"LTO, a file put in place",
       lto,
       TDelivery::AfterEndDoc,
       false,
       false,
       kNoQuestion,
       false,
       TPrintOutcome::Printed,
       {false},
       {"begin", "newpage", "newpage", "enddoc", "sending LTO095 to LTO134", "sent LTO095 to LTO134", "end printed"}},
      {"printed before: refused with the conflicts",
       dlt,
       TDelivery::AtEndDoc,
       true,
       false,
       kNoQuestion,
       false,
       TPrintOutcome::Refused,
       {false},
       {}},
      {"deliberate reprint",
       lto,
       TDelivery::AtEndDoc,
       true,
       true,
       kNoQuestion,
       false,
       TPrintOutcome::Printed,
       {true},
       {"begin", "newpage", "newpage", "sending LTO095 to LTO134", "enddoc", "sent LTO095 to LTO134", "end printed"}},
      {"asked, reprinted",
       dlt,
       TDelivery::AtEndDoc,
       true,
       false,
       kYes,
       false,
       TPrintOutcome::Printed,
       {false, true},
       {"begin", "newpage", "sending ABC100 to ABC159", "enddoc", "sent ABC100 to ABC159", "end printed"}},
      {"asked, declined", lto, TDelivery::AtEndDoc, true, false, kNo, false, TPrintOutcome::Cancelled, {false}, {}},
      {"failure mid-job: nothing sent, the serials freed",
       dlt,
       TDelivery::AtEndDoc,
       false,
       false,
       kNoQuestion,
       true,
       TPrintOutcome::Failed,
       {false},
       {"begin", "newpage", "abort", "end failed"}},
      // Below the DLT barcodes' 150 dpi the run is refused before a label is
      // drawn: nothing printed, so the job ends cancelled, as LTO's does.
      {"a printer of 100 dpi: refused at its resolution",
       dlt,
       TDelivery::AtEndDoc,
       false,
       false,
       kNoQuestion,
       false,
       TPrintOutcome::Refused,
       {false},
       {"begin", "abort", "end cancelled"},
       100},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLogStub log;
    log.refuse = r.refuse;
    log.grantReprints = true;
    TFakePrintJob inner(r.dpi);
    inner.events = &log.events;
    if (r.failOnSecondPage) inner.failOnPage = 1;
    TJobOutput output(inner, r.delivery);
    TJournalledPrint print;
    print.journal = &log;
    print.recorded = {TOutputKind::Printer, "Office-1"};
    print.reprint = r.reprint;
    std::vector<std::vector<journal::TConflict>> asked;
    if (r.ask != kNoQuestion)
      print.askReprint = [&](const std::vector<journal::TConflict>& conflicts) {
        asked.push_back(conflicts);
        return r.ask == kYes;
      };
    const TPrintResult result = PrintJournalled(r.run, output, print);
    EXPECT_EQ(result.outcome, r.outcome) << result.message;
    EXPECT_EQ(log.events, r.events);
    EXPECT_EQ(asked.size(), r.ask == kNoQuestion ? 0u : 1u);
    const bool notPrinted = r.outcome == TPrintOutcome::Refused || r.outcome == TPrintOutcome::Cancelled;
    EXPECT_EQ(result.conflicts.size(), notPrinted && r.refuse ? 1u : 0u);
    EXPECT_EQ(result.runRefused, r.dpi < 150);
    EXPECT_EQ(inner.begun == 0, r.events.empty());
    ASSERT_EQ(log.requests.size(), r.reprintRequests.size());
    for (std::size_t i = 0; i < log.requests.size(); ++i) {
      const journal::TJobRequest& request = log.requests[i];
      EXPECT_EQ(request.reprint, r.reprintRequests[i]);
      EXPECT_EQ(request.family, r.run.Family());
      EXPECT_EQ(request.media, &r.run == &dlt ? "standard" : "L8");
      EXPECT_EQ(request.target, "Office-1");
      EXPECT_EQ(request.ranges, AllSerials(r.run.PageSerials()));
    }
    if (r.outcome == TPrintOutcome::Failed) {
      EXPECT_EQ(result.message, test::kPaperJam);
    }
    if (r.dpi < 150) {
      EXPECT_EQ(result.message, *SheetResolutionRefusal(r.dpi, r.dpi));
    }
  }
  // The window's serial moves on past the labels printed, at 999 no further.
  EXPECT_EQ(dlt.NextSerial(), "ABC160");
  look.serial = "ABC970";
  EXPECT_EQ(TDltLabelRun(look, {}, {}).NextSerial(), "ABC999");
}

TEST(JournalledJob, TextTheJournalCanShowAgain) {
  EXPECT_EQ(JournalText("", "(unnamed)"), "(unnamed)");
  EXPECT_EQ(JournalText("/tmp/a\nb.pdf", "-"), "/tmp/a?b.pdf");
  EXPECT_EQ(JournalText("Büro-1", "-"), "Büro-1");
  EXPECT_EQ(JournalText("Caf\xe9", "-"), "Caf?");
}

}  // namespace
}  // namespace vantor
