// The print journal's store on Qt SQL: SQLite in the user's data folder by
// default (write-ahead log), or a shared PostgreSQL server; the same schema
// and queries on both. Every change is one transaction that takes the
// journal's write lock first (SQLite: BEGIN IMMEDIATE; PostgreSQL: a
// transaction-scoped advisory lock), so two processes checking and reserving
// the same serials at once are served one after the other.
//
// A print path calls Reserve before anything prints, MarkSending before a
// page's serials are handed to the output and MarkSent once the output has
// them, Renew with every page, and Finish at the end. Storage faults throw TJournalError naming the
// cause; a refused reservation is a normal result listing the conflicts.
#pragma once

#include <QSqlError>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "journal/JobLog.h"
#include "journal/JobRecord.h"
#include "journal/JournalRow.h"
#include "journal/Process.h"

namespace vantor::journal {

class TJournalError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The location holds no journal: a file that is not there, or a database
// without the journal's tables. Create makes one there.
class TNoJournalError : public TJournalError {
 public:
  using TJournalError::TJournalError;
};

struct TJournalLocation {
  enum class TKind { Sqlite, Postgres };
  TKind kind = TKind::Sqlite;
  std::string path;  // SQLite
  std::string host, database, user;
  int port = 5432;
  // The URL's query, checked, in its order: sslmode, connect_timeout and
  // application_name; nothing else reaches the server's client library.
  std::vector<std::pair<std::string, std::string>> options;

  // The path, or the URL (it never holds a password), percent-encoded so it
  // reads back as the same location.
  std::string Display() const;
};

// A file path, or postgresql://user@host[:port]/database[?sslmode=MODE&
// connect_timeout=SECONDS&application_name=TEXT] (postgres:// too). Refused:
// a password in the URL (it would end up in settings and shell histories),
// control characters, raw or percent-encoded (the client library would take
// them as separators between its own parameters), any other parameter. An
// error never shows a password: it reads ***.
TParsed<TJournalLocation> ParseJournalLocation(const std::string& text);
// journal.sqlite in the user's data folder (QStandardPaths::AppDataLocation).
std::string DefaultJournalPath();

struct TJobFilter {
  std::optional<std::string> serial;     // jobs holding this serial in any state
  std::optional<std::int64_t> from, to;  // started within [from, to], Unix seconds
  int limit = 1000;
};

class TJournal : public TJobLog {
 public:
  struct TOptions {
    // Asked when the server wants a password and neither VANTOR_JOURNAL_PASSWORD
    // nor PGPASSWORD gives it; returns nothing to give up. Never stored.
    std::function<std::optional<std::string>(const std::string& where)> passwordPrompt;
    std::optional<TProcessIdentity> self;  // default: this process
    std::function<std::int64_t()> clock;   // default: the system clock
    int busyTimeoutMs = 10000;             // SQLite: how long to wait for another writer
    // Runs inside Reserve between the check and the record; the tests widen
    // the window there to show that a second process cannot slip in.
    std::function<void()> betweenCheckAndRecord;
    // Only the default journal is made on first use: a location given or
    // kept in the settings that holds no journal is refused (a share that
    // is not mounted, a mistyped name), and Create makes one on purpose.
    bool createIfMissing = false;
    // For listing: nothing is written (no migration, no sweep), so a
    // read-only journal can still be read.
    bool readOnly = false;
    // How often a running job's lease is renewed in the background (0: never)
    // and how long it lasts.
    int renewEveryMs = kRenewEveryMs;
    std::int64_t leaseSeconds = kLeaseSeconds;
  };

  // 2: the machine a job ran on, and a conflict noted by its process.
  static constexpr int kSchemaVersion = 2;

  // Opens an existing journal (migrating its schema) and marks jobs left
  // reserved or printing by dead processes as interrupted. Throws
  // TJournalError: also for a location without a journal, unless
  // `createIfMissing`.
  static std::unique_ptr<TJournal> Open(const TJournalLocation& where, TOptions options);
  static std::unique_ptr<TJournal> Open(const TJournalLocation& where) { return Open(where, TOptions()); }
  // Makes a new journal: a file whose folder exists, or the schema in an
  // empty PostgreSQL database. Refuses a file or database that holds tables.
  static std::unique_ptr<TJournal> Create(const TJournalLocation& where, TOptions options);
  static std::unique_ptr<TJournal> Create(const TJournalLocation& where) { return Create(where, TOptions()); }
  ~TJournal() override;
  TJournal(const TJournal&) = delete;
  TJournal& operator=(const TJournal&) = delete;

  const TJournalLocation& Location() const { return where_; }
  // Jobs this Open found abandoned and marked interrupted, with their pieces.
  const std::vector<TJobRecord>& Interrupted() const { return interrupted_; }
  // Jobs the last List could not read, one message each; the list shows each
  // as "unreadable row N" in its place.
  const std::vector<std::string>& Problems() const { return problems_; }

  // The serials' conflicts without reserving anything.
  std::vector<TConflict> Check(const std::vector<TSerialRange>& ranges);
  // Reserves every serial of the job in one transaction, or none: refused
  // when one was printed (or may have been) unless the request is a
  // deliberate reprint, and always when a running job holds one.
  TReservation Reserve(const TJobRequest& request) override;
  // Serials handed to the output (sending) and confirmed by it (sent). Throws
  // when a serial is not the job's.
  void MarkSending(std::int64_t jobId, const TSerialRange& serials) override;
  void MarkSent(std::int64_t jobId, const TSerialRange& serials) override;
  void MarkRefused(std::int64_t jobId, const TSerialRange& serials) override;
  // Keeps a running job's lease (MarkSending and MarkSent renew it too); a
  // background thread renews the jobs this journal reserved as well. Throws
  // when the job was declared interrupted meanwhile: it must stop.
  void Renew(std::int64_t jobId) override;
  // printed, failed or cancelled: reserved serials are freed. A job another
  // process declared interrupted keeps that outcome: what this one did is
  // recorded beside it as a conflict, and TJournalError says so.
  void Finish(std::int64_t jobId, TJobOutcome outcome) override;
  // An operator ends a job running elsewhere (or left by a dead process) as
  // interrupted, freeing its reserved serials. Refused for a job whose
  // process still runs on this machine, and for a job that has ended.
  TJobRecord Release(std::int64_t jobId);
  // A running job whose process cannot be looked up from here.
  bool RunningElsewhere(const TJobRecord& job) const;

  std::optional<TJobRecord> Job(std::int64_t jobId);
  // Newest first.
  std::vector<TJobRecord> List(const TJobFilter& filter);
  int SchemaVersion();

 private:
  class TTransaction;
  class TLeaseKeeper;
  enum class TMode { Open, Create, Attach };
  TJournal(TJournalLocation where, TOptions options);
  static std::unique_ptr<TJournal> Make(const TJournalLocation& where, TOptions options, TMode mode);
  void Connect(TMode mode);
  void Migrate(TMode mode);
  void CheckStillThere() const;
  std::optional<std::int64_t> LeaseNow();
  std::int64_t LeaseBase();
  void NoteConflict(std::int64_t jobId, const std::string& text);
  [[noreturn]] void Conflicted(const TJobRecord& job, const std::string& did);
  bool OutputNeverPlaced(const TJobRecord& job) const;
  void SweepAbandoned();
  std::int64_t Now() const;
  TJobRecord LoadJob(std::int64_t id, bool withPieces);
  void StorePieces(std::int64_t id, const std::vector<TRangePiece>& pieces);
  void StoreJobState(const TJobRecord& job);
  void Interrupt(TJobRecord& job, bool sweeping);
  std::vector<TConflict> FindConflicts(const std::vector<TSerialRange>& ranges, bool sweep);
  void Mark(std::int64_t jobId, const TSerialRange& serials, TPieceState to);
  [[noreturn]] void Fail(const std::string& doing, const QSqlError& error) const;

  TJournalLocation where_;
  TOptions options_;
  TProcessIdentity self_;
  QString connection_;
  int version_ = kSchemaVersion;
  std::string password_;  // the one the prompt gave, for the lease keeper's connection; never stored
  bool createdFile_ = false;
  std::uint64_t device_ = 0, inode_ = 0;  // SQLite: the file opened, to see it go
  std::unique_ptr<TLeaseKeeper> keeper_;
  std::map<std::int64_t, std::chrono::steady_clock::time_point> renewed_;
  std::vector<TJobRecord> interrupted_;
  std::vector<std::string> problems_;
};

}  // namespace vantor::journal
