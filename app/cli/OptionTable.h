// vantor's option table: the command line's own rows (outputs, the run
// options every family takes, the journal) around each family's, in the
// order --help lists them, and Qt's parser built from it.
#pragma once

#include <QCommandLineParser>
#include <string>
#include <vector>

#include "printing/CommandOptions.h"

namespace vantor {

const std::vector<TOptionRow>& VantorOptionRows();

// The parser for the table: its description, -h/--help, -v/--version, every
// row, and the hidden --screenshot. Help texts and value names are
// translated here, once the program has loaded a translation.
void SetUpParser(QCommandLineParser& parser);

// --help: the usage, the options and the exit statuses.
std::string VantorHelp(const QCommandLineParser& parser);

}  // namespace vantor
