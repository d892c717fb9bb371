// What both executables' command lines share on top of QCommandLineParser:
// the arguments passed through byte for byte, problems said in one line, the
// help text under our own usage line.
#pragma once

#include <QCommandLineParser>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// A text of the help (marked with QT_TRANSLATE_NOOP("vantor::CommandLine",
// ...)) in the language of the translation loaded, if any; as given without one.
QString Tr(const char* text);

// Adds -h/--help and -v/--version (Qt's own help option would add --help-all,
// which lists Qt options neither program takes).
void AddHelpAndVersion(QCommandLineParser& parser);

// Parses `args` (the program name left out). Returns the first problem as one
// line without the program's name, e.g. "unknown option '--foo'", or nothing.
// Positional arguments are refused: neither program takes any.
std::optional<std::string> ParseArguments(QCommandLineParser& parser, const std::vector<std::string>& args);

// An option's value as the bytes that were given (see ArgumentBytes).
std::string OptionValue(const QCommandLineParser& parser, const QString& name);

// "vantor: <problem>; see vantor --help"
std::string CommandLineError(std::string_view program, std::string_view problem);

// The parser's option list under `usage`, followed by `epilogue` (if any),
// in UTF-8.
std::string HelpText(const QCommandLineParser& parser, const QString& usage, const QString& epilogue);

}  // namespace vantor
