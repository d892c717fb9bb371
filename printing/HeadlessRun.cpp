#include "printing/HeadlessRun.h"

#include <cctype>
#include <filesystem>

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

std::string JournalTarget(TPrintOutput output, const std::string& target) {
  if (output == TPrintOutput::Printer || target.empty()) return target;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(target, ec);
  return ec ? target : absolute.lexically_normal().string();
}

journal::TOutputKind OutputKindOf(TPrintOutput output) {
  switch (output) {
    case TPrintOutput::Pdf: return journal::TOutputKind::Pdf;
    case TPrintOutput::Trace: return journal::TOutputKind::Trace;
    case TPrintOutput::Printer: return journal::TOutputKind::Printer;
  }
  return journal::TOutputKind::Printer;
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

}  // namespace vantor
