// `vantor serve`: the team's web service on Qt HTTP Server. The REST API and
// the web page in front of the command line's runners and the print journal;
// the service keeps nothing of its own but PDFs for a short while, so several
// instances can serve one PostgreSQL journal.
#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTranslator>
#include <deque>
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
  QByteArray authorization, accept, acceptLanguage;
  qint64 contentLength = -1;
  QByteArray body;
  QString client;  // the client's address
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
};

}  // namespace vantor::serve
