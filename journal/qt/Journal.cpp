#include "journal/qt/Journal.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace vantor::journal {

namespace {

// Any fixed number: the key of the advisory lock every writer takes.
constexpr qint64 kWriteLockKey = 0x56414e544f52;  // "VANTOR"

const char* const kJobColumns =
    "id, started_at, finished_at, lease_until, user_name, host, pid, process_token, family, media, output_kind, "
    "output_target, outcome, reprint";
const char* const kRangeColumns = "job_id, prefix, width, first_number, last_number, state";

// The schema, one list of statements a version; [0] makes version 1. The id
// column is the one place the two dialects differ. Version 2's columns are
// empty on older rows, which read as jobs of another machine.
std::vector<std::vector<std::string>> Migrations(bool postgres) {
  const std::string id = postgres ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT";
  return {
      {
          "CREATE TABLE schema_version (version INTEGER NOT NULL)",
          "CREATE TABLE job (id " + id +
              ", started_at BIGINT NOT NULL, finished_at BIGINT, lease_until BIGINT NOT NULL,"
              " user_name TEXT NOT NULL, host TEXT NOT NULL, pid BIGINT NOT NULL, process_token TEXT NOT NULL,"
              " family TEXT NOT NULL, media TEXT NOT NULL, output_kind TEXT NOT NULL, output_target TEXT NOT NULL,"
              " outcome TEXT NOT NULL, reprint INTEGER NOT NULL)",
          "CREATE TABLE job_range (job_id BIGINT NOT NULL REFERENCES job(id), prefix TEXT NOT NULL,"
          " width INTEGER NOT NULL, first_number INTEGER NOT NULL, last_number INTEGER NOT NULL, state TEXT NOT NULL)",
          "CREATE INDEX job_range_serials ON job_range (prefix, width, first_number)",
          "CREATE INDEX job_range_job ON job_range (job_id)",
          "CREATE INDEX job_started ON job (started_at)",
          "CREATE INDEX job_outcome ON job (outcome)",
      },
      {
          "ALTER TABLE job ADD COLUMN machine TEXT",
          "ALTER TABLE job ADD COLUMN conflict TEXT",
      }};
}

// What the message of a failed statement adds to its cause: the first line
// the database gave (PostgreSQL adds details and hints on further lines, and
// Qt repeats the text in its own words).
std::string Detail(const QSqlError& e) {
  QString text = e.databaseText().trimmed();
  if (text.isEmpty()) text = e.driverText().trimmed();
  text = text.section(QLatin1Char('\n'), 0, 0).simplified();
  return text.toStdString();
}

std::optional<std::string> Column(const QSqlQuery& q, int i) {
  const QVariant v = q.value(i);
  if (v.isNull()) return std::nullopt;
  return v.toString().toStdString();
}

TRawJobRow RawJob(const QSqlQuery& q) {
  TRawJobRow r;
  std::optional<std::string>* fields[] = {&r.id,         &r.startedAt,    &r.finishedAt,   &r.leaseUntil, &r.user,
                                          &r.host,       &r.pid,          &r.processToken, &r.family,     &r.media,
                                          &r.outputKind, &r.outputTarget, &r.outcome,      &r.reprint};
  for (int i = 0; i < 14; ++i) *fields[i] = Column(q, i);
  return r;
}

TRawRangeRow RawRange(const QSqlQuery& q) {
  return {Column(q, 0), Column(q, 1), Column(q, 2), Column(q, 3), Column(q, 4), Column(q, 5)};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A job whose rows do not parse: the message, and the record shown in its
// place so one bad row neither hides the journal nor blocks its serials.
class TUnreadableRow : public TJournalError {
 public:
  TUnreadableRow(const std::string& what, TJobRecord shown) : TJournalError(what), shown_(std::move(shown)) {}
  const TJobRecord& Shown() const { return shown_; }

 private:
  TJobRecord shown_;
};

// A note from the journal as one line of plain text, however it was written.
std::string JournalTextOf(const QString& text) {
  QString out;
  for (const QChar c : text.left(500)) out += c.isPrint() ? c : QLatin1Char('?');
  return out.toStdString();
}

// What an SQLite or PostgreSQL error means for the operator.
std::string Cause(const QSqlError& e, bool postgres) {
  const QString text = e.text().trimmed();
  const auto has = [&](const char* s) { return text.contains(QLatin1String(s), Qt::CaseInsensitive); };
  if (!postgres) {
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok) & 0xff;
    if (ok) {
      switch (code) {
        case 5:
        case 6: return "the journal is locked by another program";
        case 8: return "the journal is read-only";
        case 11:
        case 26: return "the journal file is damaged or is not a journal";
        case 13: return "the disk is full";
        case 14: return "the journal file cannot be opened";
        case 10: return "an input/output error on the journal file";
        default: break;
      }
    }
    if (has("locked")) return "the journal is locked by another program";
    if (has("readonly") || has("read-only")) return "the journal is read-only";
    if (has("not a database") || has("malformed")) return "the journal file is damaged or is not a journal";
    if (has("disk is full") || has("full")) return "the disk is full";
    return "the journal cannot be used";
  }
  if (has("password")) return "the journal server refused the password";
  if (has("database not open") || (has("connection") && has("lost")))
    return "the connection to the journal server was lost";
  if (has("could not connect") || has("connection refused") || has("could not translate host") || has("timeout") ||
      has("no route") || has("server closed"))
    return "the journal server cannot be reached";
  if (has("does not exist")) return "the journal database or user does not exist";
  if (has("read-only") || has("read only")) return "the journal database is read-only";
  if (has("no space") || has("disk full")) return "the journal server's disk is full";
  if (e.type() == QSqlError::ConnectionError) return "the journal server cannot be reached";
  return "the journal server refused a statement";
}

}  // namespace

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

bool IsUnreserved(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string PercentEncoded(const std::string& text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    if (IsUnreserved(c)) {
      out += c;
      continue;
    }
    const auto u = static_cast<unsigned char>(c);
    out += '%';
    out += hex[u >> 4];
    out += hex[u & 15];
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int hi = HexDigit(text[i + 1]);
    const int lo = HexDigit(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

// `text` with a URL's password as ***: from the first ':' after "//" to the
// last '@'. A password may hold '@', '/' or '?', and a URL refused as
// malformed cannot be trusted to say where its password ends: hiding a
// little more than the password is the safe side.
std::string WithoutPassword(const std::string& text) {
  const std::size_t scheme = text.find("://");
  if (scheme == std::string::npos) return text;
  const std::size_t at = text.rfind('@');
  const std::size_t colon = text.find(':', scheme + 3);
  if (at == std::string::npos || colon == std::string::npos || colon > at) return text;
  return text.substr(0, colon + 1) + "***" + text.substr(at);
}

// A location as a message may quote it: no password, no control character.
std::string Quoted(const std::string& text) { return "'" + StorableText(WithoutPassword(text), 256, "") + "'"; }

// Why `value` is no good for the connection parameter `key`, or nothing.
std::optional<std::string> BadOptionValue(const std::string& key, const std::string& value) {
  if (key == "sslmode") {
    for (const char* mode : {"disable", "allow", "prefer", "require", "verify-ca", "verify-full"})
      if (value == mode) return std::nullopt;
    return "disable, allow, prefer, require, verify-ca or verify-full";
  }
  if (key == "connect_timeout") {
    const bool digits =
        !value.empty() && value.size() <= 4 && value.find_first_not_of("0123456789") == std::string::npos;
    if (digits && std::stoi(value) >= 1 && std::stoi(value) <= 3600) return std::nullopt;
    return "seconds from 1 to 3600";
  }
  // application_name: the server keeps 63 bytes; the Qt driver turns ';'
  // into a space.
  bool printable = !value.empty() && value.size() <= 63;
  for (char c : value) printable = printable && c >= 0x20 && c <= 0x7e && c != ';';
  if (printable) return std::nullopt;
  return "printable ASCII without ';', at most 63 characters";
}

// The URL's parameters for the Qt PostgreSQL driver, which hands them to
// libpq after the host, port, database and user it quotes itself: each value
// quoted here too, so none can end early and start another parameter.
QString DriverOptions(const TJournalLocation& where) {
  QStringList parts;
  bool timeout = false;
  for (const auto& [key, value] : where.options) {
    QString quoted = Q(value);
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    parts << Q(key) + QLatin1String("='") + quoted + QLatin1Char('\'');
    timeout = timeout || key == "connect_timeout";
  }
  if (!timeout) parts << QStringLiteral("connect_timeout=5");
  return parts.join(QLatin1Char(';'));
}

}  // namespace

std::string TJournalLocation::Display() const {
  if (kind == TKind::Sqlite) return path;
  const std::string shownHost = host.find(':') != std::string::npos ? "[" + host + "]" : host;
  std::string url = "postgresql://" + PercentEncoded(user) + "@" + shownHost + ":" + std::to_string(port) + "/" +
                    PercentEncoded(database);
  for (std::size_t i = 0; i < options.size(); ++i)
    url += (i == 0 ? "?" : "&") + options[i].first + "=" + PercentEncoded(options[i].second);
  return url;
}

TParsed<TJournalLocation> ParseJournalLocation(const std::string& text) {
  using TResult = TParsed<TJournalLocation>;
  TJournalLocation loc;
  if (text.empty()) return {std::nullopt, "the journal location is empty"};
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (!lower.starts_with("postgresql://") && !lower.starts_with("postgres://")) {
    if (lower.find("://") != std::string::npos && lower.find('/') > lower.find("://"))
      return {std::nullopt, Quoted(text) + " is neither a file nor a postgresql:// URL"};
    loc.path = text;
    return {loc, {}};
  }
  const auto invalid = [&] { return TResult{std::nullopt, Quoted(text) + " is not a valid URL"}; };
  const TResult control{std::nullopt,
                        "the journal URL holds a control character (a tab or a line break, say), raw or "
                        "percent-encoded"};
  for (char c : text)
    if (IsControl(c)) return control;
  if (text.find('#') != std::string::npos) return invalid();
  const std::string rest = text.substr(text.find("://") + 3);
  const std::size_t query = rest.find('?');
  const std::string beforeQuery = rest.substr(0, query);
  const std::size_t slash = beforeQuery.find('/');
  const std::string authority = beforeQuery.substr(0, slash);
  const std::size_t at = authority.rfind('@');
  const std::string userInfo = at == std::string::npos ? "" : authority.substr(0, at);
  if (userInfo.find(':') != std::string::npos)
    return {std::nullopt, "the journal URL holds a password; give it in VANTOR_JOURNAL_PASSWORD or PGPASSWORD instead"};
  std::string hostPort = at == std::string::npos ? authority : authority.substr(at + 1);
  std::string portText;
  if (hostPort.starts_with("[")) {
    const std::size_t close = hostPort.find(']');
    if (close == std::string::npos) return invalid();
    loc.host = hostPort.substr(1, close - 1);
    if (loc.host.empty() || loc.host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string::npos)
      return invalid();
    const std::string after = hostPort.substr(close + 1);
    if (!after.empty() && !after.starts_with(":")) return invalid();
    if (!after.empty()) portText = after.substr(1);
    if (after == ":") return invalid();
  } else {
    const std::size_t colon = hostPort.find(':');
    loc.host = hostPort.substr(0, colon);
    if (colon != std::string::npos) {
      portText = hostPort.substr(colon + 1);
      if (portText.empty()) return invalid();
    }
    for (char c : loc.host)
      if (!IsUnreserved(c) || c == '~') return invalid();
  }
  if (!portText.empty()) {
    if (portText.size() > 5 || portText.find_first_not_of("0123456789") != std::string::npos) return invalid();
    loc.port = std::stoi(portText);
    if (loc.port < 1 || loc.port > 65535) return invalid();
  }
  const auto user = PercentDecoded(userInfo);
  const auto database = PercentDecoded(slash == std::string::npos ? std::string() : beforeQuery.substr(slash + 1));
  if (!user || !database) return invalid();
  for (const std::string* decoded : {&*user, &*database}) {
    for (char c : *decoded)
      if (IsControl(c)) return control;
    if (!IsDisplayText(*decoded)) return invalid();
  }
  loc.kind = TJournalLocation::TKind::Postgres;
  loc.user = *user;
  loc.database = *database;
  if (loc.host.empty()) return {std::nullopt, "the journal URL names no host"};
  if (loc.database.empty() || loc.database.find('/') != std::string::npos)
    return {std::nullopt, "the journal URL names no database (postgresql://user@host:port/database)"};
  if (loc.user.empty()) return {std::nullopt, "the journal URL names no user (postgresql://user@host:port/database)"};
  if (query == std::string::npos) return {loc, {}};
  const std::string items = rest.substr(query + 1);
  for (std::size_t begin = 0; begin <= items.size();) {
    std::size_t end = items.find('&', begin);
    if (end == std::string::npos) end = items.size();
    const std::string item = items.substr(begin, end - begin);
    begin = end + 1;
    if (item.empty()) continue;
    const std::size_t equals = item.find('=');
    const auto key = PercentDecoded(item.substr(0, equals));
    const auto value = PercentDecoded(equals == std::string::npos ? std::string() : item.substr(equals + 1));
    if (!key || !value) return invalid();
    for (char c : *key + *value)
      if (IsControl(c)) return control;
    if (*key != "sslmode" && *key != "connect_timeout" && *key != "application_name")
      return {std::nullopt, "the journal URL's option " + Quoted(*key) + " is unknown"};
    for (const auto& given : loc.options)
      if (given.first == *key) return {std::nullopt, "the journal URL gives the option '" + *key + "' twice"};
    if (const auto allowed = BadOptionValue(*key, *value))
      return {std::nullopt, "the journal URL's option '" + *key + "' has a bad value (" + *allowed + ")"};
    loc.options.emplace_back(*key, *value);
  }
  return {loc, {}};
}

std::string DefaultJournalPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.local/share/vantor");
  return (folder + QStringLiteral("/journal.sqlite")).toStdString();
}

// One write transaction holding the journal's write lock; rolled back unless
// committed.
class TJournal::TTransaction {
 public:
  explicit TTransaction(TJournal& journal) : journal_(journal) {
    QSqlDatabase db = QSqlDatabase::database(journal_.connection_, false);
    QSqlQuery q(db);
    if (journal_.where_.kind == TJournalLocation::TKind::Sqlite) {
      if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) journal_.Fail("cannot start a change", q.lastError());
      open_ = true;
      // The destructor does not run for a constructor that throws: a begun
      // transaction left open would refuse every later change on this connection.
      try {
        journal_.CheckStillThere();
      } catch (...) {
        RollBack();
        throw;
      }
    } else {
      if (!q.exec(QStringLiteral("BEGIN"))) journal_.Fail("cannot start a change", q.lastError());
      open_ = true;
      if (!q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kWriteLockKey))) {
        const QSqlError error = q.lastError();
        RollBack();
        journal_.Fail("cannot lock the journal", error);
      }
    }
  }
  ~TTransaction() { RollBack(); }
  void Commit() {
    QSqlQuery q(QSqlDatabase::database(journal_.connection_, false));
    if (!q.exec(QStringLiteral("COMMIT"))) journal_.Fail("cannot save the change", q.lastError());
    open_ = false;
  }

 private:
  void RollBack() {
    if (!open_) return;
    open_ = false;
    QSqlDatabase db = QSqlDatabase::database(journal_.connection_, false);
    if (!db.isOpen()) return;  // nothing to roll back, and Qt would warn about it
    QSqlQuery q(db);
    q.exec(QStringLiteral("ROLLBACK"));
  }

  TJournal& journal_;
  bool open_ = false;
};

// Renews the leases of the jobs its journal reserved, every renewEveryMs, on
// a connection of its own (Qt SQL's connections belong to one thread), so a
// job whose main thread waits on a slow printer keeps its serials.
class TJournal::TLeaseKeeper {
 public:
  explicit TLeaseKeeper(const TJournal& owner)
      : where_(owner.where_), options_(owner.options_), every_(owner.options_.renewEveryMs) {
    options_.self = owner.self_;
    options_.renewEveryMs = 0;  // its own journal keeps no keeper
    const std::string password = owner.password_;
    options_.passwordPrompt = [password](const std::string&) -> std::optional<std::string> {
      if (password.empty()) return std::nullopt;
      return password;
    };
    thread_ = std::thread([this] { Run(); });
  }
  ~TLeaseKeeper() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  void Add(std::int64_t job) {
    const std::lock_guard<std::mutex> lock(mutex_);
    jobs_.insert(job);
  }
  void Remove(std::int64_t job) {
    const std::lock_guard<std::mutex> lock(mutex_);
    jobs_.erase(job);
  }

 private:
  void Run() {
    std::unique_ptr<TJournal> journal;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, every_, [this] { return stop_; })) {
      const std::set<std::int64_t> jobs = jobs_;
      lock.unlock();
      try {
        if (!journal) journal = TJournal::Make(where_, options_, TMode::Attach);
        for (std::int64_t job : jobs) {
          journal->renewed_.clear();  // every tick writes
          journal->Renew(job);
        }
      } catch (const std::exception&) {
        // The job's own next step meets the same fault and stops; a lost
        // connection is opened afresh on the next tick.
        journal.reset();
      }
      lock.lock();
    }
    lock.unlock();
    journal.reset();  // its connection is removed in the thread that made it
  }

  TJournalLocation where_;
  TOptions options_;
  std::chrono::milliseconds every_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::set<std::int64_t> jobs_;
  bool stop_ = false;
  std::thread thread_;
};

TJournal::TJournal(TJournalLocation where, TOptions options) : where_(std::move(where)), options_(std::move(options)) {
  static std::atomic<int> counter{0};
  connection_ = QStringLiteral("vantor-journal-%1").arg(counter++);
  self_ = options_.self ? *options_.self : CurrentProcess();
}

TJournal::~TJournal() {
  keeper_.reset();
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<TJournal> TJournal::Make(const TJournalLocation& where, TOptions options, TMode mode) {
  std::unique_ptr<TJournal> journal(new TJournal(where, std::move(options)));
  try {
    journal->Connect(mode);
    journal->Migrate(mode);
  } catch (...) {
    // A default journal that could not be set up is not left behind, as
    // long as nothing was written to it (another program may be making it).
    if (journal->createdFile_) {
      journal.reset();
      struct stat made {};
      if (::stat(where.path.c_str(), &made) == 0 && made.st_size == 0) ::unlink(where.path.c_str());
    }
    throw;
  }
  if (mode != TMode::Attach && !journal->options_.readOnly) journal->SweepAbandoned();
  return journal;
}

std::unique_ptr<TJournal> TJournal::Open(const TJournalLocation& where, TOptions options) {
  return Make(where, std::move(options), TMode::Open);
}

std::unique_ptr<TJournal> TJournal::Create(const TJournalLocation& where, TOptions options) {
  options.readOnly = false;
  return Make(where, std::move(options), TMode::Create);
}

std::int64_t TJournal::Now() const {
  if (options_.clock) return options_.clock();
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// Leases are judged by one clock: the server's on PostgreSQL. A journal file
// has no clock of its own, and its clients' clocks may disagree, so there a
// job elsewhere is never freed by age.
std::optional<std::int64_t> TJournal::LeaseNow() {
  if (where_.kind == TJournalLocation::TKind::Sqlite) return std::nullopt;
  return LeaseBase();
}

std::int64_t TJournal::LeaseBase() {
  if (where_.kind == TJournalLocation::TKind::Sqlite) return Now();
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.exec(QStringLiteral("SELECT CAST(EXTRACT(EPOCH FROM now()) AS BIGINT)")) || !q.next())
    Fail("cannot read the server's clock", q.lastError());
  return q.value(0).toLongLong();
}

void TJournal::Fail(const std::string& doing, const QSqlError& error) const {
  const bool postgres = where_.kind == TJournalLocation::TKind::Postgres;
  const std::string detail = Detail(error);
  const std::string cause = Cause(error, postgres);
  throw TJournalError("journal " + where_.Display() + ": " + doing + ": " + cause +
                      (detail.empty() || detail == cause ? "" : " (" + detail + ")"));
}

void TJournal::CheckStillThere() const {
  if (where_.kind != TJournalLocation::TKind::Sqlite || inode_ == 0) return;
  struct stat now {};
  if (::stat(where_.path.c_str(), &now) != 0 || static_cast<std::uint64_t>(now.st_dev) != device_ ||
      static_cast<std::uint64_t>(now.st_ino) != inode_)
    throw TJournalError("journal " + where_.path +
                        ": the journal file has gone (deleted, moved or replaced) while in use; nothing more is "
                        "recorded and no journal is made in its place");
}

namespace {

std::string InitHint(const TJournalLocation& where) {
  return "vantor --journal-init " + where.Display() + " makes a new journal there";
}

}  // namespace

void TJournal::Connect(TMode mode) {
  const bool postgres = where_.kind == TJournalLocation::TKind::Postgres;
  const QString driver = postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
  if (!QSqlDatabase::isDriverAvailable(driver))
    throw TJournalError("journal " + where_.Display() + ": the Qt SQL driver " + driver.toStdString() +
                        " is not installed (Debian: " + (postgres ? "libqt6sql6-psql" : "libqt6sql6-sqlite") + ")");
  QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection_);
  if (!postgres) {
    const QFileInfo file(Q(where_.path));
    const QString folder = file.absolutePath();
    if (file.exists() && !file.isFile()) throw TJournalError("journal " + where_.path + ": not a file");
    if (!file.exists()) {
      if (mode == TMode::Create && !QFileInfo(folder).isDir())
        throw TJournalError("journal " + where_.path + ": the folder " + folder.toStdString() + " does not exist");
      if (mode == TMode::Open && !options_.createIfMissing)
        throw TNoJournalError("journal " + where_.path + ": there is no journal here (" + InitHint(where_) + ")");
      if (mode == TMode::Attach) throw TJournalError("journal " + where_.path + ": the journal file has gone");
      if (!QDir().mkpath(folder))
        throw TJournalError("journal " + where_.path + ": cannot make the folder " + folder.toStdString());
      createdFile_ = true;
    } else if (mode == TMode::Create) {
      throw TJournalError("journal " + where_.path +
                          ": a file is there already; --journal-init makes only new journals");
    }
    if (!options_.readOnly) {
      // SQLite would open a read-only file and fail only at the first change,
      // and needs its folder for the write-ahead log; access() also sees
      // read-only mounts, which root's permissions do not.
      if (access(folder.toStdString().c_str(), W_OK) != 0)
        throw TJournalError("journal " + where_.path + ": the journal's folder is read-only (" + std::strerror(errno) +
                            ")");
      if (file.exists() && access(where_.path.c_str(), R_OK | W_OK) != 0)
        throw TJournalError("journal " + where_.path + ": the journal is read-only (" + std::strerror(errno) + ")");
    }
    db.setDatabaseName(Q(where_.path));
    QString connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options_.busyTimeoutMs);
    if (options_.readOnly) connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
    // A write-ahead journal needs its shared-memory file beside it even to be
    // read; in a folder one may not write, a journal with no unsaved log
    // (every writer closed) is read as the unchanging file it is.
    if (options_.readOnly && access(folder.toStdString().c_str(), W_OK) != 0 &&
        !QFileInfo::exists(Q(where_.path + "-wal"))) {
      db.setDatabaseName(QUrl::fromLocalFile(Q(where_.path)).toString(QUrl::FullyEncoded) +
                         QStringLiteral("?immutable=1"));
      connectOptions += QStringLiteral(";QSQLITE_OPEN_URI");
    }
    db.setConnectOptions(connectOptions);
    if (!db.open()) Fail("cannot open", db.lastError());
    struct stat opened {};
    if (::stat(where_.path.c_str(), &opened) == 0) {
      device_ = static_cast<std::uint64_t>(opened.st_dev);
      inode_ = static_cast<std::uint64_t>(opened.st_ino);
    }
    return;
  }
  db.setHostName(Q(where_.host));
  db.setPort(where_.port);
  db.setDatabaseName(Q(where_.database));
  db.setUserName(Q(where_.user));
  db.setConnectOptions(DriverOptions(where_));
  // libpq reads PGPASSWORD itself; ours goes first when both are set.
  if (const char* pw = std::getenv("VANTOR_JOURNAL_PASSWORD"); pw && *pw) db.setPassword(QString::fromUtf8(pw));
  if (db.open()) return;
  const QSqlError first = db.lastError();
  if (options_.passwordPrompt && first.text().contains(QLatin1String("password"), Qt::CaseInsensitive)) {
    if (const auto pw = options_.passwordPrompt(where_.Display())) {
      db.setPassword(Q(*pw));
      const bool ok = db.open();
      db.setPassword(QString());  // kept only as long as the connection needs it
      if (ok) {
        password_ = *pw;
        return;
      }
      Fail("cannot connect", db.lastError());
    }
  }
  Fail("cannot connect", first);
}

// Sets up the schema on a new journal and migrates an older one, quietly:
// only what is missing is made. A database without the journal's tables is
// no journal and is left as it is, unless it is being made one.
void TJournal::Migrate(TMode mode) {
  const bool postgres = where_.kind == TJournalLocation::TKind::Postgres;
  const bool making = mode == TMode::Create || createdFile_;
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  std::optional<TTransaction> t;
  if (!options_.readOnly) t.emplace(*this);
  QSqlQuery q(db);
  const auto count = [&](const QString& sql) {
    if (!q.exec(sql) || !q.next()) Fail("cannot read the schema", q.lastError());
    const qint64 n = q.value(0).toLongLong();
    q.finish();
    return n;
  };
  const QString tables = postgres ? QStringLiteral(
                                        "SELECT COUNT(*) FROM information_schema.tables WHERE "
                                        "table_schema = current_schema()")
                                  : QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'");
  const QString named =
      postgres ? QStringLiteral(" AND table_name = 'schema_version'") : QStringLiteral(" AND name = 'schema_version'");
  const qint64 journalTables = count(tables + named);
  int version = 0;
  if (journalTables == 0) {
    if (!making)
      throw TNoJournalError("journal " + where_.Display() +
                            ": this is no print journal (it lacks the journal's "
                            "tables); " +
                            InitHint(where_) + " in an empty database or a new file");
    if (mode == TMode::Create && count(tables) > 0)
      throw TJournalError("journal " + where_.Display() +
                          ": the database holds tables already; --journal-init makes only new journals");
  } else {
    if (mode == TMode::Create) throw TJournalError("journal " + where_.Display() + ": there is a journal here already");
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next())
      Fail("cannot read the schema version", q.lastError());
    const QVariant found = q.value(0);
    q.finish();
    bool ok = true;
    version = found.isNull() ? 0 : found.toString().toInt(&ok);
    if (!ok || version < 1)
      throw TJournalError("journal " + where_.Display() + ": the schema version '" + found.toString().toStdString() +
                          "' is not a number");
    if (version > kSchemaVersion)
      throw TJournalError("journal " + where_.Display() + ": its schema version " + std::to_string(version) +
                          " is newer than this Vantor knows (" + std::to_string(kSchemaVersion) +
                          "); use a newer Vantor");
  }
  version_ = version;
  if (options_.readOnly) return;  // older rows are read as they are
  const auto steps = Migrations(postgres);
  for (int v = version; v < kSchemaVersion; ++v) {
    for (const std::string& statement : steps[static_cast<std::size_t>(v)])
      if (!q.exec(Q(statement))) Fail("cannot create the journal's tables", q.lastError());
    q.prepare(v == 0 ? QStringLiteral("INSERT INTO schema_version (version) VALUES (?)")
                     : QStringLiteral("UPDATE schema_version SET version = ?"));
    q.addBindValue(v + 1);
    if (!q.exec()) Fail("cannot record the schema version", q.lastError());
  }
  q.finish();
  t->Commit();
  version_ = kSchemaVersion;
  if (postgres) return;
  // WAL: readers never wait for the writer; FULL: a commit survives a crash.
  // Only a journal is switched (the schema is checked above). Turning a new
  // file to WAL needs it to itself, and SQLite answers "locked" at once
  // rather than waiting, so two programs opening a new journal together
  // retry here for as long as a writer would be waited for.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.busyTimeoutMs);
  for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON"}) {
    while (!q.exec(QString::fromLatin1(pragma))) {
      const QSqlError error = q.lastError();
      const bool locked = error.nativeErrorCode() == QLatin1String("5") ||
                          error.nativeErrorCode() == QLatin1String("6") ||
                          error.text().contains(QLatin1String("locked"), Qt::CaseInsensitive);
      if (!locked || std::chrono::steady_clock::now() >= deadline) Fail("cannot open", error);
      q.finish();
      ::usleep(10000);
    }
  }
}

int TJournal::SchemaVersion() {
  CheckStillThere();  // an open file moved away still answers: the journal is not reachable any more
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next())
    Fail("cannot read the schema version", q.lastError());
  return q.value(0).toInt();
}

TJobRecord TJournal::LoadJob(std::int64_t id, bool withPieces) {
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  // Rows of a journal not yet migrated (read-only) have no machine: another's.
  q.prepare(QStringLiteral("SELECT %1, %2 FROM job WHERE id = ?")
                .arg(QLatin1String(kJobColumns),
                     version_ >= 2 ? QLatin1String("machine, conflict") : QLatin1String("NULL, NULL")));
  q.addBindValue(QVariant::fromValue<qint64>(id));
  if (!q.exec()) Fail("cannot read job " + std::to_string(id), q.lastError());
  if (!q.next()) throw TJournalError("journal " + where_.Display() + ": there is no job " + std::to_string(id));
  const TRawJobRow raw = RawJob(q);
  TParsed<TJobRecord> job = ParseJobRow(raw);
  // Compared, never shown: a machine that does not match ours is another's.
  if (job.value) job.value->machine = q.value(14).toString().toStdString();
  if (job.value) job.value->conflict = JournalTextOf(q.value(15).toString());
  q.finish();
  std::string why = job.error;
  std::vector<TRangePiece> pieces;
  if (withPieces) {
    q.prepare(QStringLiteral("SELECT %1 FROM job_range WHERE job_id = ?").arg(QLatin1String(kRangeColumns)));
    q.addBindValue(QVariant::fromValue<qint64>(id));
    if (!q.exec()) Fail("cannot read job " + std::to_string(id), q.lastError());
    while (q.next()) {
      TParsed<TParsedRange> range = ParseRangeRow(RawRange(q));
      if (range.value)
        pieces.push_back(range.value->piece);
      else if (why.empty())
        why = range.error;
    }
  }
  if (why.empty() && job.value) {
    if (auto problem = AttachPieces(*job.value, pieces)) why = *problem;
  }
  if (!why.empty()) {
    // Shown with the serials that could be read, so the listing still says
    // which serials the row holds.
    TJobRecord shown = UnreadableJob(raw, id);
    AttachPieces(shown, std::move(pieces));
    throw TUnreadableRow("journal " + where_.Display() + ": unreadable row " + std::to_string(id) + ": " + why,
                         std::move(shown));
  }
  return *job.value;
}

void TJournal::StorePieces(std::int64_t id, const std::vector<TRangePiece>& pieces) {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("DELETE FROM job_range WHERE job_id = ?"));
  q.addBindValue(QVariant::fromValue<qint64>(id));
  if (!q.exec()) Fail("cannot record job " + std::to_string(id), q.lastError());
  q.prepare(QStringLiteral("INSERT INTO job_range (%1) VALUES (?, ?, ?, ?, ?, ?)").arg(QLatin1String(kRangeColumns)));
  for (const TRangePiece& p : pieces) {
    for (const TSerialRange& row : SplitForRows(p.range)) {
      q.addBindValue(QVariant::fromValue<qint64>(id));
      q.addBindValue(Q(row.prefix));
      q.addBindValue(row.width);
      q.addBindValue(row.first);
      q.addBindValue(row.last);
      q.addBindValue(QString::fromLatin1(NameOf(p.state).data(), static_cast<qsizetype>(NameOf(p.state).size())));
      if (!q.exec()) Fail("cannot record job " + std::to_string(id), q.lastError());
    }
  }
}

void TJournal::StoreJobState(const TJobRecord& job) {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("UPDATE job SET outcome = ?, finished_at = ?, lease_until = ? WHERE id = ?"));
  const std::string_view outcome = NameOf(job.outcome);
  q.addBindValue(QString::fromLatin1(outcome.data(), static_cast<qsizetype>(outcome.size())));
  q.addBindValue(job.finishedAt ? QVariant::fromValue<qint64>(job.finishedAt)
                                : QVariant(QMetaType::fromType<qint64>()));
  q.addBindValue(QVariant::fromValue<qint64>(job.leaseUntil));
  q.addBindValue(QVariant::fromValue<qint64>(job.id));
  if (!q.exec()) Fail("cannot record job " + std::to_string(job.id), q.lastError());
}

// A file that was never put in place while the job ran: the job's pages in
// hand-over never came out. Only a job of this machine can be looked at.
bool TJournal::OutputNeverPlaced(const TJobRecord& job) const {
  if (job.output == TOutputKind::Printer || !RanHere(job, self_)) return false;
  struct stat out {};
  if (::stat(job.target.c_str(), &out) != 0) return errno == ENOENT;
  return static_cast<std::int64_t>(out.st_mtime) < job.startedAt;
}

void TJournal::Interrupt(TJobRecord& job, bool sweeping) {
  const bool neverPlaced = sweeping && OutputNeverPlaced(job);
  job.outcome = TJobOutcome::Interrupted;
  job.finishedAt = std::max(Now(), job.startedAt);
  FinishPieces(job.pieces, job.outcome);
  if (neverPlaced)
    for (TRangePiece& p : job.pieces)
      if (p.state == TPieceState::Sending) p.state = TPieceState::Freed;
  StorePieces(job.id, job.pieces);
  StoreJobState(job);
}

void TJournal::SweepAbandoned() {
  TTransaction t(*this);
  std::vector<std::int64_t> running;
  {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT id FROM job WHERE outcome IN ('reserved', 'printing')")))
      Fail("cannot read the running jobs", q.lastError());
    while (q.next()) running.push_back(q.value(0).toLongLong());
  }
  const std::optional<std::int64_t> now = LeaseNow();
  for (std::int64_t id : running) {
    TJobRecord job;
    try {
      job = LoadJob(id, true);
    } catch (const TJournalError& e) {
      problems_.push_back(e.what());  // a malformed row is left as it is, not guessed at
      continue;
    }
    if (!IsAbandoned(job, self_, now)) continue;
    Interrupt(job, true);
    interrupted_.push_back(job);
  }
  t.Commit();
}

std::vector<TConflict> TJournal::FindConflicts(const std::vector<TSerialRange>& ranges, bool sweep) {
  struct THit {
    std::int64_t job;
    TRangePiece piece;
  };
  std::vector<THit> hits;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  // The index on (prefix, width, first_number) and rows of at most
  // kMaxRowSpan numbers bound the scan to the rows starting in
  // [first - kMaxRowSpan + 1, last].
  q.prepare(QStringLiteral("SELECT %1 FROM job_range WHERE prefix = ? AND width = ? AND first_number >= ?"
                           " AND first_number <= ? AND last_number >= ? AND state <> 'freed'")
                .arg(QLatin1String(kRangeColumns)));
  for (const TSerialRange& r : ranges) {
    q.addBindValue(Q(r.prefix));
    q.addBindValue(r.width);
    q.addBindValue(r.first - kMaxRowSpan + 1);
    q.addBindValue(r.last);
    q.addBindValue(r.first);
    if (!q.exec()) Fail("cannot check the serials", q.lastError());
    while (q.next()) {
      TParsed<TParsedRange> row = ParseRangeRow(RawRange(q));
      if (!row.value) throw TJournalError("journal " + where_.Display() + ": " + row.error);
      if (const auto cut = Intersection(row.value->piece.range, r))
        hits.push_back({row.value->jobId, {*cut, row.value->piece.state}});
    }
  }
  q.finish();
  std::map<std::int64_t, TJobRecord> jobs;
  const std::optional<std::int64_t> now = hits.empty() || !sweep ? std::nullopt : LeaseNow();
  for (const THit& h : hits) {
    if (jobs.count(h.job)) continue;
    TJobRecord job;
    try {
      job = LoadJob(h.job, false);
    } catch (const TUnreadableRow& e) {
      jobs[h.job] = e.Shown();  // its serials stay taken; it is never swept
      continue;
    }
    if (sweep && IsAbandoned(job, self_, now)) {
      job = LoadJob(h.job, true);
      Interrupt(job, true);
      interrupted_.push_back(job);
    }
    job.pieces.clear();
    jobs[h.job] = job;
  }
  // One conflict for each job and state, its serials joined.
  std::map<std::pair<std::int64_t, TPieceState>, std::vector<TSerialRange>> grouped;
  for (const THit& h : hits) {
    TPieceState state = h.piece.state;
    const TJobRecord& job = jobs[h.job];
    if (job.outcome == TJobOutcome::Interrupted && state == TPieceState::Reserved && sweep) continue;  // just freed
    grouped[{h.job, state}].push_back(h.piece.range);
  }
  std::vector<TConflict> out;
  for (auto& [key, serials] : grouped)
    for (const TSerialRange& r : Merge(std::move(serials))) out.push_back({r, key.second, jobs[key.first]});
  return out;
}

std::vector<TConflict> TJournal::Check(const std::vector<TSerialRange>& ranges) { return FindConflicts(ranges, false); }

TReservation TJournal::Reserve(const TJobRequest& request) {
  if (request.ranges.empty()) throw TJournalError("journal: a job without serials cannot be reserved");
  for (const TSerialRange& r : request.ranges)
    if (!IsCanonical(r))
      throw TJournalError("journal: '" + r.prefix + "' with " + std::to_string(r.width) + " digits, " +
                          std::to_string(r.first) + " to " + std::to_string(r.last) + " is no range of serials");
  const std::vector<TSerialRange> merged = Merge(request.ranges);
  std::size_t total = 0;
  for (const TSerialRange& r : request.ranges) total += static_cast<std::size_t>(r.Count());
  std::size_t distinct = 0;
  for (const TSerialRange& r : merged) distinct += static_cast<std::size_t>(r.Count());
  if (total != distinct) throw TJournalError("journal: the job names some serials twice");

  TTransaction t(*this);
  TReservation result;
  result.conflicts = FindConflicts(merged, true);
  bool blocked = false;
  for (const TConflict& c : result.conflicts) blocked = blocked || !request.reprint || c.HeldByRunningJob();
  if (options_.betweenCheckAndRecord) options_.betweenCheckAndRecord();
  if (blocked) {
    t.Commit();  // keeps the interruptions found on the way
    return result;
  }
  const std::int64_t now = Now();
  const std::int64_t leaseUntil = LeaseBase() + options_.leaseSeconds;
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(
      QStringLiteral("INSERT INTO job (started_at, finished_at, lease_until, user_name, host, pid, "
                     "process_token, family, media, output_kind, output_target, outcome, reprint, machine) "
                     "VALUES (?, NULL, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'reserved', ?, ?) RETURNING id"));
  // Stored in the form a row is read back in: no name or path can make the
  // journal refuse its own row.
  const TRawJobRow row = NewJobRow(request, self_, now);
  q.addBindValue(QVariant::fromValue<qint64>(now));
  q.addBindValue(QVariant::fromValue<qint64>(leaseUntil));
  q.addBindValue(Q(*row.user));
  q.addBindValue(Q(*row.host));
  q.addBindValue(QVariant::fromValue<qint64>(std::stoll(*row.pid)));
  q.addBindValue(Q(*row.processToken));
  q.addBindValue(Q(*row.family));
  q.addBindValue(Q(*row.media));
  q.addBindValue(Q(*row.outputKind));
  q.addBindValue(Q(*row.outputTarget));
  q.addBindValue(request.reprint ? 1 : 0);
  q.addBindValue(Q(self_.machine));
  if (!q.exec() || !q.next()) Fail("cannot record the job", q.lastError());
  result.jobId = q.value(0).toLongLong();
  q.finish();
  std::vector<TRangePiece> pieces;
  for (const TSerialRange& r : merged) pieces.push_back({r, TPieceState::Reserved});
  StorePieces(result.jobId, pieces);
  t.Commit();
  renewed_[result.jobId] = std::chrono::steady_clock::now();
  if (options_.renewEveryMs > 0) {
    if (!keeper_) keeper_ = std::make_unique<TLeaseKeeper>(*this);
    keeper_->Add(result.jobId);
  }
  return result;
}

void TJournal::NoteConflict(std::int64_t jobId, const std::string& text) {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("UPDATE job SET conflict = ? WHERE id = ?"));
  q.addBindValue(Q(text));
  q.addBindValue(QVariant::fromValue<qint64>(jobId));
  if (!q.exec()) Fail("cannot record job " + std::to_string(jobId), q.lastError());
}

void TJournal::Conflicted(const TJobRecord& job, const std::string& did) {
  if (keeper_) keeper_->Remove(job.id);
  throw TJournalError("journal " + where_.Display() + ": job " + std::to_string(job.id) + " was declared " +
                      std::string(NameOf(job.outcome)) +
                      " by another program while it ran, and its serials may have been given to another job; " + did +
                      " (recorded beside the job); check the labels");
}

void TJournal::Mark(std::int64_t jobId, const TSerialRange& serials, TPieceState to) {
  TTransaction t(*this);
  TJobRecord job = LoadJob(jobId, true);
  const bool running = IsRunning(job.outcome);
  // Another program ended the job: a page not yet handed over stays here;
  // one that went out is recorded, beside the outcome that was set.
  if (!running && to != TPieceState::Sent) Conflicted(job, "the job was stopped before the next page");
  const std::vector<TSerialRange> outside = MarkPieces(job.pieces, serials, to);
  if (!outside.empty())
    throw TJournalError("journal: " + DescribeRange(outside.front()) + " is not a serial of job " +
                        std::to_string(jobId));
  if (job.outcome == TJobOutcome::Reserved) job.outcome = TJobOutcome::Printing;
  if (running) job.leaseUntil = LeaseBase() + options_.leaseSeconds;
  StorePieces(jobId, job.pieces);
  if (running) {
    StoreJobState(job);
  } else {
    NoteConflict(jobId,
                 "sent " + DescribeRange(serials) + " after it was declared " + std::string(NameOf(job.outcome)));
  }
  t.Commit();
  if (!running) Conflicted(job, DescribeRange(serials) + " went out all the same");
  renewed_[jobId] = std::chrono::steady_clock::now();
}

void TJournal::MarkSending(std::int64_t jobId, const TSerialRange& serials) {
  Mark(jobId, serials, TPieceState::Sending);
}
void TJournal::MarkSent(std::int64_t jobId, const TSerialRange& serials) { Mark(jobId, serials, TPieceState::Sent); }
void TJournal::MarkRefused(std::int64_t jobId, const TSerialRange& serials) {
  Mark(jobId, serials, TPieceState::Reserved);
}

void TJournal::Renew(std::int64_t jobId) {
  // Called with every page: written at most a few times a lease, so a run
  // of many small pages does not wait on the disk for each.
  const auto now = std::chrono::steady_clock::now();
  const auto last = renewed_.find(jobId);
  const auto often = std::chrono::milliseconds(std::max(options_.renewEveryMs, 1000) / 4);
  if (last != renewed_.end() && now - last->second < often) return;
  TTransaction t(*this);
  TJobRecord job = LoadJob(jobId, false);
  if (job.outcome == TJobOutcome::Interrupted) Conflicted(job, "the job was stopped");
  if (!IsRunning(job.outcome)) return;
  job.leaseUntil = LeaseBase() + options_.leaseSeconds;
  StoreJobState(job);
  t.Commit();
  renewed_[jobId] = now;
}

void TJournal::Finish(std::int64_t jobId, TJobOutcome outcome) {
  if (IsRunning(outcome) || outcome == TJobOutcome::Interrupted)
    throw TJournalError("journal: a job ends printed, failed or cancelled, not " + std::string(NameOf(outcome)));
  if (keeper_) keeper_->Remove(jobId);
  renewed_.erase(jobId);
  TTransaction t(*this);
  TJobRecord job = LoadJob(jobId, true);
  if (!IsRunning(job.outcome)) {
    // Never overwrite what another program decided: keep its outcome and
    // note this one's. Pages in hand-over that printed are sent all the same.
    if (outcome == TJobOutcome::Printed) {
      FinishPieces(job.pieces, outcome);
      StorePieces(jobId, job.pieces);
    }
    NoteConflict(
        jobId, "ended " + std::string(NameOf(outcome)) + " after it was declared " + std::string(NameOf(job.outcome)));
    t.Commit();
    Conflicted(job, "it ended " + std::string(NameOf(outcome)));
  }
  FinishPieces(job.pieces, outcome);
  job.outcome = outcome;
  job.finishedAt = std::max(Now(), job.startedAt);
  StorePieces(jobId, job.pieces);
  StoreJobState(job);
  t.Commit();
}

bool TJournal::RunningElsewhere(const TJobRecord& job) const { return IsRunning(job.outcome) && !RanHere(job, self_); }

TJobRecord TJournal::Release(std::int64_t jobId) {
  TTransaction t(*this);
  TJobRecord job = LoadJob(jobId, true);
  if (!IsRunning(job.outcome))
    throw TJournalError("journal " + where_.Display() + ": job " + std::to_string(jobId) + " has ended (" +
                        std::string(NameOf(job.outcome)) + "); there is nothing to release");
  if (RanHere(job, self_) && ProcessToken(job.pid) == job.processToken)
    throw TJournalError("journal " + where_.Display() + ": job " + std::to_string(jobId) +
                        " is still printing in process " + std::to_string(job.pid) +
                        " on this machine; it is not released");
  Interrupt(job, RanHere(job, self_));
  t.Commit();
  return job;
}

std::optional<TJobRecord> TJournal::Job(std::int64_t jobId) {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(QStringLiteral("SELECT id FROM job WHERE id = ?"));
  q.addBindValue(QVariant::fromValue<qint64>(jobId));
  if (!q.exec()) Fail("cannot read job " + std::to_string(jobId), q.lastError());
  if (!q.next()) return std::nullopt;
  q.finish();
  return LoadJob(jobId, true);
}

std::vector<TJobRecord> TJournal::List(const TJobFilter& filter) {
  problems_.clear();
  QString sql = QStringLiteral("SELECT id FROM job WHERE 1 = 1");
  std::optional<TSerialRange> serial;
  if (filter.serial) {
    serial = SplitSerial(*filter.serial);
    if (!serial) throw TJournalError("journal: '" + *filter.serial + "' is not a volume serial");
    sql += QStringLiteral(
        " AND id IN (SELECT job_id FROM job_range WHERE prefix = ? AND width = ? AND first_number >= ?"
        " AND first_number <= ? AND last_number >= ?)");
  }
  if (filter.from) sql += QStringLiteral(" AND started_at >= ?");
  if (filter.to) sql += QStringLiteral(" AND started_at <= ?");
  sql += QStringLiteral(" ORDER BY started_at DESC, id DESC LIMIT %1").arg(std::max(0, filter.limit));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.prepare(sql);
  if (serial) {
    q.addBindValue(Q(serial->prefix));
    q.addBindValue(serial->width);
    q.addBindValue(serial->first - kMaxRowSpan + 1);
    q.addBindValue(serial->first);
    q.addBindValue(serial->first);
  }
  if (filter.from) q.addBindValue(QVariant::fromValue<qint64>(*filter.from));
  if (filter.to) q.addBindValue(QVariant::fromValue<qint64>(*filter.to));
  if (!q.exec()) Fail("cannot list the jobs", q.lastError());
  std::vector<std::int64_t> ids;
  while (q.next()) ids.push_back(q.value(0).toLongLong());
  q.finish();
  std::vector<TJobRecord> jobs;
  for (std::int64_t id : ids) {
    try {
      jobs.push_back(LoadJob(id, true));
    } catch (const TUnreadableRow& e) {
      jobs.push_back(e.Shown());
      problems_.push_back(e.what());
    } catch (const TJournalError& e) {
      problems_.push_back(e.what());
    }
  }
  return jobs;
}

}  // namespace vantor::journal
