// The vantor command line: the window (the default), headless printing
// (dlt/DltCommand.h, lto/LtoCommand.h) with the jobs on Qt, or the
// journal's and the templates' listings. Read in app/cli/CommandLine.h.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"

namespace vantor {

// The actions that need no window: Print, Lto (both need a QGuiApplication
// for their fonts and PDF writer), ListTemplates, DescribeTemplate (the
// templates read from the user's folder) and JournalList. Exit status as the
// runners'. Print and Lto go through the print journal unless --no-journal
// (which says so in the first line on `err`); a trace only with --journal.
// The journal's faults exit 1, serials printed before exit 3.
int RunHeadlessCommand(const TVantorCommandLine& command, std::ostream& out, std::ostream& err);

// The print command in-process: parse, then help, version or the print run
// through TQtOutputFactory. Exit status as RunPrint's, 2 for a bad command
// line (arguments that would open the window included).
int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vantor
