// The vantor command line, read with Qt's parser: the window (the default) or
// headless printing (printing/PrintCommand.h) with the jobs on Qt.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "printing/PrintCommand.h"

namespace vantor {

struct TVantorCommandLine {
  enum class TAction { Window, Print, Help, Version, Error };
  TAction action = TAction::Error;
  TPrintOptions print;     // Print
  std::string screenshot;  // Window: save the window as this PNG and quit (hidden option for `make screenshot`)
  std::string text;        // Help, Version: for stdout; Error: the one line for stderr
};

// `args` without the program name. Needs no QCoreApplication, so the options
// are checked before anything needs a display.
TVantorCommandLine ParseVantorCommandLine(const std::vector<std::string>& args);

// PDF files, named printers and trace files on Qt.
class TQtPrintJobFactory : public TPrintJobFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(const TPrintOptions& options, int dpi, TSheetOptions& sheet) override;
};

// The print command in-process: parse, then help, version or the print run
// through TQtPrintJobFactory. Exit status as RunPrint's, 2 for a bad command
// line (arguments that would open the window included).
int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vantor
