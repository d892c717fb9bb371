// The journal's store on both databases: reserving, printing, refusing,
// reprinting, failing and cancelling part-way, jobs left by dead processes,
// listing, the schema version, and malformed rows in a shared journal.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdlib>
#include <ctime>

#include "journal/qt/Journal.h"
#include "journal/qt/JournalTestSupport.h"

namespace vantor::journal {
namespace {

using testing::ExecRaw;
using testing::Range;
using testing::TScratchJournal;

[[maybe_unused]] ::testing::Environment* const gApp =
    ::testing::AddGlobalTestEnvironment(new testing::TCoreAppEnvironment);

std::int64_t Utc(int y, int mo, int d, int h, int mi) {
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = mo - 1;
  t.tm_mday = d;
  t.tm_hour = h;
  t.tm_min = mi;
  return static_cast<std::int64_t>(timegm(&t));
}

class JournalStore : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    scratch_ = std::make_unique<TScratchJournal>(GetParam());
    if (!scratch_->Ok()) GTEST_SKIP() << scratch_->WhyNot();
    ops_ = CurrentProcess();
    ops_.user = "ops";
    ops_.host = "tapehost";
  }

  // This process as user ops on tapehost (alive), at the clock's time.
  std::unique_ptr<TJournal> Open(std::optional<TProcessIdentity> self = std::nullopt) {
    TJournal::TOptions options;
    options.self = self ? *self : ops_;
    options.clock = [this] { return now_; };
    return TJournal::Open(scratch_->Location(), options);
  }

  static TJobRequest Request(std::vector<TSerialRange> ranges, bool reprint = false) {
    TJobRequest r;
    r.family = TTapeFamily::Dlt;
    r.media = "dlt4";
    r.output = TOutputKind::Printer;
    r.target = "Office-1";
    r.ranges = std::move(ranges);
    r.reprint = reprint;
    return r;
  }

  // Prints a job whole, a page of 30 at a time.
  static std::int64_t PrintAll(TJournal& j, const TSerialRange& range, bool reprint = false) {
    const TReservation r = j.Reserve(Request({range}, reprint));
    EXPECT_TRUE(r.Granted());
    for (int page = range.first; page <= range.last; page += 30) {
      const TSerialRange sheet = Range(range.prefix, range.width, page, std::min(range.last, page + 29));
      j.MarkSending(r.jobId, sheet);
      j.MarkSent(r.jobId, sheet);
    }
    j.Finish(r.jobId, TJobOutcome::Printed);
    return r.jobId;
  }

  std::unique_ptr<TScratchJournal> scratch_;
  TProcessIdentity ops_;
  std::int64_t now_ = Utc(2026, 12, 1, 14, 2);
};

TEST_P(JournalStore, PrintedSerialsAreRefusedWithWhenWhereAndWho) {
  auto j = Open();
  EXPECT_EQ(j->SchemaVersion(), TJournal::kSchemaVersion);
  const std::int64_t id = PrintAll(*j, Range("ABC", 3, 100, 129));
  now_ += 3600;

  const TReservation again = j->Reserve(Request({Range("ABC", 3, 110, 115), Range("ABC", 3, 200, 210)}));
  EXPECT_FALSE(again.Granted());
  ASSERT_EQ(again.conflicts.size(), 1u);
  EXPECT_EQ(again.conflicts[0].job.id, id);
  EXPECT_EQ(DescribeConflict(again.conflicts[0]),
            "ABC110 to ABC115 were printed on 2026-12-01 14:02 by ops on tapehost to printer Office-1");
  // Refused means nothing reserved: ABC200 is still free, and only one job exists.
  EXPECT_TRUE(j->Check({Range("ABC", 3, 200, 210)}).empty());
  EXPECT_EQ(j->List({}).size(), 1u);

  // The record survives a reopen, as printed, with every serial sent.
  j.reset();
  j = Open();
  const auto job = j->Job(id);
  ASSERT_TRUE(job);
  EXPECT_EQ(job->outcome, TJobOutcome::Printed);
  EXPECT_EQ(job->RangesIn(TPieceState::Sent), std::vector<TSerialRange>{Range("ABC", 3, 100, 129)});
  EXPECT_EQ(job->user, "ops");
  EXPECT_EQ(job->target, "Office-1");
  EXPECT_FALSE(j->Reserve(Request({Range("ABC", 3, 129, 129)})).Granted());
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 130, 130)})).Granted());
}

TEST_P(JournalStore, DeliberateReprintIsRecordedAsOne) {
  auto j = Open();
  PrintAll(*j, Range("ABC", 3, 100, 129));
  const std::int64_t reprint = PrintAll(*j, Range("ABC", 3, 112, 112), true);
  EXPECT_TRUE(j->Job(reprint)->reprint);

  const TReservation third = j->Reserve(Request({Range("ABC", 3, 112, 113)}));
  ASSERT_FALSE(third.Granted());
  std::vector<std::string> said;
  for (const TConflict& c : third.conflicts) said.push_back(DescribeConflict(c));
  std::sort(said.begin(), said.end());
  EXPECT_EQ(said, (std::vector<std::string>{
                      "ABC112 to ABC113 were printed on 2026-12-01 14:02 by ops on tapehost to printer Office-1",
                      "ABC112 was reprinted on 2026-12-01 14:02 by ops on tapehost to printer Office-1"}));
}

TEST_P(JournalStore, RunningJobHoldsItsSerialsEvenAgainstAReprint) {
  auto j = Open();
  const TReservation first = j->Reserve(Request({Range("ABC", 3, 100, 159)}));
  ASSERT_TRUE(first.Granted());
  j->MarkSending(first.jobId, Range("ABC", 3, 100, 129));

  for (bool reprint : {false, true}) {
    const TReservation second = j->Reserve(Request({Range("ABC", 3, 120, 140)}, reprint));
    EXPECT_FALSE(second.Granted()) << reprint;
    ASSERT_EQ(second.conflicts.size(), 2u);
    for (const TConflict& c : second.conflicts) EXPECT_TRUE(c.HeldByRunningJob());
  }
  const auto conflicts = j->Check({Range("ABC", 3, 150, 150)});
  ASSERT_EQ(conflicts.size(), 1u);
  EXPECT_EQ(DescribeConflict(conflicts[0]),
            "ABC150 is reserved by a job still running, started on 2026-12-01 14:02 by ops on tapehost for printer "
            "Office-1");
  EXPECT_EQ(j->Job(first.jobId)->outcome, TJobOutcome::Printing);
}

TEST_P(JournalStore, FailedPartWayKeepsWhatReachedTheOutputAndFreesTheRest) {
  auto j = Open();
  const TReservation r = j->Reserve(Request({Range("ABC", 3, 100, 189)}));
  ASSERT_TRUE(r.Granted());
  j->MarkSending(r.jobId, Range("ABC", 3, 100, 129));
  j->MarkSent(r.jobId, Range("ABC", 3, 100, 129));
  j->MarkSending(r.jobId, Range("ABC", 3, 130, 159));  // handed over, then the printer failed
  j->Finish(r.jobId, TJobOutcome::Failed);

  const TJobRecord job = *j->Job(r.jobId);
  EXPECT_EQ(job.outcome, TJobOutcome::Failed);
  EXPECT_EQ(job.RangesIn(TPieceState::Sent), std::vector<TSerialRange>{Range("ABC", 3, 100, 129)});
  EXPECT_EQ(job.RangesIn(TPieceState::Sending), std::vector<TSerialRange>{Range("ABC", 3, 130, 159)});
  EXPECT_EQ(job.RangesIn(TPieceState::Freed), std::vector<TSerialRange>{Range("ABC", 3, 160, 189)});

  const auto doubt = j->Check({Range("ABC", 3, 140, 140)});
  ASSERT_EQ(doubt.size(), 1u);
  EXPECT_EQ(DescribeConflict(doubt[0]),
            "ABC140 may have been printed on 2026-12-01 14:02 by ops on tapehost to printer Office-1 (the job failed "
            "before the output confirmed it)");
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 160, 189)})).Granted());
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 130, 159)}, true)).Granted());
}

TEST_P(JournalStore, CancelledBeforeAnythingWasSentFreesEverySerial) {
  auto j = Open();
  const TReservation r = j->Reserve(Request({Range("ABC", 3, 100, 129)}));
  j->Finish(r.jobId, TJobOutcome::Cancelled);
  EXPECT_EQ(j->Job(r.jobId)->outcome, TJobOutcome::Cancelled);
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 100, 129)})).Granted());
}

TEST_P(JournalStore, MisuseIsRefused) {
  auto j = Open();
  const TReservation r = j->Reserve(Request({Range("ABC", 3, 100, 129)}));
  EXPECT_THROW(j->MarkSent(r.jobId, Range("ABC", 3, 125, 135)), TJournalError);
  EXPECT_THROW(j->Finish(r.jobId, TJobOutcome::Interrupted), TJournalError);
  EXPECT_THROW(j->MarkSent(r.jobId + 100, Range("ABC", 3, 100, 100)), TJournalError);
  EXPECT_THROW(j->Reserve(Request({Range("ABC", 3, 300, 310), Range("ABC", 3, 305, 320)})), TJournalError);
  EXPECT_THROW(j->Reserve(Request({Range("AB1", 3, 300, 310)})), TJournalError);
  EXPECT_THROW(j->Reserve(Request({})), TJournalError);
  // The failed mark changed nothing.
  EXPECT_EQ(j->Job(r.jobId)->RangesIn(TPieceState::Reserved), std::vector<TSerialRange>{Range("ABC", 3, 100, 129)});
}

TEST_P(JournalStore, JobOfADeadProcessOnThisHostIsShownInterruptedOnOpen) {
  TProcessIdentity dead = ops_;
  dead.token = "another-boot:1";  // this pid, but not this process
  std::int64_t id = 0;
  {
    auto j = Open(dead);
    const TReservation r = j->Reserve(Request({Range("ABC", 3, 100, 159)}));
    id = r.jobId;
    j->MarkSending(id, Range("ABC", 3, 100, 129));
    j->MarkSent(id, Range("ABC", 3, 100, 129));
    j->MarkSending(id, Range("ABC", 3, 130, 131));
  }
  auto j = Open();
  ASSERT_EQ(j->Interrupted().size(), 1u);
  const TJobRecord& job = j->Interrupted()[0];
  EXPECT_EQ(job.id, id);
  EXPECT_EQ(job.outcome, TJobOutcome::Interrupted);
  EXPECT_EQ(job.RangesIn(TPieceState::Sent), std::vector<TSerialRange>{Range("ABC", 3, 100, 129)});
  EXPECT_EQ(job.RangesIn(TPieceState::Sending), std::vector<TSerialRange>{Range("ABC", 3, 130, 131)});
  EXPECT_EQ(job.RangesIn(TPieceState::Freed), std::vector<TSerialRange>{Range("ABC", 3, 132, 159)});
  EXPECT_EQ(j->Job(id)->outcome, TJobOutcome::Interrupted);
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 132, 159)})).Granted());
  // Only once: the next open finds nothing new.
  j.reset();
  EXPECT_TRUE(Open()->Interrupted().empty());
}

// Another machine, or a container or clone with the same host name and pid:
// its job is judged by its lease on the server's clock (PostgreSQL), never
// by a client's clock, and on a journal file never by age: an operator
// releases it.
TEST_P(JournalStore, JobElsewhereIsFreedOnlyByTheServersClockOrAnOperator) {
  const bool pg = GetParam() == "postgresql";
  TProcessIdentity clone = ops_;  // same host name, same pid
  clone.token = "clone-boot:1";
  clone.machine = "cloned-image/other-boot/pid:[1]";
  std::int64_t id = 0;
  {
    auto j = Open(clone);
    id = j->Reserve(Request({Range("ABC", 3, 100, 129)})).jobId;
    j->MarkSending(id, Range("ABC", 3, 100, 100));
  }
  now_ += 24 * 3600;  // this client's clock a day ahead of the job's
  {
    auto j = Open();
    EXPECT_TRUE(j->Interrupted().empty());
    EXPECT_TRUE(j->RunningElsewhere(*j->Job(id)));
    EXPECT_FALSE(j->Reserve(Request({Range("ABC", 3, 101, 101)})).Granted());
  }
  ExecRaw(scratch_->Location(), {"UPDATE job SET lease_until = 1000"});  // lapsed by any clock
  auto j = Open();
  EXPECT_EQ(j->Interrupted().size(), pg ? 1u : 0u);
  if (!pg) {
    const TJobRecord released = j->Release(id);
    EXPECT_EQ(released.outcome, TJobOutcome::Interrupted);
    EXPECT_THROW(j->Release(id), TJournalError);
  }
  EXPECT_EQ(j->Job(id)->outcome, TJobOutcome::Interrupted);
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 101, 129)})).Granted());
  // ABC100 was handed to the output: in doubt, printed again only deliberately.
  EXPECT_FALSE(j->Reserve(Request({Range("ABC", 3, 100, 100)})).Granted());
}

TEST_P(JournalStore, ListFiltersBySerialAndDate) {
  auto j = Open();
  const std::int64_t a = PrintAll(*j, Range("ABC", 3, 100, 129));
  now_ += 86400;
  const std::int64_t b = PrintAll(*j, Range("ABC", 3, 130, 159));
  now_ += 86400;
  const std::int64_t c = PrintAll(*j, Range("X", 5, 990, 2010));  // rows split at 1000 and 2000
  const auto serial = [](const char* s) {
    TJobFilter f;
    f.serial = s;
    return f;
  };
  const auto ids = [](const std::vector<TJobRecord>& jobs) {
    std::vector<std::int64_t> out;
    for (const TJobRecord& job : jobs) out.push_back(job.id);
    return out;
  };
  EXPECT_EQ(ids(j->List({})), (std::vector<std::int64_t>{c, b, a}));
  EXPECT_EQ(ids(j->List(serial("ABC129"))), std::vector<std::int64_t>{a});
  EXPECT_EQ(ids(j->List(serial("ABC130"))), std::vector<std::int64_t>{b});
  EXPECT_EQ(ids(j->List(serial("X01500"))), std::vector<std::int64_t>{c});
  EXPECT_EQ(ids(j->List(serial("ABC160"))), std::vector<std::int64_t>{});
  TJobFilter dates;
  dates.from = now_ - 86400;
  dates.to = now_ - 1;
  EXPECT_EQ(ids(j->List(dates)), std::vector<std::int64_t>{b});
  EXPECT_EQ(j->Job(c)->RangesIn(TPieceState::Sent), std::vector<TSerialRange>{Range("X", 5, 990, 2010)});
  EXPECT_THROW(j->List(serial("abc!")), TJournalError);
  // A conflict across the row boundaries is still found.
  EXPECT_EQ(j->Check({Range("X", 5, 1999, 2000)}).size(), 1u);
}

TEST_P(JournalStore, MalformedRowsFromASharedJournalAreShownAsUnreadable) {
  auto j = Open();
  const std::int64_t good = PrintAll(*j, Range("ABC", 3, 100, 129));
  ExecRaw(scratch_->Location(),
          {"INSERT INTO job (started_at, finished_at, lease_until, user_name, host, pid, process_token, family, media,"
           " output_kind, output_target, outcome, reprint) VALUES (1, 2, 3, 'eve', 'h', 1, '', 'DLT', 'dlt4',"
           " 'printer', 'P', 'exploded', 0)",
           "INSERT INTO job_range (job_id, prefix, width, first_number, last_number, state) VALUES"
           " ((SELECT MAX(id) FROM job), 'ABC', 3, 300, 310, 'sent')"});
  // Listed in its place with the serials it holds, the reason told apart.
  const std::vector<TJobRecord> listed = j->List({});
  ASSERT_EQ(listed.size(), 2u);
  const TJobRecord& bad = listed[1];
  EXPECT_EQ(bad.user, "unreadable row " + std::to_string(bad.id));
  EXPECT_EQ(bad.RangesIn(TPieceState::Sent), std::vector<TSerialRange>{Range("ABC", 3, 300, 310)});
  ASSERT_EQ(j->Problems().size(), 1u);
  EXPECT_NE(j->Problems()[0].find("unreadable row " + std::to_string(bad.id) + ": "), std::string::npos);
  EXPECT_NE(j->Problems()[0].find("outcome 'exploded' is not a known value"), std::string::npos) << j->Problems()[0];
  // Its serials stay taken: refused as printed before, passed by a
  // deliberate reprint; the rest of the journal works on.
  const TReservation refused = j->Reserve(Request({Range("ABC", 3, 305, 305)}));
  EXPECT_FALSE(refused.Granted());
  ASSERT_EQ(refused.conflicts.size(), 1u);
  EXPECT_EQ(refused.conflicts[0].job.id, bad.id);
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 305, 305)}, true)).Granted());
  EXPECT_TRUE(j->Reserve(Request({Range("ABC", 3, 400, 410)})).Granted());
  EXPECT_EQ(j->Job(good)->outcome, TJobOutcome::Printed);
}

// Names with control characters or past the row's bounds, from the process
// or the request, never make the journal refuse its own rows.
TEST_P(JournalStore, ItsOwnRowsAlwaysReadBack) {
  TProcessIdentity odd = ops_;
  odd.user = "op\ts\n" + std::string(300, 'x');
  odd.host = "tape\x1b[31mhost";
  auto j = Open(odd);
  TJobRequest request = Request({Range("ABC", 3, 100, 109)});
  request.target = std::string(5000, 'p') + "\n";
  const std::int64_t id = j->Reserve(request).jobId;
  ASSERT_NE(id, 0);
  j->MarkSending(id, Range("ABC", 3, 100, 109));
  j->MarkSent(id, Range("ABC", 3, 100, 109));
  j->Finish(id, TJobOutcome::Printed);
  const std::vector<TJobRecord> listed = j->List({});
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_TRUE(j->Problems().empty()) << j->Problems()[0];
  EXPECT_EQ(listed[0].outcome, TJobOutcome::Printed);
  EXPECT_TRUE(listed[0].user.starts_with("op\\x09s\\x0axxx")) << listed[0].user;
  EXPECT_TRUE(listed[0].user.ends_with("...")) << listed[0].user;
  EXPECT_EQ(listed[0].host, "tape\\x1b[31mhost");
  // Another process on those serials gets the usual conflict.
  EXPECT_EQ(Open()->Check({Range("ABC", 3, 105, 105)}).size(), 1u);
}

TEST_P(JournalStore, NewerSchemaIsRefusedAndLeftAlone) {
  Open().reset();
  ExecRaw(scratch_->Location(), {"UPDATE schema_version SET version = 7"});
  try {
    Open();
    ADD_FAILURE() << "opened a newer journal";
  } catch (const TJournalError& e) {
    EXPECT_NE(std::string(e.what()).find("schema version 7 is newer than this Vantor knows (2)"), std::string::npos)
        << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Databases, JournalStore, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

}  // namespace
}  // namespace vantor::journal
