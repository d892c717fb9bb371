#include "printing/HeadlessRun.h"

#include <cctype>
#include <filesystem>

#include "printing/CalibrationPage.h"
#include "printing/PrintJournalled.h"
#include "printing/PrintTrace.h"

namespace vantor {

std::string JoinNames(const std::vector<std::string>& names, const std::string& last) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " " + last + " " : ", ";
    text += names[i];
  }
  return text;
}

std::string CliLine(std::string_view message) {
  std::string line = "vantor: " + std::string(message);
  const std::size_t first = 8;
  if (line.size() <= first || !std::isupper(static_cast<unsigned char>(line[first]))) return line;
  for (std::size_t i = first + 1; i < line.size() && line[i] != ' '; ++i)
    if (!std::islower(static_cast<unsigned char>(line[i]))) return line;
  line[first] = static_cast<char>(std::tolower(static_cast<unsigned char>(line[first])));
  return line;
}

void TTraceJob::EndDoc() {
  std::ostringstream page;
  WritePrintTrace(page, ++pages_, Recording().Ops());
  WritePage(page.str());
}

void ReportJournalRefusal(const std::vector<journal::TConflict>& conflicts, std::ostream& err) {
  for (const journal::TConflict& c : conflicts) err << CliLine(journal::DescribeConflict(c)) << '\n';
  if (journal::ReprintWouldPass(conflicts))
    err << "vantor: nothing was printed; give --reprint to print them again deliberately (recorded as a reprint)\n";
  else
    err << "vantor: nothing was printed; a job still running holds serials of this one\n";
}

std::string CalibrationOption(const TCalibration& calibration) {
  switch (CalibrationFault(calibration)) {
    case TCalibrationField::OffsetX: return "offset-x";
    case TCalibrationField::OffsetY: return "offset-y";
    case TCalibrationField::ScaleX: return "scale-x";
    case TCalibrationField::ScaleY: return "scale-y";
    case TCalibrationField::None: break;
  }
  return {};
}

void TCalibrationRun::DrawPage(TSurface& surface, int) const { DrawCalibrationPage(surface); }

int RunLabelPrint(const TLabelRun& run, const TRunOptions& o, const std::optional<TPageSize>& page,
                  TOutputFactory& factory, std::ostream& out, std::ostream& err, journal::TJobLog* journal,
                  bool stoppable) {
  std::unique_ptr<TSheetOutput> output;
  try {
    output = factory.Open(o, page);
  } catch (const std::exception& e) {
    err << CliLine(e.what()) << '\n';
    return 1;
  }
  TJournalledPrint print;
  print.journal = journal;
  print.recorded = {o.output, JournalTarget(o.output, o.target)};
  print.delivery = DeliveryFor(o.output);
  print.reprint = o.reprint;
  print.stoppable = stoppable;
  print.progress = o.progress ? &err : nullptr;
  const TPrintResult result = PrintJournalled(run, *output, print);
  const auto endProblem = [&] {
    if (result.endProblem) err << "vantor: " << *result.endProblem << '\n';
  };
  switch (result.outcome) {
    case TPrintOutcome::Printed:
      if (result.endProblem) {
        err << CliLine(*result.endProblem) << '\n';
        return 1;
      }
      if (const auto printed = PrintedMessage(run.Describe(), o.output, o.target)) out << *printed << '\n';
      return 0;
    case TPrintOutcome::Refused:
      if (result.runRefused) {
        err << CliLine(result.message) << '\n';
        return 1;
      }
      ReportJournalRefusal(result.conflicts, err);
      return kExitJournalRefused;
    case TPrintOutcome::Stopped:
      err << "vantor: " << result.message << '\n';
      endProblem();
      return 128 + result.stopSignal;
    case TPrintOutcome::Cancelled:
    case TPrintOutcome::Failed:
    case TPrintOutcome::JournalError: break;
  }
  err << CliLine(result.message) << '\n';
  endProblem();
  return 1;
}

}  // namespace vantor
