// The dispatch: each action the command line asks for to its runner.
#include "app/cli/PrintCli.h"

#include <unistd.h>

#include "app/cli/CommandJournal.h"
#include "app/cli/JournalCommands.h"
#include "printing/WatchedJob.h"
#include "printing/qt/QtOutputs.h"
#include "qt/CommandLine.h"

namespace vantor {

namespace {

constexpr const char* kProgram = "vantor";

}  // namespace

int RunHeadlessCommand(const TVantorCommandLine& command, std::ostream& out, std::ostream& err) {
  switch (command.action) {
    case TVantorCommandLine::TAction::Print: {
      if (auto refusal = OutputOverJournal(command, command.print.output, command.print.target)) {
        err << "vantor: " << *refusal << '\n';
        return 1;
      }
      TQtOutputFactory factory;
      bool failed = false;
      const bool journalled = !command.print.calibrationPage;  // the calibration page holds no serials
      std::unique_ptr<journal::TJournal> journal =
          journalled ? OpenRunJournal(command, command.print.output == TOutputKind::Trace, err, failed) : nullptr;
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
      TQtOutputFactory factory;
      bool failed = false;
      std::unique_ptr<journal::TJournal> journal =
          OpenRunJournal(command, command.lto.output == TOutputKind::Trace, err, failed);
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
