// `vantor serve`: the team's web service on Qt HTTP Server. The REST API and
// the web page in front of the command line's runners and the print journal;
// the service keeps nothing of its own but PDFs for a short while, so several
// instances can serve one PostgreSQL journal.
#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHttpServerResponder>
#include <QString>
#include <QThreadPool>
#include <QTranslator>
#include <deque>
#include <list>
#include <map>
#include <memory>
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

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

 private:
  TReply Route(const TCall& call, std::string& user);
  // The token and the body's size; a refusal, or nothing when the call may go on.
  std::optional<TReply> Admit(const TCall& call, std::string& user);
  // Draws the preview on the pool and answers once it is done.
  void PreviewLater(const TCall& call, QHttpServerResponder responder, qint64 startedMs);
  void Send(QHttpServerResponder& responder, const TCall& call, const TReply& reply, qint64 tookMs);
  TReply Preview(const TCall& call);
  TReply Jobs(const TCall& call, const std::string& user);
  TReply JournalList(const TCall& call);
  TReply Job(qint64 id, bool pdf);
  TReply Health();
  TReply Strings(const TCall& call);
  TReply Printers() const;
  std::vector<std::string> AllowedPrinters() const;
  void KeepPdf(qint64 id, QByteArray pdf);

  TServeConfig config_;
  TTemplateCatalogue templates_;
  std::unique_ptr<TTokens> tokens_;
  journal::TJournalAccess journal_;
  QTranslator german_;
  bool haveGerman_ = false;
  struct TKeptPdf {
    qint64 id;
    QByteArray pdf;
    qint64 until;  // ms since the service started
  };
  std::deque<TKeptPdf> pdfs_;
  qint64 keptBytes_ = 0;
  QElapsedTimer clock_;
  TPreviewCache previews_;
  // Previews are drawn here, off the event loop; last, so that it waits for
  // them before anything they read goes.
  QThreadPool pool_;
};

}  // namespace vantor::serve
