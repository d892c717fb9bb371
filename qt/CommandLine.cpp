#include "qt/CommandLine.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>

namespace vantor {

namespace {

// Arguments travel through QString as Latin-1, one character a byte, and come
// back the same way: data that is not UTF-8 (Code 128's marker bytes, a file
// name in another encoding) reaches the program unchanged.
QString ArgumentString(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string ArgumentBytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// An unknown option as it was typed: "--name", or for a letter the whole
// group of letters it came in ("-colour" is read as -c -o -l -o -u -r).
std::string AsTyped(const QString& name, const std::vector<std::string>& args) {
  const std::string bytes = ArgumentBytes(name);
  if (bytes.size() != 1) return "--" + bytes;
  for (const std::string& a : args)
    if (a.size() > 1 && a[0] == '-' && a[1] != '-' && a.find(bytes[0], 1) != std::string::npos) return a;
  return "-" + bytes;
}

}  // namespace

QString Tr(const char* text) { return QCoreApplication::translate("vantor::CommandLine", text); }

void AddHelpAndVersion(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                      Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "Displays this help."))));
  parser.addVersionOption();
}

std::optional<std::string> ParseArguments(QCommandLineParser& parser, const std::vector<std::string>& args) {
  QStringList list{QStringLiteral("program")};  // parse() skips the first entry
  for (const std::string& a : args) list << ArgumentString(a);
  if (parser.parse(list)) {
    const QStringList extra = parser.positionalArguments();
    if (extra.isEmpty()) return std::nullopt;
    return "unexpected argument '" + ArgumentBytes(extra.first()) + "'";
  }
  if (!parser.unknownOptionNames().isEmpty()) {
    std::vector<std::string> unknown;
    for (const QString& name : parser.unknownOptionNames()) {
      const std::string shown = AsTyped(name, args);
      if (std::find(unknown.begin(), unknown.end(), shown) == unknown.end()) unknown.push_back(shown);
    }
    std::string names;
    for (const std::string& name : unknown) names += (names.empty() ? "'" : ", '") + name + "'";
    return (unknown.size() == 1 ? "unknown option " : "unknown options ") + names;
  }
  // The parser says which option lacks its value, or has one it does not
  // take, only in its error text. The programs parse before they load any
  // translation (only --help is shown translated), so the text is Qt's
  // English. Anything else is passed on as it stands.
  const QString text = parser.errorText();
  static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
  static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
  if (const auto m = missing.match(text); m.hasMatch())
    return "option " + ArgumentBytes(m.captured(1)) + " needs a value";
  if (const auto m = unexpected.match(text); m.hasMatch())
    return "option " + ArgumentBytes(m.captured(1)) + " takes no value";
  return ArgumentBytes(text);
}

std::string OptionValue(const QCommandLineParser& parser, const QString& name) {
  return ArgumentBytes(parser.value(name));
}

std::string CommandLineError(std::string_view program, std::string_view problem) {
  std::string line(program);
  line += ": ";
  line += problem;
  line += "; see ";
  line += program;
  line += " --help";
  return line;
}

std::string HelpText(const QCommandLineParser& parser, const QString& usage, const QString& epilogue) {
  // Qt's first line names the executable as it was started; ours names the
  // program and its required options.
  const QString qtText = parser.helpText();
  QString text = usage + QLatin1Char('\n') + qtText.mid(qtText.indexOf(QLatin1Char('\n')) + 1);
  if (!epilogue.isEmpty()) text += QLatin1Char('\n') + epilogue;
  return text.toStdString();
}

}  // namespace vantor
