// The one parser of vantor's command line: the option table read by Qt's
// parser, then which action it asks for, each family reading its own options.
#include "app/cli/CommandLine.h"
#include "app/cli/GivenOptions.h"
#include "app/cli/OptionTable.h"
#include "dlt/DltOptions.h"
#include "journal/qt/JournalSettings.h"
#include "lto/LtoOptions.h"
#include "qt/CommandLine.h"
#include "surface/Text.h"

namespace vantor {

namespace {

constexpr const char* kProgram = "vantor";
constexpr const char* kOneOutput = "give exactly one of --print-pdf, --print-trace and --printer";

TVantorCommandLine Error(std::string_view problem) {
  TVantorCommandLine result;
  result.text = CommandLineError(kProgram, problem);
  return result;
}

TVantorCommandLine Action(TVantorCommandLine result, TVantorCommandLine::TAction action) {
  result.action = action;
  return result;
}

// An option given twice with a value would keep only the last; which one
// was meant is not ours to guess.
std::optional<std::string> RepeatedOption(const QCommandLineParser& p) {
  for (const QString& name : p.optionNames()) {
    const QStringList values = p.values(name);
    if (values.size() > 1)
      return "--" + name.toStdString() + " is given " + std::to_string(values.size()) + " times ('" +
             values[0].toLatin1().toStdString() + "', '" + values[1].toLatin1().toStdString() + "'); give it once";
  }
  return std::nullopt;
}

// Whether any option besides `allowed` is given.
bool OthersGiven(const QCommandLineParser& p, std::initializer_list<const char*> allowed) {
  for (const QString& name : p.optionNames())
    if (std::none_of(allowed.begin(), allowed.end(), [&](const char* a) { return name == QLatin1String(a); }))
      return true;
  return false;
}

// --journal and --no-journal, which every action that uses the journal reads.
std::optional<std::string> ReadJournalChoice(const QCommandLineParser& p, TVantorCommandLine& result) {
  if (p.isSet(QStringLiteral("journal"))) {
    result.journal = OptionValue(p, QStringLiteral("journal"));
    if (result.journal->empty()) return std::string("--journal needs a file or a postgresql:// URL");
    if (const auto where = journal::ParseJournalLocation(*result.journal); !where.value)
      return "--journal: " + where.error;
    if (p.isSet(QStringLiteral("no-journal"))) return std::string("give --journal or --no-journal, not both");
  }
  result.noJournal = p.isSet(QStringLiteral("no-journal"));
  if (result.noJournal && p.isSet(QStringLiteral("reprint")))
    return std::string("--reprint needs the journal; it does not go with --no-journal");
  return std::nullopt;
}

TVantorCommandLine JournalInit(const QCommandLineParser& p, TVantorCommandLine result) {
  if (p.optionNames().size() != 1) return Error("--journal-init goes alone");
  result.journal = OptionValue(p, QStringLiteral("journal-init"));
  if (result.journal->empty()) return Error("--journal-init needs a file or a postgresql:// URL");
  return Action(std::move(result), TVantorCommandLine::TAction::JournalInit);
}

TVantorCommandLine JournalRelease(const QCommandLineParser& p, TVantorCommandLine result) {
  if (OthersGiven(p, {"journal-release", "journal"})) return Error("--journal-release goes only with --journal");
  const std::string job = OptionValue(p, QStringLiteral("journal-release"));
  const std::optional<int> n = ParseCount(job, 1, 999999999, 9);
  if (!n) return Error("--journal-release needs a job's number, not '" + job + "'");
  result.releaseJob = *n;
  return Action(std::move(result), TVantorCommandLine::TAction::JournalRelease);
}

TVantorCommandLine JournalList(const QCommandLineParser& p, TVantorCommandLine result) {
  if (OthersGiven(p, {"journal-list", "journal", "serial"}))
    return Error("--journal-list goes only with --journal and --serial");
  if (p.isSet(QStringLiteral("serial"))) {
    const std::string serial = UpperCase(OptionValue(p, QStringLiteral("serial")));
    if (!journal::SplitSerial(serial)) return Error("--serial '" + serial + "' is not a volume serial");
    result.listSerial = serial;
  }
  return Action(std::move(result), TVantorCommandLine::TAction::JournalList);
}

// The actions that print nothing: the journal's subcommands and the template
// listings; nothing when none of them is asked for.
std::optional<TVantorCommandLine> ListingAction(const QCommandLineParser& p, const TVantorCommandLine& result) {
  if (p.isSet(QStringLiteral("journal-init"))) return JournalInit(p, result);
  if (p.isSet(QStringLiteral("journal-release"))) return JournalRelease(p, result);
  if (p.isSet(QStringLiteral("journal-list"))) return JournalList(p, result);
  const bool list = p.isSet(QStringLiteral("list-templates"));
  if (!list && !p.isSet(QStringLiteral("describe-template"))) return std::nullopt;
  if (p.optionNames().size() != 1) return Error("--list-templates and --describe-template go alone");
  TVantorCommandLine listing = result;
  listing.templateName = OptionValue(p, QStringLiteral("describe-template"));
  return Action(std::move(listing),
                list ? TVantorCommandLine::TAction::ListTemplates : TVantorCommandLine::TAction::DescribeTemplate);
}

// The options a use allows only: an LTO option without --lto, a DLT option
// with it. The first one given, or nothing.
const char* FirstGivenOf(const TGivenOptions& given, TOptionUse use) {
  for (const TOptionRow& row : VantorOptionRows())
    if (row.use == use && given.IsSet(row.name)) return row.name;
  return nullptr;
}

bool AnyPrintOption(const TGivenOptions& given) {
  for (const TOptionRow& row : VantorOptionRows())
    if (row.use != TOptionUse::Any && given.IsSet(row.name)) return true;
  return false;
}

// --print-pdf, --print-trace and --printer: how many are given, the last
// one's kind and target in `o`; the first problem, or nothing.
std::optional<std::string> ReadOutputs(const TGivenOptions& given, TPrintOptions& o, int& count) {
  const std::pair<const char*, TOutputKind> outputs[] = {
      {"print-pdf", TOutputKind::Pdf}, {"print-trace", TOutputKind::Trace}, {"printer", TOutputKind::Printer}};
  count = 0;
  for (const auto& [name, output] : outputs) {
    if (!given.IsSet(name)) continue;
    const std::string target = given.Value(name);
    if (target.empty())
      return std::string("--") + name +
             (output == TOutputKind::Printer ? " needs a printer's name, not an empty one"
                                             : " needs a file name, not an empty one");
    ++count;
    o.output = output;
    o.target = target;
  }
  return std::nullopt;
}

TVantorCommandLine ScreenshotAction(const TGivenOptions& given, int outputs, TVantorCommandLine result) {
  if (outputs > 0) return Error("--screenshot does not go with --print-pdf, --print-trace or --printer");
  result.screenshot = given.Value("screenshot");
  if (result.screenshot.empty()) return Error("--screenshot needs a file name");
  return Action(std::move(result), TVantorCommandLine::TAction::Window);
}

TVantorCommandLine LtoAction(const TGivenOptions& given, int outputs, TVantorCommandLine result) {
  if (const char* dlt = FirstGivenOf(given, TOptionUse::Dlt))
    return Error(std::string("--") + dlt + " does not go with --lto");
  if (auto problem = ReadLtoOptions(given, result.lto)) return Error(*problem);
  if (outputs != 1) return Error(kOneOutput);
  result.lto.output = result.print.output;
  result.lto.target = result.print.target;
  result.lto.reprint = given.IsSet("reprint");
  return Action(std::move(result), TVantorCommandLine::TAction::Lto);
}

TVantorCommandLine DltAction(const TGivenOptions& given, int outputs, TVantorCommandLine result) {
  if (auto problem = ReadDltOptions(given, result.print)) return Error(*problem);
  if (outputs != 1) return Error(kOneOutput);
  result.print.reprint = given.IsSet("reprint");
  return Action(std::move(result), TVantorCommandLine::TAction::Print);
}

// The window (without a print option), its screenshot, or a DLT or LTO run.
TVantorCommandLine PrintAction(const TGivenOptions& given, TVantorCommandLine result) {
  const bool lto = given.IsSet("lto");
  if (const char* ltoOnly = lto ? nullptr : FirstGivenOf(given, TOptionUse::Lto))
    return Error(std::string("--") + ltoOnly + " needs --lto");
  int outputs = 0;
  if (auto problem = ReadOutputs(given, result.print, outputs)) return Error(*problem);
  const bool screenshot = given.IsSet("screenshot");
  if (outputs == 0 && !screenshot && !AnyPrintOption(given))
    return Action(std::move(result), TVantorCommandLine::TAction::Window);
  if (screenshot) return ScreenshotAction(given, outputs, std::move(result));
  return lto ? LtoAction(given, outputs, std::move(result)) : DltAction(given, outputs, std::move(result));
}

}  // namespace

TVantorCommandLine ParseVantorCommandLine(const std::vector<std::string>& args) {
  QCommandLineParser p;
  SetUpParser(p);
  if (auto problem = ParseArguments(p, args)) return Error(*problem);
  if (auto problem = RepeatedOption(p)) return Error(*problem);
  TVantorCommandLine result;
  if (p.isSet(QStringLiteral("help"))) {
    result.text = VantorHelp(p);
    return Action(std::move(result), TVantorCommandLine::TAction::Help);
  }
  if (p.isSet(QStringLiteral("version"))) {
    result.text = std::string(kProgram) + " " + VANTOR_VERSION + "\n";
    return Action(std::move(result), TVantorCommandLine::TAction::Version);
  }
  if (auto problem = ReadJournalChoice(p, result)) return Error(*problem);
  if (std::optional<TVantorCommandLine> listing = ListingAction(p, result)) return *std::move(listing);
  return PrintAction(TQtGivenOptions(p), std::move(result));
}

}  // namespace vantor
