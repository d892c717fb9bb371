#include "printing/PrintCommand.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "app/MediaSetup.h"
#include "printing/CalibrationPage.h"
#include "printing/HeadlessHost.h"
#include "printing/JournalledJob.h"
#include "printing/PrintTrace.h"

namespace vantor {

std::optional<int> MediaModeFor(const std::string& maker, const std::string& media) {
  if (maker == "storagetek") {
    static const std::map<std::string, int> kinds = {{"", mmStkDltIV},
                                                     {"dlt4", mmStkDltIV},
                                                     {"dlt3xt", mmStkDltIIIXT},
                                                     {"cleaning", mmStkCleaning},
                                                     {"diagnostic", mmStkDiagnostic}};
    const auto it = kinds.find(media);
    if (it == kinds.end()) return std::nullopt;
    return it->second;
  }
  if (!media.empty()) return std::nullopt;
  if (maker == "standard") return mmStandard3of9;
  if (maker == "breece") return mmBreeceHill;
  if (maker == "other") return mmOther;
  return std::nullopt;
}

void TTraceJob::EndDoc() { WritePrintTrace(text_, ++pages_, Recording().Ops()); }

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
  for (const journal::TConflict& c : conflicts) err << journal::DescribeConflict(c) << '\n';
  if (journal::ReprintWouldPass(conflicts))
    err << "vantor: nothing was printed; give --reprint to print them again deliberately (recorded as a reprint)\n";
  else
    err << "vantor: nothing was printed; a job still running holds serials of this one\n";
}

namespace {

int RunCalibrationPage(const TPrintOptions& o, TPrintJobFactory& factory, std::ostream& out, std::ostream& err) {
  TSheetOptions sheet;
  try {
    const int dpi = o.dpi ? o.dpi : o.output == TPrintOutput::Trace ? 300 : 600;
    const std::unique_ptr<TSheetOutput> output = factory.Open(o, dpi, sheet);
    PrintCalibrationPage(output->Job());
    output->Finish();
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
    return 1;
  }
  if (o.output == TPrintOutput::Pdf) out << "Printed the calibration page to " << o.target << '\n';
  if (o.output == TPrintOutput::Printer) out << "Printed the calibration page on " << o.target << '\n';
  return 0;
}

}  // namespace

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

namespace {

// The label state of a run: media, colour, scheme, and the first serial as
// the serial field takes typing (letters in upper case).
void PrepareHost(const TPrintOptions& o, std::optional<THeadlessHost>& host) {
  THeadlessChoice choice;
  choice.mediaMode = o.mediaMode;
  choice.colored = o.colored;
  choice.rotated = o.rotated.value_or(MediaSetupFor(o.mediaMode).rotatedSequence.checked);
  host.emplace(choice);
  if (o.scheme) host->State().LoadScheme(*o.scheme);
  if (o.serial) {
    std::string typed = *o.serial;
    for (char& c : typed) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    host->State().SetSerial(typed);
  }
}

std::optional<TOptionProblem> CheckDlt(const TPrintOptions& o, std::optional<THeadlessHost>& host) {
  if (o.calibration && CalibrationFault(*o.calibration) != TCalibrationField::None)
    return TOptionProblem{CalibrationOption(*o.calibration),
                          "the calibration is out of range (offsets up to 20 mm, scales 0.9 to 1.1)", 2};
  if (o.calibrationPage) return std::nullopt;
  if (!StartLabelUsable(o.startLabel, kLabelsPerSheet))
    return TOptionProblem{"start-label", "the start label must be from 1 to " + std::to_string(kLabelsPerSheet), 2};
  PrepareHost(o, host);
  if (!host->State().CheckSequence()) return TOptionProblem{"serial", "Error in Sequence Number", 1};
  if (const auto refusal = SheetRefusal(host->State().Serial(), o.sheets, o.startLabel))
    return TOptionProblem{"serial", *refusal, 1};
  return std::nullopt;
}

}  // namespace

std::optional<TOptionProblem> DltOptionsProblem(const TPrintOptions& options) {
  std::optional<THeadlessHost> host;
  return CheckDlt(options, host);
}

int DltRunLabels(const TPrintOptions& o) { return JobLabels(kLabelsPerSheet, o.sheets, o.startLabel); }

int RunPrint(const TPrintOptions& o, TPrintJobFactory& factory, std::ostream& out, std::ostream& err,
             journal::TJobLog* journal) {
  std::optional<THeadlessHost> prepared;
  if (const auto problem = CheckDlt(o, prepared)) {
    err << (problem->exit == 2 ? "vantor: " : "") << problem->problem << '\n';
    return problem->exit;
  }
  if (o.calibrationPage) return RunCalibrationPage(o, factory, out, err);
  THeadlessHost& host = *prepared;
  host.RefreshPreview();

  const TSheetLayout layout = LayoutFor(o.mediaMode, host.Rotated());
  TSheetOptions sheet;
  sheet.outlines = o.outlines;
  sheet.sheets = o.sheets;
  sheet.startLabel = o.startLabel;
  const std::string first = host.State().Serial();
  std::optional<TPageSerials> pages = DltPageSerials(first, sheet);
  if (journal && !pages) {
    err << "vantor: the serials from " << first << " cannot be recorded in the journal\n";
    return 1;
  }
  journal::TJobRequest request;
  request.family = journal::TTapeFamily::Dlt;
  request.media = DltMediaName(o.mediaMode);
  request.output = OutputKindOf(o.output);
  request.target = JournalTarget(o.output, o.target);
  TJournalledRun run(journal, request, pages.value_or(TPageSerials{}));
  try {
    const int dpi = o.dpi ? o.dpi : o.output == TPrintOutput::Trace ? 300 : 600;
    const std::unique_ptr<TSheetOutput> output = factory.Open(o, dpi, sheet);
    if (!run.Reserve(o.reprint)) {
      ReportJournalRefusal(run.Conflicts(), err);
      return kExitJournalRefused;
    }
    // One document: a printer gets the sheets as one job.
    TPrintJob& job =
        run.Job(output->Job(), o.output == TPrintOutput::Printer ? TDelivery::AtEndDoc : TDelivery::AfterEndDoc);
    PrintSheet(layout, host, job, sheet);
    run.Deliver([&] { output->Finish(); });
    run.End(journal::TJobOutcome::Printed);
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
    if (auto problem = run.EndQuietly(journal::TJobOutcome::Failed)) err << "vantor: " << *problem << '\n';
    return 1;
  }
  const char* const sheets = o.sheets == 1 ? " sheet" : " sheets";
  if (o.output == TPrintOutput::Pdf)
    out << "Printed " << o.sheets << sheets << " from " << first << " to " << o.target << '\n';
  if (o.output == TPrintOutput::Printer)
    out << "Printed " << o.sheets << sheets << " from " << first << " on " << o.target << '\n';
  return 0;
}

}  // namespace vantor
