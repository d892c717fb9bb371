#include "app/cli/JournalCommands.h"

#include "app/cli/CommandJournal.h"
#include "app/cli/TerminalPassword.h"
#include "journal/qt/JournalSettings.h"

namespace vantor {

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

}  // namespace vantor
