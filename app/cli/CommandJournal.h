// The print journal a command-line run uses, and what it refuses to print
// over.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/cli/CommandLine.h"
#include "journal/qt/Journal.h"

namespace vantor {

// The journal the command line names (or the settings' or the default), its
// interrupted jobs told on `err`. Throws naming the cause.
// Only the default journal is made when missing; `readOnly` for a list.
std::unique_ptr<journal::TJournal> OpenCommandJournal(const TVantorCommandLine& command, std::ostream& err,
                                                      bool readOnly = false);

// The journal a print run goes through; null when it goes without one, or
// when the journal cannot be used (the message on `err`, `failed` set).
std::unique_ptr<journal::TJournal> OpenRunJournal(const TVantorCommandLine& command, bool trace, std::ostream& err,
                                                  bool& failed);

// Why the run's output file would destroy the print journal (it is the
// journal's file or one of SQLite's companions of it), or nothing. Checked
// with --no-journal too: the journal is still there to lose.
std::optional<std::string> OutputOverJournal(const TVantorCommandLine& command, TOutputKind output,
                                             const std::string& target);

}  // namespace vantor
