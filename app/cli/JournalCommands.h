// The print journal's subcommands: --journal-list, --journal-init and
// --journal-release. Exit status 0 done, 1 failed (the message on `err`).
#pragma once

#include <ostream>

#include "app/cli/CommandLine.h"

namespace vantor {

int RunJournalList(const TVantorCommandLine& command, std::ostream& out, std::ostream& err);
int RunJournalInit(const TVantorCommandLine& command, std::ostream& out, std::ostream& err);
int RunJournalRelease(const TVantorCommandLine& command, std::ostream& out, std::ostream& err);

}  // namespace vantor
