#include "app/cli/PrintCli.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cctype>

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "dlt/MediaSetup.h"
#include "journal/qt/JournalSettings.h"
#include "lto/LtoLabel.h"
#include "printing/WatchedJob.h"
#include "printing/qt/QtPrintJob.h"
#include "qt/CommandLine.h"
#include "qt/OutputFile.h"

namespace vantor {

namespace {

constexpr const char* kProgram = "vantor";

// Options that only printing uses; given without a print output they are a
// mistake, not a way to set up the window.
constexpr const char* kPrintOnly[] = {
    "print-pdf", "print-trace", "printer",          "maker",    "media",    "serial",      "rotated",  "upright",
    "no-colour", "scheme",      "sheets",           "outlines", "dpi",      "start-label", "offset-x", "offset-y",
    "scale-x",   "scale-y",     "calibration-page", "lto",      "media-id", "count",       "last",     "template",
    "palette",   "no-journal",  "reprint"};
constexpr const char* kDltOnly[] = {"maker", "media", "rotated", "upright", "scheme", "sheets", "outlines"};
constexpr const char* kLtoOnly[] = {"media-id", "last", "template", "palette"};

void AddOptions(QCommandLineParser& p) {
  AddHelpAndVersion(p);
  // Help texts and value names are marked for translation here and
  // translated when the parser is built (the help shows them in the
  // operator's language once the program has loaded a translation).
  // %1 in a help text: the names the option takes, from the tables it is
  // read with.
  const TOptionNames names = OptionNames();
  const auto add = [&](QStringList optionNames, const char* help, const char* value = nullptr,
                       const std::vector<std::string>& choices = {}) {
    QString text = Tr(help);
    if (!choices.empty())
      text = text.arg(
          QString::fromStdString(JoinNames(choices, Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "or")).toStdString())));
    p.addOption(QCommandLineOption(optionNames, text, value ? Tr(value) : QString()));
  };
  add({"print-pdf"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Print the sheets to a PDF file (600 dpi unless --dpi)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "FILE"));
  add({"print-trace"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Write the drawing operations of each page instead (300 dpi unless --dpi)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "FILE"));
  add({"printer"},
      QT_TRANSLATE_NOOP("vantor::CommandLine", "Print on the named system printer, without the print dialog."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME"));
  add({"maker"},
      QT_TRANSLATE_NOOP("vantor::CommandLine", "The tape library maker: %1 (default: standard, the start-up choice)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "MAKER"), names.makers);
  add({"media"},
      QT_TRANSLATE_NOOP("vantor::CommandLine", "The StorageTek media kind: %1; the maker is then storagetek."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "KIND"), names.mediaKinds);
  add({"serial"},
      QT_TRANSLATE_NOOP("vantor::CommandLine", "The first volume serial (default: the media kind's default)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "XXXNNN"));
  add({"rotated"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "\"Rotated sequence\" on, where the maker allows it."));
  add({"upright"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "\"Rotated sequence\" off."));
  add({"no-colour", "no-color"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Clear \"Colored sequence\"."));
  add({"scheme"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Digit colour scheme by its caption, any case: %1."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME"), names.schemes);
  add({"sheets"},
      QT_TRANSLATE_NOOP("vantor::CommandLine", "N sheets, 1 to 1000, the serial continuing from sheet to sheet."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "N"));
  add({"outlines"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Draw the label outlines."));
  add({"start-label"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Start the first sheet at label K, 1 to 30 (row by row; with --lto 1 to the template's "
                        "labels a page, in its fill order); the labels before it stay blank."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "K"));
  add({"dpi"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Resolution of the PDF or trace, 72 to 4800."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "N"));
  add({"offset-x"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Calibration: move everything MM millimetres right (-20 to 20; negative: left)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "MM"));
  add({"offset-y"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Calibration: move everything MM millimetres down (-20 to 20; negative: up)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "MM"));
  add({"scale-x"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Calibration: stretch positions across by S, 0.9 to 1.1."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "S"));
  add({"scale-y"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "Calibration: stretch positions down by S, 0.9 to 1.1."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "S"));
  add({"calibration-page"},
      QT_TRANSLATE_NOOP("vantor::CommandLine", "Print the printer calibration page instead of labels."));
  add({"lto"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Print LTO Ultrium labels: --media-id, --serial, --count or --last, --template, --palette."));
  add({"media-id"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "LTO: the media ID, L1..L9, LT..LZ, M8, CU or any two characters A-Z, 0-9."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "ID"));
  add({"count"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "The number of labels, LTO 1 to 1000000, DLT 1 to 30000 from the start label, instead of "
                        "--sheets (default: one sheet)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "N"));
  add({"last"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "LTO: the last volser of the run, instead of --count."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "VOLSER"));
  add({"template"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "LTO: the sheet template: %1 (default lto-a4-2x15), or one of the user's; see "
                        "--list-templates."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME"), names.templates);
  add({"palette"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "LTO: the cell colours: %1 (default lto; a colour scheme's caption names it too)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME"), names.palettes);
  add({"list-templates"}, QT_TRANSLATE_NOOP("vantor::CommandLine", "List the sheet templates, one name a line."));
  add({"describe-template"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Print a sheet template as JSON: its page and its labels in fill order."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "NAME"));
  add({"journal"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "The print journal: a file, or postgresql://USER@HOST[:PORT]/DATABASE (default: the one in the "
                        "settings, else journal.sqlite in the user's data folder)."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "PATH|URL"));
  add({"no-journal"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Print without the journal: the serials are neither checked nor recorded (said on stderr)."));
  add({"reprint"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Print serials the journal holds as printed again, deliberately (recorded as a reprint)."));
  add({"journal-init"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "Make a new print journal: a file whose folder exists, or the journal's tables in an empty "
                        "PostgreSQL database. A journal given with --journal or kept in the settings is never made "
                        "otherwise."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "PATH|URL"));
  add({"journal-release"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "End job JOB as interrupted, freeing the serials it reserved: for a job shown running "
                        "elsewhere whose program is known to be gone."),
      QT_TRANSLATE_NOOP("vantor::CommandLine", "JOB"));
  add({"journal-list"},
      QT_TRANSLATE_NOOP("vantor::CommandLine",
                        "List the journal's jobs, newest first, one a line (with --serial: the jobs holding it)."));
  QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  p.addOption(screenshot);
}

std::optional<int> ParseCount(const std::string& s, int lo, int hi, std::size_t maxDigits = 6) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  const int v = std::stoi(s);
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

// A whole decimal number, nothing before or after it.
std::optional<double> ParseNumber(const std::string& s) {
  if (s.empty() || s.size() > 32) return std::nullopt;
  for (char c : s)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// The calibration options; the first problem, or nothing. Any one given makes
// a calibration, the others keeping their neutral values.
std::optional<std::string> ReadCalibration(const QCommandLineParser& p, std::optional<TCalibration>& calibration) {
  struct TField {
    const char* name;
    bool offset;
    double TCalibration::*value;
  };
  const TField fields[] = {{"offset-x", true, &TCalibration::offsetXMm},
                           {"offset-y", true, &TCalibration::offsetYMm},
                           {"scale-x", false, &TCalibration::scaleX},
                           {"scale-y", false, &TCalibration::scaleY}};
  TCalibration c;
  bool given = false;
  for (const TField& f : fields) {
    const QString name = QString::fromLatin1(f.name);
    if (!p.isSet(name)) continue;
    given = true;
    const std::string v = OptionValue(p, name);
    const std::optional<double> n = ParseNumber(v);
    if (!n || !(f.offset ? OffsetUsable(*n) : ScaleUsable(*n))) {
      const QString rule = f.offset ? Tr("--%1 must be a number of millimetres from -20 to 20, not '%2'")
                                    : Tr("--%1 must be a number from 0.9 to 1.1, not '%2'");
      return rule.arg(name, QString::fromStdString(v)).toStdString();
    }
    c.*f.value = *n;
  }
  if (given) calibration = c;
  return std::nullopt;
}

// Reads --name, when given, as a whole number from lo to hi (at most
// `digits` digits) into `out`; the problem, or nothing. `range` words the
// bounds when they are not plain numbers.
template <typename T>
std::optional<std::string> ReadCount(const QCommandLineParser& p, const char* name, int lo, int hi, T& out,
                                     std::string range = {}, std::size_t digits = 6) {
  const QString key = QString::fromLatin1(name);
  if (!p.isSet(key)) return std::nullopt;
  const std::string v = OptionValue(p, key);
  const auto n = ParseCount(v, lo, hi, digits);
  if (!n) {
    if (range.empty()) range = std::to_string(lo) + " to " + std::to_string(hi);
    return "--" + std::string(name) + " must be a number from " + range + ", not '" + v + "'";
  }
  out = *n;
  return std::nullopt;
}

// Reads a print run's options into `o`; the first problem, or nothing.
std::optional<std::string> ReadPrintOptions(const QCommandLineParser& p, TPrintOptions& o) {
  const auto value = [&](const char* name) { return OptionValue(p, QString::fromLatin1(name)); };
  const auto isSet = [&](const char* name) { return p.isSet(QString::fromLatin1(name)); };

  if (auto problem = ReadCount(p, "sheets", 1, 1000, o.sheets)) return problem;
  if (auto problem = ReadCount(p, "start-label", 1, kLabelsPerSheet, o.startLabel)) return problem;
  if (isSet("count") && isSet("sheets")) return std::string("give --sheets or --count, not both");
  if (auto problem = ReadCount(p, "count", 1, DltMaxCount(o.startLabel), o.count)) return problem;
  if (auto problem = ReadCalibration(p, o.calibration)) return problem;
  o.calibrationPage = isSet("calibration-page");
  if (auto problem = ReadCount(p, "dpi", 72, 4800, o.dpi)) return problem;

  std::string maker = isSet("maker") ? value("maker") : kDefaultMaker;
  const std::string media = value("media");
  if (isSet("media") && maker == kDefaultMaker) maker = "storagetek";
  const std::optional<TMediaMode> mode = MediaModeFor(maker, media);
  if (!mode) return MediaChoiceProblem(maker, media);
  o.mediaMode = *mode;

  if (isSet("serial")) o.serial = value("serial");
  if (isSet("sheets") && !o.calibrationPage) {
    // More sheets than the serial can reach are refused here, with the number
    // that fits; a serial that cannot print at all is left to the print run,
    // which says why.
    TLabelState state;
    state.SetMediaMode(o.mediaMode);
    std::string serial = o.serial ? *o.serial : std::string(MediaSetupFor(o.mediaMode).serial);
    for (char& c : serial) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    state.SetSerial(serial);
    const int fit = state.CheckSequence() ? SheetsThatFit(state.Serial(), o.startLabel) : 0;
    if (fit >= 1 && fit < o.sheets)
      return "--sheets " + std::to_string(o.sheets) + " is more than the serials from " + state.Serial() +
             " can reach: " + std::to_string(fit) + (fit == 1 ? " sheet fits" : " sheets fit") + " before " +
             state.Serial().substr(0, 3) + std::to_string(kMaxCounter);
  }
  // The later of --rotated and --upright counts.
  for (const QString& name : p.optionNames()) {
    if (name == QLatin1String("rotated")) o.rotated = true;
    if (name == QLatin1String("upright")) o.rotated = false;
  }
  o.colored = !isSet("no-colour");
  if (const std::string caption = value("scheme"); !caption.empty()) {
    o.scheme = FindSchemeByCaption(caption);
    if (!o.scheme)
      return "unknown colour scheme '" + caption + "'; the schemes are " + JoinNames(OptionNames().schemes);
  }
  o.outlines = isSet("outlines");
  return std::nullopt;
}

// Reads an LTO run's options into `o`; the first problem, or nothing.
std::optional<std::string> ReadLtoOptions(const QCommandLineParser& p, TLtoPrintOptions& o) {
  const auto value = [&](const char* name) { return OptionValue(p, QString::fromLatin1(name)); };
  const auto isSet = [&](const char* name) { return p.isSet(QString::fromLatin1(name)); };
  for (const char* name : kDltOnly)
    if (isSet(name)) return std::string("--") + name + " does not go with --lto";
  if (auto problem = ReadCount(p, "dpi", 72, 4800, o.dpi)) return problem;
  // Held to the template's labels a page once the template is known.
  if (auto problem =
          ReadCount(p, "start-label", 1, kMaxLabelsPerPage, o.startLabel, "1 to the template's labels a page"))
    return problem;
  if (auto problem = ReadCalibration(p, o.calibration)) return problem;
  if (isSet("template")) o.templateName = value("template");
  // The calibration page replaces the labels: only the template's page counts.
  o.calibrationPage = isSet("calibration-page");
  if (o.calibrationPage) return std::nullopt;
  if (!isSet("media-id")) return std::string("--lto needs --media-id");
  o.mediaId = value("media-id");
  if (!isSet("serial")) return std::string("--lto needs --serial, the first volser");
  o.serial = value("serial");
  if (isSet("count") && isSet("last")) return std::string("give --count or --last, not both");
  if (auto problem = ReadCount(p, "count", 1, 1000000, o.count, {}, 7)) return problem;
  if (isSet("last")) o.last = value("last");
  if (isSet("palette") && isSet("no-colour")) return std::string("give --palette or --no-colour, not both");
  if (isSet("palette")) o.palette = value("palette");
  if (isSet("no-colour")) o.palette = kNoColourPalette;
  return std::nullopt;
}

TVantorCommandLine Error(std::string_view problem) {
  TVantorCommandLine result;
  result.text = CommandLineError(kProgram, problem);
  return result;
}

class TPdfOutput : public TSheetOutput {
 public:
  TPdfOutput(const std::string& path, int dpi, const TCalibration& c, const QPageSize& page = QPageSize(QPageSize::A4))
      : job_(QString::fromStdString(path), dpi, c, page) {}
  TPrintJob& Job() override { return job_; }
  void Finish() override { job_.Finish(); }

 private:
  TPdfJob job_;
};

class TPrinterOutput : public TSheetOutput {
 public:
  // Without a calibration of its own the printer's kept one applies.
  TPrinterOutput(const QPrinterInfo& info, TSheetOptions& sheet, const std::optional<TCalibration>& c)
      : printer_(info, QPrinter::HighResolution), job_(printer_, sheet) {
    if (c) job_.SetCalibrationSource([c = *c](const QString&) { return c; });
  }
  TPrintJob& Job() override { return job_; }
  QPrinter& Printer() { return printer_; }

 private:
  QPrinter printer_;
  TNamedPrinterJob job_;
};

// An LTO run on a named printer: its sheet options stay at their defaults.
class TLtoPrinterOutput : public TPrinterOutput {
 public:
  TLtoPrinterOutput(const QPrinterInfo& info, const std::optional<TCalibration>& c) : TPrinterOutput(info, sheet_, c) {}

 private:
  TSheetOptions sheet_;
};

// The trace goes page by page into a temporary file beside its place, which
// replaces the file at once when every sheet is drawn, or is removed.
class TTraceFileJob : public TTraceJob {
 public:
  TTraceFileJob(const std::string& path, int dpi, const TCalibration& c)
      : TTraceJob(dpi, c), file_(QString::fromStdString(path)) {}
  void AbortDoc() override { file_.Discard(); }
  void Commit() {
    if (!file_.IsOpen()) file_.Open();  // a run of no page is an empty trace
    file_.Commit();
  }

 protected:
  void WritePage(const std::string& page) override {
    QFile& file = file_.IsOpen() ? file_.File() : file_.Open();
    if (file.write(page.data(), static_cast<qint64>(page.size())) < 0) {
      const QString reason = file.errorString();
      file_.Discard();
      throw std::runtime_error("Cannot write \"" + file_.Target().toStdString() + "\": " + reason.toStdString());
    }
  }

 private:
  TOutputFile file_;
};

class TTraceOutput : public TSheetOutput {
 public:
  TTraceOutput(const std::string& path, int dpi, const TCalibration& c) : job_(path, dpi, c) {}
  TPrintJob& Job() override { return job_; }
  void Finish() override { job_.Commit(); }

 private:
  TTraceFileJob job_;
};

}  // namespace

TVantorCommandLine ParseVantorCommandLine(const std::vector<std::string>& args) {
  QCommandLineParser p;
  p.setApplicationDescription(Tr(QT_TRANSLATE_NOOP(
      "vantor::CommandLine",
      "Prints barcode labels for data-tape cartridges. Without --print-pdf, --print-trace or --printer\n"
      "it opens its window; with one of them it prints without the window, the window's choices given\n"
      "as options.")));
  AddOptions(p);
  if (auto problem = ParseArguments(p, args)) return Error(*problem);
  // An option given twice with a value would keep only the last; which one
  // was meant is not ours to guess.
  for (const QString& name : p.optionNames()) {
    const QStringList values = p.values(name);
    if (values.size() > 1)
      return Error("--" + name.toStdString() + " is given " + std::to_string(values.size()) + " times ('" +
                   values[0].toLatin1().toStdString() + "', '" + values[1].toLatin1().toStdString() +
                   "'); give it once");
  }

  TVantorCommandLine result;
  if (p.isSet(QStringLiteral("help"))) {
    result.action = TVantorCommandLine::TAction::Help;
    result.text = HelpText(
        p,
        Tr(QT_TRANSLATE_NOOP("vantor::CommandLine",
                             "Usage: vantor [--print-pdf FILE | --print-trace FILE | --printer NAME] [options]\n"
                             "       vantor --lto --media-id ID --serial VOLSER [--count N | --last VOLSER]\n"
                             "              [--template NAME] [--palette NAME | --no-colour] [--dpi N]\n"
                             "              [--start-label K] [--offset-x MM --offset-y MM --scale-x S --scale-y S]\n"
                             "              (--print-pdf FILE | --print-trace FILE | --printer NAME)\n"
                             "       vantor --lto --calibration-page [--template NAME]\n"
                             "              (--print-pdf FILE | --print-trace FILE | --printer NAME)\n"
                             "       vantor --list-templates | --describe-template NAME\n"
                             "       vantor --journal-list [--serial S] [--journal PATH|URL]\n"
                             "       vantor --journal-init PATH|URL | --journal-release JOB [--journal PATH|URL]")),
        Tr(QT_TRANSLATE_NOOP(
            "vantor::CommandLine",
            "Exit status: 0 done, 1 refused or failed (the journal's faults included), 2 bad command line\n"
            "(and with --lto: an unknown template, palette or media ID), 3 refused by the print journal:\n"
            "serials printed before (see --reprint) or held by a job still running.\n")));
    return result;
  }
  if (p.isSet(QStringLiteral("version"))) {
    result.action = TVantorCommandLine::TAction::Version;
    result.text = std::string(kProgram) + " " + VANTOR_VERSION + "\n";
    return result;
  }

  if (p.isSet(QStringLiteral("journal"))) {
    result.journal = OptionValue(p, QStringLiteral("journal"));
    if (result.journal->empty()) return Error("--journal needs a file or a postgresql:// URL");
    if (const auto where = journal::ParseJournalLocation(*result.journal); !where.value)
      return Error("--journal: " + where.error);
    if (p.isSet(QStringLiteral("no-journal"))) return Error("give --journal or --no-journal, not both");
  }
  result.noJournal = p.isSet(QStringLiteral("no-journal"));
  if (result.noJournal && p.isSet(QStringLiteral("reprint")))
    return Error("--reprint needs the journal; it does not go with --no-journal");
  if (p.isSet(QStringLiteral("journal-init"))) {
    if (p.optionNames().size() != 1) return Error("--journal-init goes alone");
    result.journal = OptionValue(p, QStringLiteral("journal-init"));
    if (result.journal->empty()) return Error("--journal-init needs a file or a postgresql:// URL");
    result.action = TVantorCommandLine::TAction::JournalInit;
    return result;
  }
  if (p.isSet(QStringLiteral("journal-release"))) {
    for (const QString& name : p.optionNames())
      if (name != QLatin1String("journal-release") && name != QLatin1String("journal"))
        return Error("--journal-release goes only with --journal");
    const std::string job = OptionValue(p, QStringLiteral("journal-release"));
    const std::optional<int> n = ParseCount(job, 1, 999999999, 9);
    if (!n) return Error("--journal-release needs a job's number, not '" + job + "'");
    result.releaseJob = *n;
    result.action = TVantorCommandLine::TAction::JournalRelease;
    return result;
  }
  if (p.isSet(QStringLiteral("journal-list"))) {
    for (const QString& name : p.optionNames())
      if (name != QLatin1String("journal-list") && name != QLatin1String("journal") && name != QLatin1String("serial"))
        return Error("--journal-list goes only with --journal and --serial");
    result.action = TVantorCommandLine::TAction::JournalList;
    if (p.isSet(QStringLiteral("serial"))) {
      std::string serial = OptionValue(p, QStringLiteral("serial"));
      for (char& c : serial) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (!journal::SplitSerial(serial)) return Error("--serial '" + serial + "' is not a volume serial");
      result.listSerial = serial;
    }
    return result;
  }

  const bool list = p.isSet(QStringLiteral("list-templates"));
  const bool describe = p.isSet(QStringLiteral("describe-template"));
  if (list || describe) {
    if (p.optionNames().size() != 1) return Error("--list-templates and --describe-template go alone");
    result.action = list ? TVantorCommandLine::TAction::ListTemplates : TVantorCommandLine::TAction::DescribeTemplate;
    result.templateName = OptionValue(p, QStringLiteral("describe-template"));
    return result;
  }
  const bool lto = p.isSet(QStringLiteral("lto"));
  if (!lto)
    for (const char* name : kLtoOnly)
      if (p.isSet(QString::fromLatin1(name))) return Error(std::string("--") + name + " needs --lto");

  TPrintOptions& o = result.print;
  const std::pair<const char*, TPrintOutput> outputs[] = {
      {"print-pdf", TPrintOutput::Pdf}, {"print-trace", TPrintOutput::Trace}, {"printer", TPrintOutput::Printer}};
  int given = 0;
  for (const auto& [name, output] : outputs) {
    const QString key = QString::fromLatin1(name);
    if (!p.isSet(key)) continue;
    const std::string target = OptionValue(p, key);
    if (target.empty())
      return Error(std::string("--") + name +
                   (output == TPrintOutput::Printer ? " needs a printer's name, not an empty one"
                                                    : " needs a file name, not an empty one"));
    ++given;
    o.output = output;
    o.target = target;
  }
  const bool screenshot = p.isSet(QStringLiteral("screenshot"));
  if (given == 0 && !screenshot) {
    bool printOption = false;
    for (const char* name : kPrintOnly) printOption = printOption || p.isSet(QString::fromLatin1(name));
    if (!printOption) {
      result.action = TVantorCommandLine::TAction::Window;
      return result;
    }
  }
  if (screenshot) {
    if (given > 0) return Error("--screenshot does not go with --print-pdf, --print-trace or --printer");
    result.screenshot = OptionValue(p, QStringLiteral("screenshot"));
    if (result.screenshot.empty()) return Error("--screenshot needs a file name");
    result.action = TVantorCommandLine::TAction::Window;
    return result;
  }
  if (lto) {
    if (auto problem = ReadLtoOptions(p, result.lto)) return Error(*problem);
    if (given != 1) return Error("give exactly one of --print-pdf, --print-trace and --printer");
    result.lto.output = o.output;
    result.lto.target = o.target;
    result.lto.reprint = p.isSet(QStringLiteral("reprint"));
    result.action = TVantorCommandLine::TAction::Lto;
    return result;
  }
  if (auto problem = ReadPrintOptions(p, o)) return Error(*problem);
  if (given != 1) return Error("give exactly one of --print-pdf, --print-trace and --printer");
  o.reprint = p.isSet(QStringLiteral("reprint"));
  result.action = TVantorCommandLine::TAction::Print;
  return result;
}

std::unique_ptr<TSheetOutput> TQtPrintJobFactory::Open(const TPrintOptions& o, int dpi, TSheetOptions& sheet) {
  switch (o.output) {
    case TPrintOutput::Pdf: return std::make_unique<TPdfOutput>(o.target, dpi, o.calibration.value_or(TCalibration{}));
    case TPrintOutput::Trace:
      return std::make_unique<TTraceOutput>(o.target, dpi, o.calibration.value_or(TCalibration{}));
    case TPrintOutput::Printer: break;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(o.target));
  if (info.isNull()) throw std::runtime_error("no printer named \"" + o.target + "\"");
  return std::make_unique<TPrinterOutput>(info, sheet, o.calibration);
}

std::unique_ptr<TSheetOutput> TQtLtoOutputFactory::Open(TPrintOutput output, const std::string& target, int dpi,
                                                        TPageSize page,
                                                        const std::optional<TCalibration>& calibration) {
  switch (output) {
    case TPrintOutput::Pdf:
      return std::make_unique<TPdfOutput>(target, dpi, calibration.value_or(TCalibration{}), TemplatePageSize(page));
    case TPrintOutput::Trace: return std::make_unique<TTraceOutput>(target, dpi, calibration.value_or(TCalibration{}));
    case TPrintOutput::Printer: break;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(target));
  if (info.isNull()) throw std::runtime_error("no printer named \"" + target + "\"");
  auto printer = std::make_unique<TLtoPrinterOutput>(info, calibration);
  printer->Printer().setPageSize(TemplatePageSize(page));
  if (dpi > 0) printer->Printer().setResolution(dpi);
  return printer;
}

namespace {

// A PostgreSQL journal's password asked for on the terminal, without echo;
// nothing when there is no terminal to ask on (a script), so the server's
// refusal is reported instead of the run waiting for an answer.
std::optional<std::string> TerminalPassword(const std::string& where) {
  const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) return std::nullopt;
  std::optional<std::string> password;
  termios saved{};
  if (::tcgetattr(tty, &saved) == 0) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    const std::string ask = "Password for the print journal " + where + ": ";
    if (::write(tty, ask.data(), ask.size()) == static_cast<ssize_t>(ask.size()) &&
        ::tcsetattr(tty, TCSANOW, &quiet) == 0) {
      std::string line;
      char c = 0;
      while (::read(tty, &c, 1) == 1 && c != '\n') line += c;
      ::tcsetattr(tty, TCSANOW, &saved);
      if (::write(tty, "\n", 1) != 1) {
        // the answer is read; a missing line break on the terminal is harmless
      }
      if (!line.empty()) password = std::move(line);
    }
  }
  ::close(tty);
  return password;
}

// The journal the command line names (or the settings' or the default), its
// interrupted jobs told on `err`. Throws naming the cause.
// Only the default journal is made when missing; `readOnly` for a list.
std::unique_ptr<journal::TJournal> OpenCommandJournal(const TVantorCommandLine& command, std::ostream& err,
                                                      bool readOnly = false) {
  journal::TJournal::TOptions options;
  options.passwordPrompt = TerminalPassword;
  options.readOnly = readOnly;
  std::unique_ptr<journal::TJournal> opened = journal::OpenResolved(command.journal, options);
  for (const journal::TJobRecord& job : opened->Interrupted())
    err << "vantor: " << journal::DescribeInterrupted(job) << '\n';
  return opened;
}

// The journal a print run goes through; null when it goes without one, or
// when the journal cannot be used (the message on `err`, `failed` set).
std::unique_ptr<journal::TJournal> OpenRunJournal(const TVantorCommandLine& command, bool trace, std::ostream& err,
                                                  bool& failed) {
  failed = false;
  if (command.noJournal) {
    err << "vantor: not journalled (--no-journal): the serials are neither checked against nor recorded in the "
           "print journal\n";
    return nullptr;
  }
  // A trace is the drawing written down, no label: it is journalled only
  // when a journal is asked for.
  if (trace && !command.journal) return nullptr;
  try {
    return OpenCommandJournal(command, err);
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << "; nothing was printed (--no-journal prints without the journal)\n";
    failed = true;
    return nullptr;
  }
}

// Why the run's output file would destroy the print journal (it is the
// journal's file or one of SQLite's companions of it), or nothing. Checked
// with --no-journal too: the journal is still there to lose.
std::optional<std::string> OutputOverJournal(const TVantorCommandLine& command, TPrintOutput output,
                                             const std::string& target) {
  if (output == TPrintOutput::Printer) return std::nullopt;
  const journal::TParsed<journal::TJournalLocation> where = journal::ResolveJournalLocation(command.journal);
  if (!where.value || where.value->kind != journal::TJournalLocation::TKind::Sqlite) return std::nullopt;
  const QString file = QString::fromStdString(target), journal = QString::fromStdString(where.value->path);
  for (const char* companion : {"", "-wal", "-shm", "-journal"})
    if (SameFile(file, journal + QLatin1String(companion)))
      return "\"" + target + "\" is the print journal's file " + where.value->path + companion +
             "; nothing was printed";
  return std::nullopt;
}

int RunJournalList(const TVantorCommandLine& command, std::ostream& out, std::ostream& err) {
  try {
    std::unique_ptr<journal::TJournal> opened = OpenCommandJournal(command, err, true);
    journal::TJobFilter filter;
    filter.serial = command.listSerial;
    filter.limit = 1000000;
    for (const journal::TJobRecord& job : opened->List(filter)) out << journal::FormatJobLine(job) << '\n';
    // Every job is listed; one whose row cannot be read as "unreadable row N",
    // with the reason here.
    for (const std::string& problem : opened->Problems()) err << "vantor: " << problem << '\n';
    return 0;
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
    return 1;
  }
}

int RunJournalInit(const TVantorCommandLine& command, std::ostream& out, std::ostream& err) {
  try {
    const journal::TParsed<journal::TJournalLocation> where = journal::ParseJournalLocation(*command.journal);
    if (!where.value) throw journal::TJournalError("journal: " + where.error);
    journal::TJournal::TOptions options;
    options.passwordPrompt = TerminalPassword;
    journal::TJournal::Create(*where.value, options).reset();
    out << "vantor: made the print journal " << where.value->Display() << '\n';
    return 0;
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
    return 1;
  }
}

int RunJournalRelease(const TVantorCommandLine& command, std::ostream& out, std::ostream& err) {
  try {
    std::unique_ptr<journal::TJournal> opened = OpenCommandJournal(command, err);
    const journal::TJobRecord job = opened->Release(command.releaseJob);
    out << "vantor: released: " << journal::DescribeInterrupted(job) << '\n';
    return 0;
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace

int RunHeadlessCommand(const TVantorCommandLine& command, std::ostream& out, std::ostream& err) {
  switch (command.action) {
    case TVantorCommandLine::TAction::Print: {
      if (auto refusal = OutputOverJournal(command, command.print.output, command.print.target)) {
        err << "vantor: " << *refusal << '\n';
        return 1;
      }
      TQtPrintJobFactory factory;
      bool failed = false;
      const bool journalled = !command.print.calibrationPage;  // the calibration page holds no serials
      std::unique_ptr<journal::TJournal> journal =
          journalled ? OpenRunJournal(command, command.print.output == TPrintOutput::Trace, err, failed) : nullptr;
      if (failed) return 1;
      TPrintOptions print = command.print;
      print.progress = isatty(STDERR_FILENO) == 1;
      const TStopOnSignals stop;
      return RunPrint(print, factory, out, err, journal.get());
    }
    case TVantorCommandLine::TAction::Lto: {
      if (auto refusal = OutputOverJournal(command, command.lto.output, command.lto.target)) {
        err << "vantor: " << *refusal << '\n';
        return 1;
      }
      TQtLtoOutputFactory factory;
      bool failed = false;
      std::unique_ptr<journal::TJournal> journal =
          OpenRunJournal(command, command.lto.output == TPrintOutput::Trace, err, failed);
      if (failed) return 1;
      TLtoPrintOptions lto = command.lto;
      lto.progress = isatty(STDERR_FILENO) == 1;
      const TStopOnSignals stop;
      return RunLtoPrint(lto, LoadTemplateCatalogue(), factory, out, err, journal.get());
    }
    case TVantorCommandLine::TAction::JournalList: return RunJournalList(command, out, err);
    case TVantorCommandLine::TAction::JournalInit: return RunJournalInit(command, out, err);
    case TVantorCommandLine::TAction::JournalRelease: return RunJournalRelease(command, out, err);
    case TVantorCommandLine::TAction::ListTemplates: return RunListTemplates(LoadTemplateCatalogue(), out, err);
    case TVantorCommandLine::TAction::DescribeTemplate:
      return RunDescribeTemplate(command.templateName, LoadTemplateCatalogue(), out, err);
    default: break;
  }
  err << CommandLineError(kProgram, "give exactly one of --print-pdf, --print-trace and --printer") << '\n';
  return 2;
}

int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TVantorCommandLine command = ParseVantorCommandLine(args);
  switch (command.action) {
    case TVantorCommandLine::TAction::Print:
    case TVantorCommandLine::TAction::Lto:
    case TVantorCommandLine::TAction::ListTemplates:
    case TVantorCommandLine::TAction::DescribeTemplate:
    case TVantorCommandLine::TAction::JournalList:
    case TVantorCommandLine::TAction::JournalInit:
    case TVantorCommandLine::TAction::JournalRelease: return RunHeadlessCommand(command, out, err);
    case TVantorCommandLine::TAction::Help:
    case TVantorCommandLine::TAction::Version: out << command.text; return 0;
    case TVantorCommandLine::TAction::Window:
      command.text = CommandLineError(kProgram, "give exactly one of --print-pdf, --print-trace and --printer");
      break;
    case TVantorCommandLine::TAction::Error: break;
  }
  err << command.text << '\n';
  return 2;
}

}  // namespace vantor
