// Journals for the tests: a fresh SQLite file, or a fresh database on the
// PostgreSQL server that scripts/pg-server started (its URL in VANTOR_TEST_PG,
// else in url in its folder: $VANTOR_PG_DIR, else the one ~/.cache/vantor-pg-dir
// names; the superuser's password from pgpass there).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "journal/qt/Journal.h"

namespace vantor::journal::testing {

// The folder of the test server, or nothing.
inline std::string PostgresDir() {
  if (const char* dir = std::getenv("VANTOR_PG_DIR"); dir && *dir) return dir;
  const char* home = std::getenv("HOME");
  std::ifstream pointer(std::string(home ? home : "") + "/.cache/vantor-pg-dir");
  std::string dir;
  std::getline(pointer, dir);
  return dir;
}

// The test server's URL; its password file becomes PGPASSFILE (for the
// programs the tests start too) unless one is set.
inline std::string PostgresUrl() {
  const std::string dir = PostgresDir();
  if (!dir.empty() && !std::getenv("PGPASSFILE") && std::filesystem::exists(dir + "/pgpass"))
    setenv("PGPASSFILE", (dir + "/pgpass").c_str(), 0);
  if (const char* url = std::getenv("VANTOR_TEST_PG"); url && *url) return url;
  if (dir.empty()) return {};
  std::ifstream in(dir + "/url");
  std::string url;
  std::getline(in, url);
  return url;
}

// A journal location of one kind that is gone when this is; a journal is
// made there unless `made` is false (an empty database, a file not there).
class TScratchJournal {
 public:
  explicit TScratchJournal(const std::string& kind, bool made = true) {
    Prepare(kind);
    if (ok_ && made) TJournal::Create(location_).reset();
  }
  void Prepare(const std::string& kind) {
    static std::atomic<int> counter{0};
    const std::string name = "vj_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    if (kind == "sqlite") {
      dir_ = std::filesystem::temp_directory_path() / name;
      std::filesystem::create_directories(dir_);
      location_.path = (dir_ / "journal.sqlite").string();
      ok_ = true;
      return;
    }
    const std::string url = PostgresUrl();
    if (url.empty()) {
      why_ = "no PostgreSQL server for the journal tests: start one with scripts/pg-server (or set VANTOR_TEST_PG)";
      return;
    }
    TParsed<TJournalLocation> admin = ParseJournalLocation(url);
    if (!admin.value) {
      why_ = "VANTOR_TEST_PG: " + admin.error;
      return;
    }
    admin_ = *admin.value;
    {
      QSqlDatabase db = AdminConnection();
      if (!db.open()) {
        why_ = "the PostgreSQL server at " + url + " cannot be reached: " + db.lastError().text().toStdString();
      } else {
        QSqlQuery q(db);
        if (q.exec(QString::fromStdString("CREATE DATABASE " + name))) {
          location_ = admin_;
          location_.database = name;
          ok_ = true;
        } else {
          why_ = "cannot create a test database: " + q.lastError().text().toStdString();
        }
      }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vantor-test-admin"));
  }
  ~TScratchJournal() {
    if (!dir_.empty()) {
      std::error_code ec;
      std::filesystem::remove_all(dir_, ec);
    }
    if (ok_ && location_.kind == TJournalLocation::TKind::Postgres) {
      {
        QSqlDatabase db = AdminConnection();
        if (db.open())
          QSqlQuery(db).exec(QString::fromStdString("DROP DATABASE IF EXISTS " + location_.database + " WITH (FORCE)"));
      }
      QSqlDatabase::removeDatabase(QStringLiteral("vantor-test-admin"));
    }
  }
  TScratchJournal(const TScratchJournal&) = delete;
  TScratchJournal& operator=(const TScratchJournal&) = delete;

  bool Ok() const { return ok_; }
  const std::string& WhyNot() const { return why_; }
  const TJournalLocation& Location() const { return location_; }
  std::string Text() const { return location_.Display(); }

 private:
  QSqlDatabase AdminConnection() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("vantor-test-admin"));
    db.setHostName(QString::fromStdString(admin_.host));
    db.setPort(admin_.port);
    db.setDatabaseName(QString::fromStdString(admin_.database));
    db.setUserName(QString::fromStdString(admin_.user));
    db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    return db;
  }

  bool ok_ = false;
  std::string why_;
  std::filesystem::path dir_;
  TJournalLocation admin_;
  TJournalLocation location_;
};

// Runs SQL on the journal behind the program's back, as another client would.
inline void ExecRaw(const TJournalLocation& where, const std::vector<std::string>& statements) {
  {
    const bool pg = where.kind == TJournalLocation::TKind::Postgres;
    QSqlDatabase db = QSqlDatabase::addDatabase(pg ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                QStringLiteral("vantor-test-raw"));
    if (pg) {
      db.setHostName(QString::fromStdString(where.host));
      db.setPort(where.port);
      db.setUserName(QString::fromStdString(where.user));
      db.setDatabaseName(QString::fromStdString(where.database));
    } else {
      db.setDatabaseName(QString::fromStdString(where.path));
    }
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    for (const std::string& s : statements) ASSERT_TRUE(q.exec(QString::fromStdString(s))) << s;
  }
  QSqlDatabase::removeDatabase(QStringLiteral("vantor-test-raw"));
}

inline TSerialRange Range(const std::string& prefix, int width, int first, int last) {
  return {prefix, width, first, last};
}

// Qt SQL wants an application object for its driver plugins.
class TCoreAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "vantor-journal-tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) app_ = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QCoreApplication> app_;
};

}  // namespace vantor::journal::testing
