// A journal's life: made only on purpose (or the default one on first use),
// never in place of one that went away; a job's process judged by where it
// ran, not by its host name; its lease kept alive while it runs; and an
// outcome set by another program never overwritten.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "journal/qt/Journal.h"
#include "journal/qt/JournalTestSupport.h"

namespace vantor::journal {
namespace {

namespace fs = std::filesystem;
using testing::Range;
using testing::TScratchJournal;

[[maybe_unused]] ::testing::Environment* const gApp =
    ::testing::AddGlobalTestEnvironment(new testing::TCoreAppEnvironment);

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const TJournalError& e) {
    return e.what();
  }
  return "(no error)";
}

TJobRequest Request(const TSerialRange& range, TOutputKind output = TOutputKind::Printer,
                    const std::string& target = "Office-1") {
  TJobRequest r;
  r.media = "dlt4";
  r.output = output;
  r.target = target;
  r.ranges = {range};
  return r;
}

// The tables of an SQLite file, and its journal mode, read behind the program's back.
std::pair<std::vector<std::string>, std::string> SqliteShape(const std::string& path) {
  std::pair<std::vector<std::string>, std::string> shape;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shape"));
    db.setDatabaseName(QString::fromStdString(path));
    if (db.open()) {
      QSqlQuery q(db);
      q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
      while (q.next()) shape.first.push_back(q.value(0).toString().toStdString());
      q.exec(QStringLiteral("PRAGMA journal_mode"));
      if (q.next()) shape.second = q.value(0).toString().toStdString();
    }
  }
  QSqlDatabase::removeDatabase(QStringLiteral("shape"));
  return shape;
}

TEST(JournalCreation, OnlyOnPurposeOrTheDefault) {
  const TScratchJournal scratch("sqlite", false);
  const fs::path dir = fs::path(scratch.Location().path).parent_path();
  TJournalLocation other;
  other.path = (dir / "other.sqlite").string();
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    db.setDatabaseName(QString::fromStdString(other.path));
    ASSERT_TRUE(db.open());
    ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE inventory (tape TEXT)")));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("other"));
  const auto at = [](const fs::path& p) {
    TJournalLocation l;
    l.path = p.string();
    return l;
  };
  TJournal::TOptions byDefault;
  byDefault.createIfMissing = true;
  struct TRow {
    const char* name;
    std::function<void()> act;
    std::string error;  // empty: done
    fs::path made;      // exists afterwards (empty: nothing to check)
    fs::path notMade;   // does not exist afterwards
  };
  const TRow rows[] = {
      {"unmounted share",
       [&] { TJournal::Open(at(dir / "share" / "vantor" / "journal.sqlite")); },
       "there is no journal here (vantor --journal-init ",
       {},
       dir / "share"},
      {"mistyped name",
       [&] { TJournal::Open(at(dir / "jounral.sqlite")); },
       "there is no journal here",
       {},
       dir / "jounral.sqlite"},
      {"read-only list of nothing",
       [&] {
         TJournal::TOptions list;
         list.readOnly = true;
         TJournal::Open(at(dir / "none.sqlite"), list);
       },
       "there is no journal here",
       {},
       dir / "none.sqlite"},
      {"unrelated database", [&] { TJournal::Open(other); }, "this is no print journal", {}, {}},
      {"init in a missing folder",
       [&] { TJournal::Create(at(dir / "nofolder" / "j.sqlite")); },
       "the folder " + (dir / "nofolder").string() + " does not exist",
       {},
       dir / "nofolder"},
      {"init over another database", [&] { TJournal::Create(other); }, "a file is there already", {}, {}},
      {"init", [&] { TJournal::Create(scratch.Location()); }, "", scratch.Location().path, {}},
      {"init again", [&] { TJournal::Create(scratch.Location()); }, "a file is there already", {}, {}},
      {"default on first use",
       [&] { TJournal::Open(at(dir / "data" / "journal.sqlite"), byDefault); },
       "",
       dir / "data" / "journal.sqlite",
       {}},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string error = ErrorOf(row.act);
    if (!row.error.empty()) {
      EXPECT_NE(error.find(row.error), std::string::npos) << error;
    } else {
      EXPECT_EQ(error, "(no error)");
    }
    if (!row.made.empty()) {
      EXPECT_TRUE(fs::exists(row.made));
    }
    if (!row.notMade.empty()) {
      EXPECT_FALSE(fs::exists(row.notMade));
    }
  }
  // The unrelated database was left as it was: no tables added, not switched to WAL.
  EXPECT_EQ(SqliteShape(other.path), (std::pair<std::vector<std::string>, std::string>{{"inventory"}, "delete"}));
}

TEST(JournalCreation, PostgresqlOnlyInAnEmptyDatabase) {
  const TScratchJournal scratch("postgresql", false);
  if (!scratch.Ok()) GTEST_SKIP() << scratch.WhyNot();
  EXPECT_NE(ErrorOf([&] { TJournal::Open(scratch.Location()); }).find("this is no print journal"), std::string::npos);
  EXPECT_EQ(ErrorOf([&] { TJournal::Create(scratch.Location()); }), "(no error)");
  EXPECT_NE(ErrorOf([&] { TJournal::Create(scratch.Location()); }).find("there is a journal here already"),
            std::string::npos);
  EXPECT_EQ(TJournal::Open(scratch.Location())->SchemaVersion(), TJournal::kSchemaVersion);
}

// A journal file deleted while a job runs fails the job; nothing is made in its place.
TEST(JournalLife, FileGoneMidJobFailsTheJob) {
  const TScratchJournal scratch("sqlite");
  auto j = TJournal::Open(scratch.Location());
  const TReservation r = j->Reserve(Request(Range("GON", 3, 100, 129)));
  ASSERT_TRUE(r.Granted());
  fs::remove(scratch.Location().path);
  EXPECT_NE(ErrorOf([&] { j->MarkSending(r.jobId, Range("GON", 3, 100, 129)); }).find("the journal file has gone"),
            std::string::npos);
  j.reset();
  EXPECT_FALSE(fs::exists(scratch.Location().path));
  EXPECT_NE(ErrorOf([&] { TJournal::Open(scratch.Location()); }).find("there is no journal here"), std::string::npos);
  EXPECT_FALSE(fs::exists(scratch.Location().path));
}

// A file moved away and back: the refused change leaves no transaction open,
// so the same journal takes the next job.
TEST(JournalLife, FileBackAfterGoneTakesTheNextJob) {
  const TScratchJournal scratch("sqlite");
  auto j = TJournal::Open(scratch.Location());
  const std::string away = scratch.Location().path + ".away";
  fs::rename(scratch.Location().path, away);
  EXPECT_NE(ErrorOf([&] { j->Reserve(Request(Range("BAK", 3, 100, 129))); }).find("the journal file has gone"),
            std::string::npos);
  fs::rename(away, scratch.Location().path);
  EXPECT_TRUE(j->Reserve(Request(Range("BAK", 3, 100, 129))).Granted());
}

class JournalJobs : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    scratch_ = std::make_unique<TScratchJournal>(GetParam());
    if (!scratch_->Ok()) GTEST_SKIP() << scratch_->WhyNot();
    here_ = CurrentProcess();
    elsewhere_ = here_;  // same host name and pid: a container or a cloned machine
    elsewhere_.token = "other-boot:1";
    elsewhere_.machine = "cloned-image/other-boot/pid:[1]";
  }
  std::unique_ptr<TJournal> Open(const TProcessIdentity& self, int renewEveryMs = kRenewEveryMs) {
    TJournal::TOptions options;
    options.self = self;
    options.renewEveryMs = renewEveryMs;
    options.clock = [this] { return clock_.load(); };
    return TJournal::Open(scratch_->Location(), options);
  }
  std::unique_ptr<TScratchJournal> scratch_;
  TProcessIdentity here_, elsewhere_;
  std::atomic<std::int64_t> clock_{
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count()};
};

// Declared interrupted by another program (here: released by an operator)
// while it ran: the job stops at its next page, what went out is recorded,
// and its end is noted beside the outcome, never over it.
TEST_P(JournalJobs, OutcomeSetByAnotherIsNeverOverwritten) {
  auto running = Open(elsewhere_);
  const TReservation r = running->Reserve(Request(Range("CNF", 3, 100, 159)));
  ASSERT_TRUE(r.Granted());
  running->MarkSending(r.jobId, Range("CNF", 3, 100, 129));
  Open(here_)->Release(r.jobId);
  struct TStep {
    const char* name;
    std::function<void()> act;
  };
  const TStep steps[] = {
      {"page confirmed", [&] { running->MarkSent(r.jobId, Range("CNF", 3, 100, 129)); }},
      {"next page", [&] { running->MarkSending(r.jobId, Range("CNF", 3, 130, 159)); }},
      {"end", [&] { running->Finish(r.jobId, TJobOutcome::Printed); }},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_NE(ErrorOf(step.act).find("was declared interrupted by another program while it ran"), std::string::npos);
  }
  const TJobRecord job = *Open(here_)->Job(r.jobId);
  EXPECT_EQ(job.outcome, TJobOutcome::Interrupted);
  EXPECT_EQ(job.conflict, "ended printed after it was declared interrupted");
  EXPECT_EQ(job.RangesIn(TPieceState::Sent), std::vector<TSerialRange>{Range("CNF", 3, 100, 129)});
  EXPECT_EQ(job.RangesIn(TPieceState::Freed), std::vector<TSerialRange>{Range("CNF", 3, 130, 159)});
}

// The lease is renewed in the background while the job's own thread is busy.
TEST_P(JournalJobs, LeaseIsRenewedWhileTheJobRuns) {
  auto j = Open(elsewhere_, 50);
  const TReservation r = j->Reserve(Request(Range("LSE", 3, 100, 129)));
  ASSERT_TRUE(r.Granted());
  const std::int64_t first = j->Job(r.jobId)->leaseUntil;
  clock_ += 3600;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const bool pg = GetParam() == "postgresql";
  std::int64_t lease = first;
  // PostgreSQL leases follow the server's clock, which moves on by itself.
  while ((pg ? lease == first : lease < clock_ + kLeaseSeconds) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    lease = Open(here_)->Job(r.jobId)->leaseUntil;
  }
  EXPECT_GT(lease, first);
  j->Finish(r.jobId, TJobOutcome::Printed);
}

// A job of this machine found dead: pages in hand-over to a file that was
// never put in place did not come out and are freed; to a file in place
// they stay in doubt.
TEST_P(JournalJobs, HandOverToAFileNeverPlacedIsFreed) {
  const fs::path dir = fs::temp_directory_path() / ("vj-out-" + std::to_string(getpid()));
  fs::create_directories(dir);
  struct TRow {
    const char* name;
    bool placed;
    TPieceState after;
  };
  const TRow rows[] = {{"never placed", false, TPieceState::Freed}, {"placed", true, TPieceState::Sending}};
  int first = 100;
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string target = (dir / (std::string(row.name) + ".pdf")).string();
    TProcessIdentity dead = here_;
    dead.token = "gone:1";  // this machine, this pid, another process
    const TSerialRange range = Range("PDF", 3, first, first + 29);
    first += 100;
    std::int64_t id = 0;
    {
      auto j = Open(dead);
      id = j->Reserve(Request(range, TOutputKind::Pdf, target)).jobId;
      j->MarkSending(id, range);
    }
    if (row.placed) std::ofstream(target) << "%PDF";
    auto j = Open(here_);
    ASSERT_EQ(j->Interrupted().size(), 1u);
    EXPECT_EQ(j->Job(id)->RangesIn(row.after), std::vector<TSerialRange>{range});
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Databases, JournalJobs, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

}  // namespace
}  // namespace vantor::journal
