// The vantor command line, read with Qt's parser: the window (the default) or
// headless printing (dlt/DltCommand.h, printing/HeadlessRun.h) with the jobs on Qt.
#pragma once

#include <optional>
#include <ostream>
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

// PDF files, named printers and trace files on Qt.
class TQtPrintJobFactory : public TPrintJobFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(const TPrintOptions& options, int dpi, TSheetOptions& sheet) override;
};

// LTO sheets to PDF files, named printers and trace files on Qt, the pages
// the template's size.
class TQtLtoOutputFactory : public TLtoOutputFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(TPrintOutput output, const std::string& target, int dpi, TPageSize page,
                                     const std::optional<TCalibration>& calibration) override;
};

// The actions that need no window: Print, Lto (both need a QGuiApplication
// for their fonts and PDF writer), ListTemplates, DescribeTemplate (the
// templates read from the user's folder) and JournalList. Exit status as the
// runners'. Print and Lto go through the print journal unless --no-journal
// (which says so in the first line on `err`); a trace only with --journal.
// The journal's faults exit 1, serials printed before exit 3.
int RunHeadlessCommand(const TVantorCommandLine& command, std::ostream& out, std::ostream& err);

// The print command in-process: parse, then help, version or the print run
// through TQtPrintJobFactory. Exit status as RunPrint's, 2 for a bad command
// line (arguments that would open the window included).
int RunPrintCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vantor
