#include "app/cli/CommandJournal.h"

#include "app/cli/TerminalPassword.h"
#include "journal/qt/JournalSettings.h"
#include "qt/OutputFile.h"

namespace vantor {

std::unique_ptr<journal::TJournal> OpenCommandJournal(const TVantorCommandLine& command, std::ostream& err,
                                                      bool readOnly) {
  journal::TJournal::TOptions options;
  options.passwordPrompt = TerminalPassword;
  options.readOnly = readOnly;
  std::unique_ptr<journal::TJournal> opened = journal::OpenResolved(command.journal, options);
  for (const journal::TJobRecord& job : opened->Interrupted())
    err << "vantor: " << journal::DescribeInterrupted(job) << '\n';
  return opened;
}

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

std::optional<std::string> OutputOverJournal(const TVantorCommandLine& command, TOutputKind output,
                                             const std::string& target) {
  if (output == TOutputKind::Printer) return std::nullopt;
  const journal::TParsed<journal::TJournalLocation> where = journal::ResolveJournalLocation(command.journal);
  if (!where.value || where.value->kind != journal::TJournalLocation::TKind::Sqlite) return std::nullopt;
  const QString file = QString::fromStdString(target), journal = QString::fromStdString(where.value->path);
  for (const char* companion : {"", "-wal", "-shm", "-journal"})
    if (SameFile(file, journal + QLatin1String(companion)))
      return "\"" + target + "\" is the print journal's file " + where.value->path + companion +
             "; nothing was printed";
  return std::nullopt;
}

}  // namespace vantor
