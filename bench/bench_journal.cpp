// The journal's overlap check against 100,000 recorded jobs, on SQLite and on
// PostgreSQL (the server from scripts/pg-server, its URL in VANTOR_TEST_PG or
// $VANTOR_PG_DIR/url; skipped without one). The jobs are written straight
// into the tables in large batches: 30 serials each, 33 to a prefix, over
// 3031 prefixes, all printed. Cases: a job whose serials are free, one that
// meets a printed job, and a whole reservation (check and record, then
// cancelled so the journal keeps its size).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "journal/qt/Journal.h"

using namespace vantor::journal;

namespace {

constexpr int kJobs = 100000;
constexpr int kPerPrefix = 33;

std::string PrefixOf(int job) {
  const int p = job / kPerPrefix;
  return {static_cast<char>('A' + p / 676 % 26), static_cast<char>('A' + p / 26 % 26), static_cast<char>('A' + p % 26)};
}

bool Fill(const TJournalLocation& where) {
  { TJournal::Create(where).reset(); }
  const bool pg = where.kind == TJournalLocation::TKind::Postgres;
  bool ok = true;
  {
    QSqlDatabase db =
        QSqlDatabase::addDatabase(pg ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    if (pg) {
      db.setHostName(QString::fromStdString(where.host));
      db.setPort(where.port);
      db.setUserName(QString::fromStdString(where.user));
      db.setDatabaseName(QString::fromStdString(where.database));
    } else {
      db.setDatabaseName(QString::fromStdString(where.path));
    }
    ok = db.open();
    QSqlQuery q(db);
    ok = ok && q.exec(QStringLiteral("BEGIN"));
    constexpr int kBatch = 500;
    for (int start = 0; ok && start < kJobs; start += kBatch) {
      std::string jobs =
          "INSERT INTO job (id, started_at, finished_at, lease_until, user_name, host, pid, "
          "process_token, family, media, output_kind, output_target, outcome, reprint) VALUES ";
      std::string ranges = "INSERT INTO job_range (job_id, prefix, width, first_number, last_number, state) VALUES ";
      for (int i = start; i < start + kBatch; ++i) {
        const std::string id = std::to_string(i + 1), t = std::to_string(1700000000 + i * 60);
        const int first = (i % kPerPrefix) * 30;
        jobs += (i > start ? ", (" : "(") + id + ", " + t + ", " + t + ", " + t +
                ", 'ops', 'tapehost', 1, '', 'DLT', 'dlt4', 'printer', 'Office-1', 'printed', 0)";
        ranges += (i > start ? ", (" : "(") + id + ", '" + PrefixOf(i) + "', 3, " + std::to_string(first) + ", " +
                  std::to_string(first + 29) + ", 'sent')";
      }
      ok = q.exec(QString::fromStdString(jobs)) && q.exec(QString::fromStdString(ranges));
    }
    if (pg && ok) ok = q.exec(QStringLiteral("SELECT setval('job_id_seq', %1)").arg(kJobs));
    ok = ok && q.exec(QStringLiteral("COMMIT"));
    if (ok) q.exec(QStringLiteral("ANALYZE"));
    if (!ok) std::cerr << "bench_journal: filling failed: " << q.lastError().text().toStdString() << '\n';
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fill"));
  return ok;
}

std::unique_ptr<TJournal> gJournal[2];

void CheckFree(benchmark::State& state, int which) {
  TJournal& j = *gJournal[which];
  int n = 0;
  for (auto _ : state) {
    // Serials 990-999 of a prefix in use: no job printed them.
    const auto conflicts = j.Check({{PrefixOf(n * kPerPrefix % kJobs), 3, 990, 999}});
    if (!conflicts.empty()) state.SkipWithError("a free range conflicted");
    ++n;
  }
}

void CheckPrinted(benchmark::State& state, int which) {
  TJournal& j = *gJournal[which];
  int n = 0;
  for (auto _ : state) {
    const int job = (n * 7919) % kJobs;
    const int first = (job % kPerPrefix) * 30 + 10;
    const auto conflicts = j.Check({{PrefixOf(job), 3, first, first + 29}});
    // It meets the job and the next one of the same prefix, where there is one.
    const std::size_t expected = job % kPerPrefix < kPerPrefix - 1 && job + 1 < kJobs ? 2 : 1;
    if (conflicts.size() != expected) state.SkipWithError("a printed range was not found");
    ++n;
  }
}

void ReserveAndCancel(benchmark::State& state, int which) {
  TJournal& j = *gJournal[which];
  TJobRequest r;
  r.media = "dlt4";
  r.target = "Office-1";
  r.output = TOutputKind::Printer;
  r.ranges = {{"ZZZ", 3, 100, 129}};
  for (auto _ : state) {
    const TReservation got = j.Reserve(r);
    if (!got.Granted()) state.SkipWithError("a free range was refused");
    j.Finish(got.jobId, TJobOutcome::Cancelled);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);

  const std::filesystem::path file = std::filesystem::path(VANTOR_BENCH_TMP) / "bench_journal.sqlite";
  for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(file.string() + suffix);
  TJournalLocation sqlite;
  sqlite.path = file.string();
  const char* names[] = {"sqlite", "postgresql"};

  std::optional<TJournalLocation> pg;
  std::string url = std::getenv("VANTOR_TEST_PG") ? std::getenv("VANTOR_TEST_PG") : "";
  if (const char* dir = std::getenv("VANTOR_PG_DIR"); url.empty() && dir) {
    std::getline(std::ifstream(std::string(dir) + "/url"), url);
    setenv("PGPASSFILE", (std::string(dir) + "/pgpass").c_str(), 0);
  }
  QString dropPg;
  if (!url.empty() && ParseJournalLocation(url).value) {
    TJournalLocation admin = *ParseJournalLocation(url).value;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
      db.setHostName(QString::fromStdString(admin.host));
      db.setPort(admin.port);
      db.setUserName(QString::fromStdString(admin.user));
      db.setDatabaseName(QString::fromStdString(admin.database));
      const std::string name = "vantor_bench_" + std::to_string(getpid());
      if (db.open() && QSqlQuery(db).exec(QString::fromStdString("CREATE DATABASE " + name))) {
        pg = admin;
        pg->database = name;
        dropPg = QString::fromStdString("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
      }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
  }
  if (!pg) std::cerr << "bench_journal: no PostgreSQL server (scripts/pg-server); timing SQLite only\n";

  const TJournalLocation* where[] = {&sqlite, pg ? &*pg : nullptr};
  for (int i = 0; i < 2; ++i) {
    if (!where[i]) continue;
    if (!Fill(*where[i])) return 1;
    gJournal[i] = TJournal::Open(*where[i]);
    const std::string name = names[i];
    benchmark::RegisterBenchmark((name + "/check_free/100000_jobs").c_str(), CheckFree, i)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((name + "/check_printed/100000_jobs").c_str(), CheckPrinted, i)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((name + "/reserve_and_cancel/100000_jobs").c_str(), ReserveAndCancel, i)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (auto& j : gJournal) j.reset();
  if (!dropPg.isEmpty()) {
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
      const TJournalLocation admin = *ParseJournalLocation(url).value;
      db.setHostName(QString::fromStdString(admin.host));
      db.setPort(admin.port);
      db.setUserName(QString::fromStdString(admin.user));
      db.setDatabaseName(QString::fromStdString(admin.database));
      if (db.open()) QSqlQuery(db).exec(dropPg);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
  }
  return 0;
}
