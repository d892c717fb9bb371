// The vantor command line read: what to do and with which options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dlt/DltCommand.h"
#include "lto/LtoCommand.h"

namespace vantor {

struct TVantorCommandLine {
  enum class TAction {
    Window,
    Print,
    Lto,
    ListTemplates,
    DescribeTemplate,
    JournalList,
    JournalInit,
    JournalRelease,
    Help,
    Version,
    Error
  };
  TAction action = TAction::Error;
  TPrintOptions print;       // Print
  TLtoPrintOptions lto;      // Lto
  std::string templateName;  // DescribeTemplate
  // Print, Lto, JournalList, Window: --journal, the journal for this run.
  std::optional<std::string> journal;
  bool noJournal = false;                 // Print, Lto: --no-journal
  std::optional<std::string> listSerial;  // JournalList: --serial
  std::int64_t releaseJob = 0;            // JournalRelease: the job's number
  std::string screenshot;  // Window: save the window as this PNG and quit (hidden option for `make screenshot`)
  std::string text;        // Help, Version: for stdout; Error: the one line for stderr
};

// `args` without the program name. Needs no QCoreApplication, so the options
// are checked before anything needs a display.
TVantorCommandLine ParseVantorCommandLine(const std::vector<std::string>& args);

}  // namespace vantor
