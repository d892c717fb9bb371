#include "app/serve/qt/Service.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QLocale>
#include <QPointer>
#include <QPrinterInfo>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

#include <sys/resource.h>
#include <unistd.h>
#define XXH_INLINE_ALL
#include <xxhash.h>

#include "app/serve/JobJson.h"
#include "app/serve/RequestLimit.h"
#include "app/serve/qt/Outputs.h"
#include "app/serve/qt/WebStrings.h"
#include "colors/ColorSchemes.h"
#include "dlt/MediaSetup.h"
#include "dlt/Sheet.h"
#include "lto/LtoLabel.h"
#include "lto/MediaId.h"
#include "qt/DataFolders.h"

namespace vantor::serve {

namespace {

using nlohmann::json;

// How long a job's PDF stays at /api/v1/jobs/{id}/pdf, and how many and how
// much of them the service keeps at most (the oldest go first). They stay in
// the memory of the instance that made them: the journal is all instances
// share.
constexpr qint64 kKeepPdfMs = 10 * 60 * 1000;
constexpr std::size_t kKeepPdfs = 64;
constexpr qint64 kKeepPdfBytes = 128LL * 1024 * 1024;
// Previews kept for repeated requests (an LTO sheet's SVG is some 90 KB).
constexpr qint64 kPreviewCacheBytes = 64LL * 1024 * 1024;

// A preview's validator: 128 bits of its bytes, the same on every instance.
// XXH3 rather than a cryptographic hash: nothing here needs one, and hashing
// 90 KB a preview with SHA-1 took a sixth of the service's time.
QByteArray ContentTag(const QByteArray& bytes) {
  const XXH128_hash_t h = XXH3_128bits(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  char text[36];
  std::snprintf(text, sizeof text, "\"%016llx%016llx\"", static_cast<unsigned long long>(h.high64),
                static_cast<unsigned long long>(h.low64));
  return QByteArray(text, 34);
}

TReply Json(int status, const json& value) {
  TReply r;
  r.status = status;
  r.body = QByteArray::fromStdString(value.dump());
  return r;
}

TReply Refused(int status, const std::string& error, const std::string& field = {}) {
  json body = {{"error", error}};
  if (!field.empty()) body["field"] = field;
  return Json(status, body);
}

TReply Refused(const TRefusal& r) { return Refused(r.status, r.error, r.field); }

TReply Resource(const QString& name, const QByteArray& type) {
  QFile file(QStringLiteral(":/vantor-web/") + name);
  if (!file.open(QIODevice::ReadOnly)) return Refused(404, "no such page");
  TReply r;
  r.type = type;
  r.body = file.readAll();
  return r;
}

// Whether `accept` asks for `type` (a list of media ranges, any parameters).
bool Accepts(const QByteArray& accept, const char* type) {
  for (const QByteArray& part : accept.split(','))
    if (part.trimmed().split(';').front().trimmed() == type) return true;
  return false;
}

// The journal seen by one request: its user and client recorded with each job
// and the PDF's destination named for people, the reservation, the job's end
// and whether the journal failed kept for the reply.
class TClientLog : public journal::TJobLog {
 public:
  TClientLog(journal::TJobLog& inner, std::string user, std::string host, std::optional<std::string> target)
      : inner_(inner), user_(std::move(user)), host_(std::move(host)), target_(std::move(target)) {}
  journal::TReservation Reserve(const journal::TJobRequest& request) override {
    journal::TJobRequest r = request;
    r.user = user_;
    r.host = host_;
    if (target_) r.target = *target_;
    reservation_ = Watch([&] { return inner_.Reserve(r); });
    return reservation_;
  }
  void MarkSending(std::int64_t id, const journal::TSerialRange& s) override {
    Watch([&] { inner_.MarkSending(id, s); });
  }
  void MarkSent(std::int64_t id, const journal::TSerialRange& s) override {
    Watch([&] { inner_.MarkSent(id, s); });
  }
  void MarkRefused(std::int64_t id, const journal::TSerialRange& s) override {
    Watch([&] { inner_.MarkRefused(id, s); });
  }
  void Renew(std::int64_t id) override {
    Watch([&] { inner_.Renew(id); });
  }
  void Finish(std::int64_t id, journal::TJobOutcome outcome) override {
    outcome_ = outcome;
    Watch([&] { inner_.Finish(id, outcome); });
  }
  const journal::TReservation& Reservation() const { return reservation_; }
  // The journal threw: the run stopped for the service's journal, not for
  // anything in the request.
  bool JournalFailed() const { return failed_; }
  std::optional<journal::TJobOutcome> Outcome() const { return outcome_; }

 private:
  template <typename F>
  auto Watch(F step) -> decltype(step()) {
    try {
      return step();
    } catch (...) {
      failed_ = true;
      throw;
    }
  }

  journal::TJobLog& inner_;
  std::string user_, host_;
  std::optional<std::string> target_;
  journal::TReservation reservation_;
  bool failed_ = false;
  std::optional<journal::TJobOutcome> outcome_;
};

// A date (the whole day, local time) or a date and time in ISO 8601, or Unix
// seconds.
std::optional<std::int64_t> ReadTime(const QString& text, bool endOfDay) {
  bool number = false;
  const qint64 seconds = text.toLongLong(&number);
  if (number) return seconds;
  const QDate day = QDate::fromString(text, Qt::ISODate);
  if (day.isValid()) return endOfDay ? day.endOfDay().toSecsSinceEpoch() : day.startOfDay().toSecsSinceEpoch();
  const QDateTime when = QDateTime::fromString(text, Qt::ISODate);
  if (when.isValid()) return when.toSecsSinceEpoch();
  return std::nullopt;
}

// A connection's count of its request, a child of its socket.
class TSocketLimit : public QObject {
 public:
  explicit TSocketLimit(QTcpSocket* socket) : QObject(socket) { setObjectName(Name()); }
  static QString Name() { return QStringLiteral("vantor-request-limit"); }
  TRequestLimit limit;
  bool refused = false;
  qint64 dropped = 0;  // bytes read and dropped after the refusal
};

// A refused connection is read and dropped until the client closes it, so
// that the refusal reaches it, for this long and this much at most.
constexpr int kRefusedLingerMs = 10 * 1000;
constexpr qint64 kRefusedDropBytes = 4 * 1024 * 1024;

TSocketLimit* LimitOf(QTcpSocket* socket) {
  // By name: a class without a meta-object of its own is no type to find by.
  return socket
             ? static_cast<TSocketLimit*>(socket->findChild<QObject*>(TSocketLimit::Name(), Qt::FindDirectChildrenOnly))
             : nullptr;
}

// A server that shows each connection to `watch` before Qt HTTP Server
// connects to it, so the service's reading of it comes first.
template <typename Base>
class TWatchedServer : public Base {
 public:
  TWatchedServer(std::function<void(QTcpSocket*)> watch, QObject* parent) : Base(parent), watch_(std::move(watch)) {}
  QTcpSocket* nextPendingConnection() override {
    QTcpSocket* socket = Base::nextPendingConnection();
    if (socket) watch_(socket);
    return socket;
  }

 private:
  std::function<void(QTcpSocket*)> watch_;
};

bool IsGet(const TCall& call) { return call.method == "GET" || call.method == "HEAD"; }

// What the window sets when the maker or media kind is chosen: the default
// serial and "Rotated sequence".
json DltMediaDefaults() {
  json defaults = json::object();
  for (const auto& [maker, media] : {std::pair<const char*, const char*>{"standard", ""},
                                     {"storagetek", "dlt4"},
                                     {"storagetek", "dlt3xt"},
                                     {"storagetek", "cleaning"},
                                     {"storagetek", "diagnostic"},
                                     {"breece", ""},
                                     {"other", ""}}) {
    const TMediaSetup& setup = MediaSetupFor(*MediaModeFor(maker, media));
    defaults[std::string(maker) + (*media ? std::string(" ") + media : "")] = {
        {"serial", setup.serial},
        {"rotated", setup.rotatedSequence.checked},
        {"rotated_enabled", setup.rotatedSequence.enabled},
        {"colored", setup.coloredSequence.checked}};
  }
  return defaults;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TService::TService(TServeConfig config)
    : config_(std::move(config)), templates_(LoadTemplateCatalogue()), previews_(kPreviewCacheBytes) {
  if (!config_.tokens.isEmpty()) tokens_ = std::make_unique<TTokens>(config_.tokens);
  for (const QString& folder : DataFolders(QCoreApplication::applicationDirPath(), QStringLiteral("translations")))
    if (german_.load(QStringLiteral("vantor_de"), folder)) {
      haveGerman_ = true;
      break;
    }
  // A worker keeps its thread, and with it its journal's connection; it
  // yields to the event loop and the previews, which people wait on.
  work_.setExpiryTimeout(-1);
  work_.setMaxThreadCount(4);
  clock_.start();
}

TService::~TService() {
  pool_.waitForDone();
  work_.waitForDone();
}

journal::TJournalAccess& TService::Journal() {
  if (!journals_.hasLocalData()) {
    journals_.setLocalData(new journal::TJournalAccess(config_.journal));
    // Lower this worker's share of the processors (nice 10 for this thread
    // alone); failing that, it keeps the share it has.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
  }
  return *journals_.localData();
}

const TReply* TPreviewCache::Find(const std::string& key) {
  const auto hit = index_.find(key);
  if (hit == index_.end()) return nullptr;
  order_.splice(order_.begin(), order_, hit->second);
  return &hit->second->second;
}

void TPreviewCache::Keep(const std::string& key, const TReply& reply) {
  const qint64 size = static_cast<qint64>(key.size()) + reply.body.size();
  if (size > maxBytes_ || index_.count(key)) return;
  order_.emplace_front(key, reply);
  index_[key] = order_.begin();
  bytes_ += size;
  while (bytes_ > maxBytes_) {
    const auto& [oldKey, oldReply] = order_.back();
    bytes_ -= static_cast<qint64>(oldKey.size()) + oldReply.body.size();
    index_.erase(oldKey);
    order_.pop_back();
  }
}

std::optional<std::string> TService::Ready() {
  if (tokens_)
    if (auto problem = tokens_->Refresh()) return problem;
  try {
    // Opened once here to find it and sweep jobs left interrupted; the
    // workers open their own.
    journal::TJournalAccess journal(config_.journal);
    journal.Get();
    journal.TakeInterrupted();
  } catch (const std::exception& e) {
    return e.what();
  }
  return std::nullopt;
}

quint16 TService::Listen(const QHostAddress& address, quint16 port, const std::optional<QSslConfiguration>& tls) {
  const auto watch = [this](QTcpSocket* socket) { Watch(socket); };
  QTcpServer* server = nullptr;
  if (tls) {
    auto* secure = new TWatchedServer<QSslServer>(watch, this);
    secure->setSslConfiguration(*tls);
    server = secure;
  } else {
    server = new TWatchedServer<QTcpServer>(watch, this);
  }
  if (!server->listen(address, port)) {
    delete server;
    return 0;
  }
  bind(server);
  return server->serverPort();
}

void TService::Watch(QTcpSocket* socket) {
  // Qt HTTP Server 6.4 has no say between a request's head and its body: it
  // reads the body whole, then hands the request over. So each connection's
  // bytes are counted here first, and a request too large is answered at
  // once (by hand: Qt's responder needs a request read whole) and the
  // connection taken from Qt.
  auto* limit = new TSocketLimit(socket);
  connect(socket, &QTcpSocket::readyRead, limit, [this, socket, limit] {
    if (limit->refused) {
      limit->dropped += socket->skip(socket->bytesAvailable());
      if (limit->dropped > kRefusedDropBytes) socket->abort();
      return;
    }
    const QByteArray fresh = socket->peek(socket->bytesAvailable());
    if (limit->limit.Take(std::string_view(fresh.constData(), static_cast<std::size_t>(fresh.size())))) return;
    limit->refused = true;
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    if (socket->isTransactionStarted()) socket->commitTransaction();
    socket->skip(socket->bytesAvailable());
    const TReply reply = Refused(413, "the request body is larger than 64 KiB");
    socket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: " + reply.type +
                  "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                  "\r\nConnection: close\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n\r\n" +
                  reply.body);
    QTimer::singleShot(kRefusedLingerMs, socket, [socket] { socket->abort(); });
    TCall call;
    const QList<QByteArray> line = QByteArray::fromStdString(std::string(limit->limit.RequestLine())).split(' ');
    call.method = line.value(0);
    call.target = QString::fromLatin1(line.value(1).left(200));
    call.client = socket->peerAddress().toString();
    if (call.client.startsWith(QLatin1String("::ffff:"))) call.client = call.client.mid(7);
    Log(call, reply.status, reply.body.size(), 0);
  });
}

bool TService::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  QElapsedTimer took;
  took.start();
  // The request was read whole; the count of the next one starts afresh.
  if (TSocketLimit* limit = LimitOf(socket)) limit->limit.Next();
  TCall call;
  const auto method = request.method();
  call.method = method == QHttpServerRequest::Method::Get    ? "GET"
                : method == QHttpServerRequest::Method::Post ? "POST"
                : method == QHttpServerRequest::Method::Head ? "HEAD"
                                                             : "OTHER";
  call.path = request.url().path();
  const QUrlQuery query = request.query();
  for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) call.query[key] = value;
  for (const auto& [key, value] : request.headers()) {
    const QByteArray name = key.toLower();
    if (name == "authorization") call.authorization = value;
    if (name == "accept") call.accept = value;
    if (name == "accept-language") call.acceptLanguage = value;
    if (name == "content-length") call.contentLength = value.toLongLong();
    if (name == "if-none-match") call.ifNoneMatch = value;
  }
  call.body = request.body();
  call.client = request.remoteAddress().toString();
  if (call.client.startsWith(QLatin1String("::ffff:"))) call.client = call.client.mid(7);
  // The path and query only: the token travels in a header and stays out.
  call.target = request.url().toString(QUrl::RemoveScheme | QUrl::RemoveAuthority);

  QHttpServerResponder responder = makeResponder(request, socket);
  if (call.method == "POST" && call.path == QLatin1String("/api/v1/preview")) {
    PreviewLater(call, std::move(responder), clock_.elapsed() - took.elapsed());
    return true;
  }
  if (call.path.startsWith(QLatin1String("/api/v1/jobs")) || call.path == QLatin1String("/api/v1/journal") ||
      call.path == QLatin1String("/api/v1/health")) {
    AnswerLater(call, std::move(responder), clock_.elapsed() - took.elapsed());
    return true;
  }
  const TReply reply = Answer(call);
  Send(responder, call, reply, took.elapsed());
  return true;
}

void TService::Send(QHttpServerResponder& responder, const TCall& call, const TReply& reply, qint64 tookMs) {
  // A client that already holds this very preview is told so.
  bool same = false;
  for (const auto& [name, value] : reply.headers)
    if (name == "ETag" && reply.status == 200 && !call.ifNoneMatch.isEmpty())
      for (const QByteArray& tag : call.ifNoneMatch.split(','))
        if (tag.trimmed() == value || tag.trimmed() == "*") same = true;
  const int status = same ? 304 : reply.status;
  responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(status));
  if (!same) {
    responder.writeHeader("Content-Type", reply.type);
    responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
  }
  responder.writeHeader("Cache-Control", "no-store");
  responder.writeHeader("X-Content-Type-Options", "nosniff");
  for (const auto& [name, value] : reply.headers) responder.writeHeader(name, value);
  if (same)
    responder.writeBody(QByteArray());
  else
    responder.writeBody(reply.body);
  Log(call, status, same ? 0 : reply.body.size(), tookMs);
}

void TService::Log(const TCall& call, int status, qint64 bytes, qint64 tookMs) {
  if (config_.log)
    *config_.log << QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString() << ' '
                 << call.client.toStdString() << ' ' << call.method.toStdString() << ' ' << call.target.toStdString()
                 << ' ' << status << ' ' << bytes << ' ' << tookMs << "ms" << std::endl;
}

void TService::PreviewLater(const TCall& call, QHttpServerResponder responder, qint64 startedMs) {
  std::string user;
  if (std::optional<TReply> refused = Admit(call, user)) {
    Send(responder, call, *refused, clock_.elapsed() - startedMs);
    return;
  }
  // The request as the service reads it: the same fields in any order and
  // spacing are the same preview. A body that is no JSON goes on to be
  // refused by the reader.
  std::string key;
  try {
    key = json::parse(std::string_view(call.body.constData(), static_cast<std::size_t>(call.body.size()))).dump();
  } catch (const std::exception&) {
  }
  if (!key.empty())
    if (const TReply* kept = previews_.Find(key)) {
      Send(responder, call, *kept, clock_.elapsed() - startedMs);
      return;
    }
  Later(
      pool_, call, std::move(responder), startedMs, [this, call] { return Preview(call); },
      [this, key](const TReply& reply) {
        if (!key.empty() && reply.status == 200) previews_.Keep(key, reply);
      });
}

void TService::AnswerLater(const TCall& call, QHttpServerResponder responder, qint64 startedMs) {
  Later(work_, call, std::move(responder), startedMs, [this, call] { return Answer(call); });
}

void TService::Later(QThreadPool& pool, const TCall& call, QHttpServerResponder responder, qint64 startedMs,
                     std::function<TReply()> work, std::function<void(const TReply&)> done) {
  // The responder writes on its socket's thread: the reply comes back here.
  // A client gone meanwhile takes its socket with it; its reply is dropped.
  auto waiting = std::make_shared<QHttpServerResponder>(std::move(responder));
  QPointer<QTcpSocket> socket = waiting->socket();
  pool.start([this, call, waiting, socket, startedMs, work = std::move(work), done = std::move(done)] {
    TReply reply;
    try {
      reply = work();
    } catch (const std::exception& e) {
      reply = Refused(500, std::string("the service failed: ") + e.what());
    }
    QMetaObject::invokeMethod(
        this,
        [this, call, waiting, socket, startedMs, done, reply] {
          if (done) done(reply);
          if (socket) Send(*waiting, call, reply, clock_.elapsed() - startedMs);
        },
        Qt::QueuedConnection);
  });
}

TReply TService::Answer(const TCall& call) {
  try {
    std::string user;
    return Route(call, user);
  } catch (const std::exception& e) {
    // A fault of the service, not of the request.
    return Refused(500, std::string("the service failed: ") + e.what());
  }
}

TReply TService::Route(const TCall& call, std::string& user) {
  if (std::optional<TReply> open = OpenRoute(call)) return *open;
  if (std::optional<TReply> refused = Admit(call, user)) return *refused;
  const QString route = call.path.mid(8);
  if (std::optional<TReply> list = CatalogueRoute(call, route)) return *list;
  return JobRoute(call, route, user);
}

std::optional<TReply> TService::OpenRoute(const TCall& call) {
  const QString& path = call.path;
  // The page and its parts: open to all, they hold nothing of the journal.
  if (path == QLatin1String("/") || path == QLatin1String("/index.html"))
    return IsGet(call) ? Resource(QStringLiteral("index.html"), "text/html; charset=utf-8") : Refused(405, "use GET");
  if (path == QLatin1String("/app.js")) return Resource(QStringLiteral("app.js"), "text/javascript; charset=utf-8");
  if (path == QLatin1String("/style.css")) return Resource(QStringLiteral("style.css"), "text/css; charset=utf-8");
  if (path == QLatin1String("/strings.json")) return Strings(call);
  if (!path.startsWith(QLatin1String("/api/v1/"))) return Refused(404, "no such page: " + path.toStdString());
  const QString route = path.mid(8);
  if (route == QLatin1String("openapi.json")) return Resource(QStringLiteral("openapi.json"), "application/json");
  if (route == QLatin1String("health")) return Health();
  return std::nullopt;
}

std::optional<TReply> TService::CatalogueRoute(const TCall& call, const QString& route) const {
  static constexpr struct {
    const char* route;
    TReply (TService::*answer)() const;
  } kLists[] = {{"templates", &TService::Templates},
                {"media-ids", &TService::MediaIds},
                {"palettes", &TService::Palettes},
                {"dlt/makers", &TService::DltMakers},
                {"printers", &TService::Printers}};
  const bool get = IsGet(call);
  for (const auto& list : kLists)
    if (route == QLatin1String(list.route)) return get ? (this->*list.answer)() : Refused(405, "use GET");
  const QStringList parts = route.split(QLatin1Char('/'));
  if (parts.size() == 2 && parts[0] == QLatin1String("templates"))
    return get ? Template(parts[1].toStdString()) : Refused(405, "use GET");
  return std::nullopt;
}

TReply TService::JobRoute(const TCall& call, const QString& route, const std::string& user) {
  const bool get = IsGet(call);
  const bool post = call.method == "POST";
  if (route == QLatin1String("preview")) return post ? Preview(call) : Refused(405, "use POST with the job's fields");
  if (route == QLatin1String("jobs")) return post ? Jobs(call, user) : Refused(405, "use POST with the job's fields");
  if (route == QLatin1String("journal")) return get ? JournalList(call) : Refused(405, "use GET");
  // jobs/{id} and jobs/{id}/pdf
  const QStringList parts = route.split(QLatin1Char('/'));
  if ((parts.size() == 2 || (parts.size() == 3 && parts[2] == QLatin1String("pdf"))) &&
      parts[0] == QLatin1String("jobs")) {
    bool number = false;
    const qint64 id = parts[1].toLongLong(&number);
    if (!number || id <= 0) return Refused(404, "no job " + parts[1].toStdString());
    return get ? Job(id, parts.size() == 3) : Refused(405, "use GET");
  }
  return Refused(404, "no such route: " + call.path.toStdString());
}

TReply TService::Templates() const {
  json list = json::array();
  for (const TSheetTemplate& t : templates_.templates)
    list.push_back({{"name", t.name},
                    {"title", t.title},
                    {"labels_per_page", t.LabelsPerPage()},
                    {"page_mm",
                     {static_cast<double>(t.page.width.Micrometres()) / 1000,
                      static_cast<double>(t.page.height.Micrometres()) / 1000}}});
  return Json(200, {{"templates", list}, {"refused", templates_.problems}});
}

TReply TService::Template(const std::string& name) const {
  const TSheetTemplate* t = templates_.Find(name);
  if (!t) return Refused(404, "unknown template '" + name + "'", "template");
  TReply r;
  r.body = QByteArray::fromStdString(DescribeTemplateJson(*t));
  return r;
}

TReply TService::MediaIds() const {
  json list = json::array();
  for (const TMediaId& m : MediaIdTable())
    list.push_back(
        {{"id", m.id}, {"kind", MediaKindName(m.kind)}, {"generation", m.generation}, {"caption", m.caption}});
  return Json(200, {{"media_ids", list}});
}

TReply TService::Palettes() const {
  json list = json::array();
  for (const TLtoPalette& p : LtoPalettes()) list.push_back({{"name", p.name}, {"caption", p.caption}});
  return Json(200, {{"palettes", list}, {"default", kDefaultLtoPalette}});
}

TReply TService::DltMakers() const {
  json schemes = json::array();
  for (const ColorScheme& s : ColorSchemes()) schemes.push_back(s.caption);
  json layouts = json::array();
  for (const TSheetLayout l : {TSheetLayout::StorageTek, TSheetLayout::StorageTekRotated, TSheetLayout::Standard,
                               TSheetLayout::StandardRotated, TSheetLayout::BreeceHill, TSheetLayout::Other})
    layouts.push_back(LayoutName(l));
  return Json(200, {{"makers", {"standard", "storagetek", "breece", "other"}},
                    {"defaults", DltMediaDefaults()},
                    {"media", {"dlt4", "dlt3xt", "cleaning", "diagnostic"}},
                    {"schemes", schemes},
                    {"layouts", layouts},
                    {"labels_per_sheet", kLabelsPerSheet}});
}

std::optional<TReply> TService::Admit(const TCall& call, std::string& user) {
  if (tokens_) {
    // Asked from the event loop and the workers alike.
    const std::lock_guard<std::mutex> lock(tokensMutex_);
    if (auto problem = tokens_->Refresh()) return Refused(503, problem->c_str());
    const QByteArray bearer = "Bearer ";
    if (!call.authorization.startsWith(bearer))
      return Refused(401, "this service needs a token: Authorization: Bearer TOKEN");
    const auto holder = tokens_->Holder(call.authorization.mid(bearer.size()).trimmed());
    if (!holder) return Refused(401, "the token is not one of this service's");
    user = *holder;
  }
  if (call.contentLength > static_cast<qint64>(kMaxBodyBytes) ||
      call.body.size() > static_cast<qsizetype>(kMaxBodyBytes))
    return Refused(413, "the request body is larger than 64 KiB");
  return std::nullopt;
}

std::vector<std::string> TService::AllowedPrinters() const {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    const std::string n = name.toStdString();
    if (config_.printers.empty() ||
        std::find(config_.printers.begin(), config_.printers.end(), n) != config_.printers.end())
      names.push_back(n);
  }
  return names;
}

TReply TService::Printers() const { return Json(200, {{"printers", AllowedPrinters()}}); }

TReply TService::Health() {
  json body = {{"version", VANTOR_VERSION}};
  try {
    journal::TJournal& j = Journal().Get();
    body["journal"] = {{"reachable", true}, {"schema", j.SchemaVersion()}};
    body["status"] = "ok";
    return Json(200, body);
  } catch (const std::exception& e) {
    Journal().Close();
    body["journal"] = {{"reachable", false}};
    body["status"] = "unavailable";
    body["error"] = e.what();
    return Json(503, body);
  }
}

TReply TService::Preview(const TCall& call) {
  TReadJob read = ReadJobRequest(std::string_view(call.body.constData(), static_cast<std::size_t>(call.body.size())));
  if (!read.job) return Refused(read.refusal);
  TJobDescription& job = *read.job;
  // Drawn at the PDF's resolution, never on a printer, never journalled.
  job.lto.output = job.dlt.output = TOutputKind::Trace;
  job.lto.dpi = job.dlt.dpi = kPreviewDpi;
  TCheckedJob checked;
  if (auto refusal = CheckJob(job, templates_, config_.maxLabels, checked)) return Refused(*refusal);
  std::vector<TLabelRect> places;
  if (job.family == TFamily::Lto) {
    if (const TSheetTemplate* t = templates_.Find(job.lto.templateName)) places = t->labels;
  }
  TPreviewImage image;
  TPreviewFactory factory(job.page - 1, job.format, places, image);
  std::ostringstream out, err;
  const int status = job.family == TFamily::Lto ? RunLtoPrint(job.lto, templates_, factory, out, err)
                                                : RunPrint(job.dlt, factory, out, err);
  if (status != 0) return Refused(422, err.str().substr(0, err.str().find('\n')));
  if (image.bytes.isEmpty())
    return Refused(422, "the job has " + std::to_string(image.pages) + (image.pages == 1 ? " page" : " pages"), "page");
  TReply r;
  r.type = job.format == TPreviewFormat::Svg ? "image/svg+xml" : "image/png";
  r.body = std::move(image.bytes);
  r.headers.push_back({"X-Vantor-Pages", QByteArray::number(image.pages)});
  r.headers.push_back({"ETag", ContentTag(r.body)});
  return r;
}

TReply TService::Jobs(const TCall& call, const std::string& user) {
  TReadJob read = ReadJobRequest(std::string_view(call.body.constData(), static_cast<std::size_t>(call.body.size())));
  if (!read.job) return Refused(read.refusal);
  TJobDescription& job = *read.job;
  TCheckedJob checked;
  if (auto refusal = CheckJob(job, templates_, config_.maxLabels, checked)) return Refused(*refusal);
  if (job.printer) {
    const std::vector<std::string> allowed = AllowedPrinters();
    if (std::find(allowed.begin(), allowed.end(), *job.printer) == allowed.end())
      return Refused(422, "no printer named \"" + *job.printer + "\" on this service", "output");
  }
  TPdfBytesFactory factory;
  if (!factory.Usable()) return Refused(503, "the service cannot write its temporary files");
  if (!job.printer) job.lto.target = job.dlt.target = factory.Path();
  const bool calibrationPage = job.family == TFamily::Lto ? job.lto.calibrationPage : job.dlt.calibrationPage;

  journal::TJobLog* log = nullptr;
  std::optional<TClientLog> client;
  if (!calibrationPage) {
    try {
      client.emplace(
          Journal().Get(), user, call.client.toStdString(),
          job.printer ? std::nullopt : std::optional<std::string>("download by " + call.client.toStdString()));
      log = &*client;
    } catch (const std::exception& e) {
      Journal().Close();
      return Refused(503, e.what());
    }
  }
  std::ostringstream out, err;
  const int status = job.family == TFamily::Lto ? RunLtoPrint(job.lto, templates_, factory, out, err, log)
                                                : RunPrint(job.dlt, factory, out, err, log);
  if (status == kExitJournalRefused) {
    json body = ConflictJson(client->Reservation().conflicts);
    return Json(409, body);
  }
  if (status != 0) {
    // The runner's first line, without the command line's "vantor: ".
    std::string message = err.str().substr(0, err.str().find('\n'));
    if (message.rfind("vantor: ", 0) == 0) message.erase(0, 8);
    // A journal that failed is opened afresh for the next request.
    if (client && client->JournalFailed()) Journal().Close();
    // The journal or the output failed: the service's fault (503). Anything
    // else is the core refusing the labels (422): before anything was
    // reserved, or once the output was known (a printer's resolution), the
    // job then cancelled and its serials freed.
    const bool failed = factory.OutputFailed() ||
                        (client && (client->JournalFailed() || client->Outcome() == journal::TJobOutcome::Failed));
    return Refused(failed ? 503 : 422, message);
  }
  QByteArray pdf = job.printer ? QByteArray() : factory.TakeBytes();
  if (calibrationPage) {
    if (job.printer) return Json(200, {{"printed", "calibration page"}, {"printer", *job.printer}});
    TReply r;
    r.type = "application/pdf";
    r.body = std::move(pdf);
    return r;
  }
  const qint64 id = client->Reservation().jobId;
  // The job is done and recorded: a journal that fails to read it back now
  // leaves the reply its number alone.
  std::optional<journal::TJobRecord> record;
  try {
    record = Journal().Get().Job(id);
  } catch (const std::exception&) {
    Journal().Close();
  }
  json body = record ? JobJson(*record) : json{{"id", id}};
  const QByteArray location = "/api/v1/jobs/" + QByteArray::number(id);
  if (!job.printer) body["pdf"] = (location + "/pdf").toStdString();
  TReply r = Json(201, body);
  r.headers.push_back({"Location", location});
  if (!job.printer && Accepts(call.accept, "application/pdf")) {
    r.type = "application/pdf";
    r.body = pdf;
    r.headers.push_back({"X-Vantor-Job", QByteArray::number(id)});
  }
  if (!job.printer) KeepPdf(id, std::move(pdf));
  return r;
}

void TService::KeepPdf(qint64 id, QByteArray pdf) {
  const std::lock_guard<std::mutex> lock(pdfsMutex_);
  const qint64 now = clock_.elapsed();
  keptBytes_ += pdf.size();
  pdfs_.push_back({id, std::move(pdf), now + kKeepPdfMs});
  while (!pdfs_.empty() && (pdfs_.front().until < now || keptBytes_ > kKeepPdfBytes || pdfs_.size() > kKeepPdfs)) {
    keptBytes_ -= pdfs_.front().pdf.size();
    pdfs_.pop_front();
  }
}

TReply TService::Job(qint64 id, bool pdf) {
  if (pdf) {
    const std::lock_guard<std::mutex> lock(pdfsMutex_);
    const qint64 now = clock_.elapsed();
    for (const TKeptPdf& kept : pdfs_)
      if (kept.id == id && kept.until >= now) {
        TReply r;
        r.type = "application/pdf";
        r.body = kept.pdf;
        return r;
      }
    return Refused(404, "the PDF of job " + std::to_string(id) +
                            " is not kept here: a job's PDF stays for 10 minutes with the instance that made it, "
                            "the last 64 at most (ask for the job with Accept: application/pdf to have it at once)");
  }
  try {
    const std::optional<journal::TJobRecord> record = Journal().Get().Job(id);
    if (!record) return Refused(404, "no job " + std::to_string(id) + " in the journal");
    return Json(200, JobJson(*record));
  } catch (const std::exception& e) {
    Journal().Close();
    return Refused(503, e.what());
  }
}

TReply TService::JournalList(const TCall& call) {
  journal::TJobFilter filter;
  filter.limit = 100;
  for (const auto& [key, value] : call.query) {
    if (key == QLatin1String("serial")) {
      const std::string serial = QString(value).toUpper().toStdString();
      if (!journal::SplitSerial(serial)) return Refused(422, "'" + serial + "' is not a serial", "serial");
      filter.serial = serial;
    } else if (key == QLatin1String("from") || key == QLatin1String("to")) {
      const auto when = ReadTime(value, key == QLatin1String("to"));
      if (!when)
        return Refused(422, key.toStdString() + " must be a date (2026-12-01), a date and time or Unix seconds",
                       key.toStdString());
      (key == QLatin1String("from") ? filter.from : filter.to) = *when;
    } else if (key == QLatin1String("limit")) {
      bool number = false;
      const int limit = value.toInt(&number);
      if (!number || limit < 1 || limit > 10000)
        return Refused(422, "limit must be a whole number from 1 to 10000", "limit");
      filter.limit = limit;
    } else {
      return Refused(422, "unknown parameter '" + key.toStdString() + "'", key.toStdString());
    }
  }
  try {
    json jobs = json::array();
    journal::TJournal& j = Journal().Get();
    for (const journal::TJobRecord& record : j.List(filter)) jobs.push_back(JobJson(record));
    return Json(200, {{"jobs", jobs}, {"problems", j.Problems()}});
  } catch (const std::exception& e) {
    Journal().Close();
    return Refused(503, e.what());
  }
}

TReply TService::Strings(const TCall& call) {
  // The first language the browser names that the service speaks; English
  // ends the search.
  bool german = false;
  for (const QByteArray& part : call.acceptLanguage.split(',')) {
    const std::string tag = Lower(part.trimmed().split(';').front().trimmed().toStdString());
    if (tag.rfind("de", 0) == 0) {
      german = haveGerman_;
      break;
    }
    if (tag.rfind("en", 0) == 0) break;
  }
  json strings = json::object();
  for (const TWebString& s : WebStrings()) {
    const QString text = german ? german_.translate(s.context, s.text) : QString();
    strings[s.key] = text.isEmpty() ? s.text : text.toStdString();
  }
  TReply r = Json(200, {{"language", german ? "de" : "en"}, {"strings", strings}});
  r.headers.push_back({"Vary", "Accept-Language"});
  return r;
}

}  // namespace vantor::serve
