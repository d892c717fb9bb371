#include "app/serve/qt/ServeCommand.h"

#include <QCommandLineParser>
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

std::string Value(const QCommandLineParser& p, const char* name) { return OptionValue(p, QString::fromLatin1(name)); }
bool IsSet(const QCommandLineParser& p, const char* name) { return p.isSet(QString::fromLatin1(name)); }

// A command line the service cannot start from: exit 2.
int Usage(std::ostream& err, const std::string& problem) {
  err << CommandLineError(kProgram, problem) << '\n';
  return 2;
}

// A start that failed: exit 1.
int Failed(std::ostream& err, const std::string& problem) {
  err << kProgram << ": " << problem << '\n';
  return 1;
}

void PrintHelp(int argc, char** argv, std::ostream& out) {
  // The options' texts are translated as they are added: added again once
  // the operator's language is in.
  InOperatorsLanguage(argc > 0 ? argv[0] : nullptr, [&] {
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
  });
}

// Prints the help or the version when one is asked for; whether it did.
bool AnswerHelpOrVersion(const QCommandLineParser& p, int argc, char** argv, std::ostream& out) {
  if (IsSet(p, "help")) {
    PrintHelp(argc, argv, out);
    return true;
  }
  if (IsSet(p, "version")) {
    out << "vantor " << VANTOR_VERSION << '\n';
    return true;
  }
  return false;
}

// --add-token: the new token on `out`, once.
int AddTokenCommand(const QCommandLineParser& p, std::ostream& out, std::ostream& err) {
  if (!IsSet(p, "tokens")) return Usage(err, "--add-token needs --tokens FILE");
  std::string problem;
  const auto token = AddToken(QString::fromStdString(Value(p, "tokens")), Value(p, "add-token"), problem);
  if (!token) return Failed(err, problem);
  out << *token << '\n';
  return 0;
}

struct TTlsFiles {
  std::string cert, key;
};

struct TServeSetup {
  TListen listen;
  TServeConfig config;
  std::optional<TTlsFiles> tls;
};

// The options that start the service; the problem with them, or nothing.
std::optional<std::string> ReadServeOptions(const QCommandLineParser& p, TServeSetup& setup) {
  const std::optional<TListen> listen = ReadListen(IsSet(p, "listen") ? Value(p, "listen") : "127.0.0.1");
  if (!listen) return "--listen must be HOST:PORT with HOST an address, not '" + Value(p, "listen") + "'";
  setup.listen = *listen;
  TServeConfig& config = setup.config;
  if (IsSet(p, "journal")) config.journal = Value(p, "journal");
  if (IsSet(p, "tokens")) config.tokens = QString::fromStdString(Value(p, "tokens"));
  if (!listen->address.isLoopback() && config.tokens.isEmpty())
    return "listening on " + listen->address.toString().toStdString() +
           ", beyond this machine, needs --tokens FILE (see --add-token)";
  if (IsSet(p, "max-labels")) {
    bool number = false;
    const int n = QString::fromStdString(Value(p, "max-labels")).toInt(&number);
    if (!number || n < 1 || n > 1000000)
      return "--max-labels must be a number from 1 to 1000000, not '" + Value(p, "max-labels") + "'";
    config.maxLabels = n;
  }
  if (IsSet(p, "printers"))
    for (const QString& name : QString::fromStdString(Value(p, "printers")).split(QLatin1Char(','), Qt::SkipEmptyParts))
      config.printers.push_back(name.trimmed().toStdString());
  if (IsSet(p, "tls-cert") != IsSet(p, "tls-key")) return "give --tls-cert and --tls-key together";
  if (IsSet(p, "tls-cert")) setup.tls = TTlsFiles{Value(p, "tls-cert"), Value(p, "tls-key")};
  return std::nullopt;
}

// The certificate and its key for HTTPS, RSA or EC; the problem, or nothing.
std::optional<QSslConfiguration> ReadTls(const TTlsFiles& files, std::string& problem) {
  const auto cert = ReadFile(files.cert, problem);
  const auto key = cert ? ReadFile(files.key, problem) : std::nullopt;
  if (!cert || !key) return std::nullopt;
  const QSslCertificate certificate(*cert, QSsl::Pem);
  QSslKey privateKey(*key, QSsl::Rsa, QSsl::Pem);
  if (privateKey.isNull()) privateKey = QSslKey(*key, QSsl::Ec, QSsl::Pem);
  if (certificate.isNull() || privateKey.isNull()) {
    problem = files.cert + " and " + files.key + " are no PEM certificate and private key";
    return std::nullopt;
  }
  QSslConfiguration secure;
  secure.setLocalCertificate(certificate);
  secure.setPrivateKey(privateKey);
  return secure;
}

// Starts the service and serves until the process is stopped.
int Serve(int argc, char** argv, const TServeSetup& setup, std::ostream& err) {
  // Drawing needs fonts, not a screen.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  QGuiApplication::setApplicationName(QStringLiteral("Vantor"));

  TService service(setup.config);
  std::optional<QSslConfiguration> secure;
  if (setup.tls) {
    std::string problem;
    secure = ReadTls(*setup.tls, problem);
    if (!secure) return Failed(err, problem);
  }
  if (auto problem = service.Ready()) return Failed(err, *problem);
  const TListen& listen = setup.listen;
  const quint16 port = service.Listen(listen.address, listen.port, secure);
  if (port == 0)
    return Failed(err,
                  "cannot listen on " + listen.address.toString().toStdString() + ':' + std::to_string(listen.port));
  QString host = listen.address.toString();
  if (listen.address.protocol() == QAbstractSocket::IPv6Protocol) host = QLatin1Char('[') + host + QLatin1Char(']');
  err << kProgram << ": serving on " << (secure ? "https://" : "http://") << host.toStdString() << ':' << port << "/"
      << std::endl;
  return QGuiApplication::exec();
}

}  // namespace

int RunServeCommand(int argc, char** argv, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  QCommandLineParser p;
  AddOptions(p);
  if (auto problem = ParseArguments(p, args)) return Usage(err, *problem);
  if (AnswerHelpOrVersion(p, argc, argv, out)) return 0;
  if (IsSet(p, "add-token")) return AddTokenCommand(p, out, err);
  TServeSetup setup;
  if (auto problem = ReadServeOptions(p, setup)) return Usage(err, *problem);
  setup.config.log = &err;
  return Serve(argc, argv, setup, err);
}

}  // namespace vantor::serve
