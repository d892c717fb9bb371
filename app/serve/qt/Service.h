// `vantor serve`: the team's web service on Qt HTTP Server. The REST API and
// the web page in front of the command line's runners and the print journal;
// the service keeps nothing of its own but a bounded number of job PDFs for a
// short while (served by the instance that made them), so several instances
// can serve one PostgreSQL journal.
#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHttpServerResponder>
#include <QSslConfiguration>
#include <QString>
#include <QThreadPool>
#include <QThreadStorage>
#include <QTranslator>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/serve/JobRequest.h"
#include "app/serve/qt/Tokens.h"
#include "journal/qt/JournalSettings.h"
#include "templates/SheetTemplate.h"

namespace vantor::serve {

struct TServeConfig {
  std::optional<std::string> journal;  // --journal; none: the settings' or the default
  QString tokens;                      // --tokens; empty: none asked (loopback only)
  std::vector<std::string> printers;   // --printers; empty: every printer the system has
  int maxLabels = kDefaultMaxLabels;
  std::ostream* log = nullptr;  // the access log, one line a request
};

// A reply before it goes out.
struct TReply {
  int status = 200;
  QByteArray type = "application/json";
  QByteArray body;
  std::vector<std::pair<QByteArray, QByteArray>> headers;
};

// One request as the API sees it.
struct TCall {
  QByteArray method;
  QString path;
  std::map<QString, QString> query;
  QByteArray authorization, accept, acceptLanguage, ifNoneMatch;
  qint64 contentLength = -1;
  QByteArray body;
  QString client;  // the client's address
  QString target;  // the path and query, for the access log
};

// Previews by their canonical request, the most recently used kept: a
// preview depends on nothing but its request and the templates read at
// start, so a copy answers a repeated one.
class TPreviewCache {
 public:
  explicit TPreviewCache(qint64 maxBytes) : maxBytes_(maxBytes) {}
  const TReply* Find(const std::string& key);
  void Keep(const std::string& key, const TReply& reply);
  qint64 Bytes() const { return bytes_; }

 private:
  qint64 maxBytes_, bytes_ = 0;
  std::list<std::pair<std::string, TReply>> order_;  // most recent first
  std::map<std::string, std::list<std::pair<std::string, TReply>>::iterator> index_;
};

class TService : public QAbstractHttpServer {
  Q_OBJECT

 public:
  explicit TService(TServeConfig config);
  ~TService() override;
  // A problem with the tokens file, the journal or the templates at start.
  std::optional<std::string> Ready();
  // Answers one request; never throws.
  TReply Answer(const TCall& call);
  // Listens on `address` (HTTPS with `tls`); the port, or 0 when it cannot.
  quint16 Listen(const QHostAddress& address, quint16 port, const std::optional<QSslConfiguration>& tls);

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

 private:
  TReply Route(const TCall& call, std::string& user);
  // The page, its parts, the API's description and health, which need no
  // token; nothing for a route that does.
  std::optional<TReply> OpenRoute(const TCall& call);
  // The read-only lists the page offers its choices from; nothing for
  // another route.
  std::optional<TReply> CatalogueRoute(const TCall& call, const QString& route) const;
  // Previews, jobs and the journal; a 404 for any other route.
  TReply JobRoute(const TCall& call, const QString& route, const std::string& user);
  // The token and the body's size; a refusal, or nothing when the call may go on.
  std::optional<TReply> Admit(const TCall& call, std::string& user);
  // Draws the preview on the pool and answers once it is done.
  void PreviewLater(const TCall& call, QHttpServerResponder responder, qint64 startedMs);
  // Answers on the workers' pool: jobs and whatever asks the journal.
  void AnswerLater(const TCall& call, QHttpServerResponder responder, qint64 startedMs);
  // Runs `work` on `pool`; its reply goes out on the event loop, after `done`.
  void Later(QThreadPool& pool, const TCall& call, QHttpServerResponder responder, qint64 startedMs,
             std::function<TReply()> work, std::function<void(const TReply&)> done = {});
  // This thread's journal: Qt SQL connections belong to the thread that
  // opened them.
  journal::TJournalAccess& Journal();
  void Send(QHttpServerResponder& responder, const TCall& call, const TReply& reply, qint64 tookMs);
  void Log(const TCall& call, int status, qint64 bytes, qint64 tookMs);
  // Counts what a new connection sends ahead of Qt HTTP Server.
  void Watch(QTcpSocket* socket);
  TReply Preview(const TCall& call);
  TReply Jobs(const TCall& call, const std::string& user);
  TReply JournalList(const TCall& call);
  TReply Job(qint64 id, bool pdf);
  TReply Health();
  TReply Strings(const TCall& call);
  TReply Printers() const;
  TReply Templates() const;
  TReply Template(const std::string& name) const;
  TReply MediaIds() const;
  TReply Palettes() const;
  TReply DltMakers() const;
  std::vector<std::string> AllowedPrinters() const;
  void KeepPdf(qint64 id, QByteArray pdf);

  TServeConfig config_;
  TTemplateCatalogue templates_;
  std::unique_ptr<TTokens> tokens_;
  std::mutex tokensMutex_;
  QTranslator german_;
  bool haveGerman_ = false;
  struct TKeptPdf {
    qint64 id;
    QByteArray pdf;
    qint64 until;  // ms since the service started
  };
  std::mutex pdfsMutex_;
  std::deque<TKeptPdf> pdfs_;
  qint64 keptBytes_ = 0;
  QElapsedTimer clock_;
  TPreviewCache previews_;
  // Each worker's journal, closed on its thread as the thread ends.
  QThreadStorage<journal::TJournalAccess*> journals_;
  // Previews are drawn on pool_, jobs and journal queries run on work_, both
  // off the event loop, so a preview never waits behind a job; last, so that
  // they wait for their work before anything it reads goes.
  QThreadPool pool_;
  QThreadPool work_;
};

}  // namespace vantor::serve
