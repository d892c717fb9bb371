// vantor-barcode's command line, read with Qt's parser into the options the
// runner (tools/BarcodeCli.h) takes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/BarcodeCli.h"

namespace vantor {

struct TBarcodeCommandLine {
  enum class TAction { Run, Help, Version, Error };
  TAction action = TAction::Error;
  TBarcodeOptions options;  // Run
  std::string text;         // Help, Version: for stdout; Error: the one line for stderr
};

// `args` without the program name.
TBarcodeCommandLine ParseBarcodeCommandLine(const std::vector<std::string>& args);

// The whole command in-process: parse, then help, version or the run.
// Exit status as RunBarcode's, 2 for a bad command line.
int RunBarcodeCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  TImageExporter* exporter = nullptr);

}  // namespace vantor
