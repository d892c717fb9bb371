#include "app/serve/qt/ServeCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>
#include <cstdlib>
#include <optional>

#include "app/serve/qt/Service.h"
#include "app/serve/qt/Tokens.h"
#include "qt/CommandLine.h"
#include "qt/Translations.h"

namespace vantor::serve {

namespace {

constexpr const char* kProgram = "vantor serve";
constexpr quint16 kDefaultPort = 8631;

struct TListen {
  QHostAddress address;
  quint16 port = kDefaultPort;
};

// HOST:PORT, [IPv6]:PORT or HOST alone; HOST an address or localhost.
std::optional<TListen> ReadListen(const std::string& text) {
  QString host = QString::fromStdString(text);
  QString port;
  if (host.startsWith(QLatin1Char('['))) {
    const qsizetype close = host.indexOf(QLatin1Char(']'));
    if (close < 0) return std::nullopt;
    const QString rest = host.mid(close + 1);
    if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) return std::nullopt;
    port = rest.mid(1);
    host = host.mid(1, close - 1);
  } else if (host.count(QLatin1Char(':')) == 1) {
    port = host.section(QLatin1Char(':'), 1);
    host = host.section(QLatin1Char(':'), 0, 0);
  }
  TListen listen;
  if (host == QLatin1String("localhost")) host = QStringLiteral("127.0.0.1");
  if (!listen.address.setAddress(host)) return std::nullopt;
  if (!port.isEmpty()) {
    bool number = false;
    const int p = port.toInt(&number);
    if (!number || p < 0 || p > 65535) return std::nullopt;
    listen.port = static_cast<quint16>(p);
  }
  return listen;
}

void AddOptions(QCommandLineParser& p) {
  AddHelpAndVersion(p);
  const auto add = [&](const char* name, const char* help, const char* value = nullptr) {
    p.addOption(QCommandLineOption(QString::fromLatin1(name), Tr(help), value ? Tr(value) : QString()));
  };
  add("listen",
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "The address and port to serve on (default 127.0.0.1:8631); any other than loopback needs "
                        "--tokens."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "HOST:PORT"));
  add("journal",
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "The print journal: a file, or postgresql://USER@HOST[:PORT]/DATABASE (default: the one in the "
                        "settings, else journal.sqlite in the user's data folder)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "PATH|URL"));
  add("tokens", QT_TRANSLATE_NOOP("vantor::CommandLine", "The token file: one name:SHA-256 line a person."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "FILE"));
  add("add-token",
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Add a token for NAME to the --tokens file and print it once on stdout; then exit."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME"));
  add("tls-cert", QT_TRANSLATE_NOOP("vantor::CommandLine", "Serve HTTPS with this PEM certificate (with --tls-key)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "FILE"));
  add("tls-key", QT_TRANSLATE_NOOP("vantor::CommandLine", "The certificate's PEM private key."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "FILE"));
  add("printers",
      QT_TRANSLATE_NOOP("vantor::CommandLine", "The system printers the service offers (default: all of them)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME,..."));
  add("max-labels", QT_TRANSLATE_NOOP("vantor::CommandLine", "The most labels one job may hold (default 30000)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "N"));
}

std::optional<QByteArray> ReadFile(const std::string& path, std::string& problem) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    problem = "cannot read " + path + ": " + file.errorString().toStdString();
    return std::nullopt;
  }
  return file.readAll();
}

}  // namespace

int RunServeCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  QCommandLineParser p;
  AddOptions(p);
  const auto usage = [&](const std::string& problem) {
    err << CommandLineError(kProgram, problem) << '\n';
    return 2;
  };
  if (auto problem = ParseArguments(p, args)) return usage(*problem);
  const auto value = [&](const char* name) { return OptionValue(p, QString::fromLatin1(name)); };
  const auto isSet = [&](const char* name) { return p.isSet(QString::fromLatin1(name)); };
  if (isSet("help")) {
    // The help in the operator's language, as `vantor --help`: the translation
    // needs an application object (no display), and the options' texts are
    // translated as they are added, so they are added again.
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    std::optional<QCoreApplication> app;
    if (!QCoreApplication::instance()) app.emplace(qtArgc, qtArgv);
    TTranslation translation;
    translation.InstallForSystemLocale();
    QCommandLineParser translated;
    AddOptions(translated);
    out << HelpText(
        translated,
        Tr(QT_TRANSLATE_NOOP("vantor::CommandLine",
                             "Usage: vantor serve [--listen HOST:PORT] [--journal PATH|URL] [--tokens FILE]\n"
                             "                    [--tls-cert FILE --tls-key FILE] [--printers NAME,...]\n"
                             "                    [--max-labels N]\n"
                             "       vantor serve --add-token NAME --tokens FILE")),
        QString());
    return 0;
  }
  if (isSet("version")) {
    out << "vantor " << VANTOR_VERSION << '\n';
    return 0;
  }
  if (isSet("add-token")) {
    if (!isSet("tokens")) return usage("--add-token needs --tokens FILE");
    std::string problem;
    const auto token = AddToken(QString::fromStdString(value("tokens")), value("add-token"), problem);
    if (!token) {
      err << kProgram << ": " << problem << '\n';
      return 1;
    }
    out << *token << '\n';
    return 0;
  }

  const std::optional<TListen> listen = ReadListen(isSet("listen") ? value("listen") : "127.0.0.1");
  if (!listen) return usage("--listen must be HOST:PORT with HOST an address, not '" + value("listen") + "'");
  TServeConfig config;
  if (isSet("journal")) config.journal = value("journal");
  if (isSet("tokens")) config.tokens = QString::fromStdString(value("tokens"));
  if (!listen->address.isLoopback() && config.tokens.isEmpty())
    return usage("listening on " + listen->address.toString().toStdString() +
                 ", beyond this machine, needs --tokens FILE (see --add-token)");
  if (isSet("max-labels")) {
    bool number = false;
    const int n = QString::fromStdString(value("max-labels")).toInt(&number);
    if (!number || n < 1 || n > 1000000)
      return usage("--max-labels must be a number from 1 to 1000000, not '" + value("max-labels") + "'");
    config.maxLabels = n;
  }
  if (isSet("printers"))
    for (const QString& name : QString::fromStdString(value("printers")).split(QLatin1Char(','), Qt::SkipEmptyParts))
      config.printers.push_back(name.trimmed().toStdString());
  if (isSet("tls-cert") != isSet("tls-key")) return usage("give --tls-cert and --tls-key together");
  config.log = &err;

  // Drawing needs fonts, not a screen.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  QGuiApplication::setApplicationName(QStringLiteral("Vantor"));

  TService service(config);
  const bool tls = isSet("tls-cert");
  std::optional<QSslConfiguration> secure;
  if (tls) {
    std::string problem;
    const auto cert = ReadFile(value("tls-cert"), problem);
    const auto key = cert ? ReadFile(value("tls-key"), problem) : std::nullopt;
    if (!cert || !key) {
      err << kProgram << ": " << problem << '\n';
      return 1;
    }
    const QSslCertificate certificate(*cert, QSsl::Pem);
    QSslKey privateKey(*key, QSsl::Rsa, QSsl::Pem);
    if (privateKey.isNull()) privateKey = QSslKey(*key, QSsl::Ec, QSsl::Pem);
    if (certificate.isNull() || privateKey.isNull()) {
      err << kProgram << ": " << value("tls-cert") << " and " << value("tls-key")
          << " are no PEM certificate and private key\n";
      return 1;
    }
    secure.emplace();
    secure->setLocalCertificate(certificate);
    secure->setPrivateKey(privateKey);
  }
  if (auto problem = service.Ready()) {
    err << kProgram << ": " << *problem << '\n';
    return 1;
  }
  const quint16 port = service.Listen(listen->address, listen->port, secure);
  if (port == 0) {
    err << kProgram << ": cannot listen on " << listen->address.toString().toStdString() << ':' << listen->port << '\n';
    return 1;
  }
  QString host = listen->address.toString();
  if (listen->address.protocol() == QAbstractSocket::IPv6Protocol) host = QLatin1Char('[') + host + QLatin1Char(']');
  err << kProgram << ": serving on " << (tls ? "https://" : "http://") << host.toStdString() << ':' << port << "/"
      << std::endl;
  return QGuiApplication::exec();
}

}  // namespace vantor::serve
