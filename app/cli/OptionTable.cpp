#include "app/cli/OptionTable.h"

#include "dlt/DltOptions.h"
#include "lto/LtoOptions.h"
#include "qt/CommandLine.h"

namespace vantor {

namespace {

// Where to print: one of them, or the window.
const TOptionRow kOutputRows[] = {
    {"print-pdf", VANTOR_TEXT("vantor::CommandLine", "FILE"),
     VANTOR_TEXT("vantor::CommandLine", "Print the sheets to a PDF file (600 dpi unless --dpi)."), TOptionUse::Print},
    {"print-trace", VANTOR_TEXT("vantor::CommandLine", "FILE"),
     VANTOR_TEXT("vantor::CommandLine", "Write the drawing operations of each page instead (300 dpi unless --dpi)."),
     TOptionUse::Print},
    {"printer", VANTOR_TEXT("vantor::CommandLine", "NAME"),
     VANTOR_TEXT("vantor::CommandLine", "Print on the named system printer, without the print dialog."),
     TOptionUse::Print},
};

// The run options every family takes.
const TOptionRow kRunRows[] = {
    {"start-label", VANTOR_TEXT("vantor::CommandLine", "K"),
     VANTOR_TEXT("vantor::CommandLine",
                 "Start the first sheet at label K, 1 to 30 (row by row; with --lto 1 to the template's "
                 "labels a page, in its fill order); the labels before it stay blank."),
     TOptionUse::Print},
    {"dpi", VANTOR_TEXT("vantor::CommandLine", "N"),
     VANTOR_TEXT("vantor::CommandLine", "Resolution of the PDF or trace, 72 to 4800."), TOptionUse::Print},
    {"offset-x", VANTOR_TEXT("vantor::CommandLine", "MM"),
     VANTOR_TEXT("vantor::CommandLine",
                 "Calibration: move everything MM millimetres right (-20 to 20; negative: left)."),
     TOptionUse::Print},
    {"offset-y", VANTOR_TEXT("vantor::CommandLine", "MM"),
     VANTOR_TEXT("vantor::CommandLine", "Calibration: move everything MM millimetres down (-20 to 20; negative: up)."),
     TOptionUse::Print},
    {"scale-x", VANTOR_TEXT("vantor::CommandLine", "S"),
     VANTOR_TEXT("vantor::CommandLine", "Calibration: stretch positions across by S, 0.9 to 1.1."), TOptionUse::Print},
    {"scale-y", VANTOR_TEXT("vantor::CommandLine", "S"),
     VANTOR_TEXT("vantor::CommandLine", "Calibration: stretch positions down by S, 0.9 to 1.1."), TOptionUse::Print},
    {"calibration-page", nullptr,
     VANTOR_TEXT("vantor::CommandLine", "Print the printer calibration page instead of labels."), TOptionUse::Print},
};

// The print journal: which one, without it, reprints, and its subcommands.
const TOptionRow kJournalRows[] = {
    {"journal", VANTOR_TEXT("vantor::CommandLine", "PATH|URL"),
     VANTOR_TEXT("vantor::CommandLine",
                 "The print journal: a file, or postgresql://USER@HOST[:PORT]/DATABASE (default: the one in the "
                 "settings, else journal.sqlite in the user's data folder)."),
     TOptionUse::Any},
    {"no-journal", nullptr,
     VANTOR_TEXT("vantor::CommandLine",
                 "Print without the journal: the serials are neither checked nor recorded (said on stderr)."),
     TOptionUse::Print},
    {"reprint", nullptr,
     VANTOR_TEXT("vantor::CommandLine",
                 "Print serials the journal holds as printed again, deliberately (recorded as a reprint)."),
     TOptionUse::Print},
    {"journal-init", VANTOR_TEXT("vantor::CommandLine", "PATH|URL"),
     VANTOR_TEXT("vantor::CommandLine",
                 "Make a new print journal: a file whose folder exists, or the journal's tables in an empty "
                 "PostgreSQL database. A journal given with --journal or kept in the settings is never made "
                 "otherwise."),
     TOptionUse::Any},
    {"journal-release", VANTOR_TEXT("vantor::CommandLine", "JOB"),
     VANTOR_TEXT("vantor::CommandLine",
                 "End job JOB as interrupted, freeing the serials it reserved: for a job shown running "
                 "elsewhere whose program is known to be gone."),
     TOptionUse::Any},
    {"journal-list", nullptr,
     VANTOR_TEXT("vantor::CommandLine",
                 "List the journal's jobs, newest first, one a line (with --serial: the jobs holding it)."),
     TOptionUse::Any},
};

QCommandLineOption QtOption(const TOptionRow& row) {
  QStringList names{QString::fromLatin1(row.name)};
  if (row.alias) names << QString::fromLatin1(row.alias);
  QString text = Tr(row.help);
  // %1 in a help text: the names the option takes.
  if (const std::vector<std::string> choices = row.choices ? row.choices() : std::vector<std::string>{};
      !choices.empty())
    text = text.arg(
        QString::fromStdString(JoinNames(choices, Tr(QT_TRANSLATE_NOOP("vantor::CommandLine", "or")).toStdString())));
  return QCommandLineOption(names, text, row.valueName ? Tr(row.valueName) : QString());
}

}  // namespace

const std::vector<TOptionRow>& VantorOptionRows() {
  static const std::vector<TOptionRow> rows = [] {
    std::vector<TOptionRow> all(std::begin(kOutputRows), std::end(kOutputRows));
    all.insert(all.end(), DltOptionRows().begin(), DltOptionRows().end());
    all.insert(all.end(), std::begin(kRunRows), std::end(kRunRows));
    all.insert(all.end(), LtoOptionRows().begin(), LtoOptionRows().end());
    all.insert(all.end(), std::begin(kJournalRows), std::end(kJournalRows));
    return all;
  }();
  return rows;
}

void SetUpParser(QCommandLineParser& p) {
  p.setApplicationDescription(Tr(QT_TRANSLATE_NOOP(
      "vantor::CommandLine",
      "Prints barcode labels for data-tape cartridges. Without --print-pdf, --print-trace or --printer\n"
      "it opens its window; with one of them it prints without the window, the window's choices given\n"
      "as options.")));
  AddHelpAndVersion(p);
  for (const TOptionRow& row : VantorOptionRows()) p.addOption(QtOption(row));
  QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
  screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
  p.addOption(screenshot);
}

std::string VantorHelp(const QCommandLineParser& p) {
  return HelpText(
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
}

}  // namespace vantor
