#include "printing/PrintCommand.h"

#include <cctype>
#include <map>
#include <stdexcept>

#include "app/MediaSetup.h"
#include "printing/CalibrationPage.h"
#include "printing/HeadlessHost.h"
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

int RunPrint(const TPrintOptions& o, TPrintJobFactory& factory, std::ostream& out, std::ostream& err) {
  if (o.calibration && CalibrationFault(*o.calibration) != TCalibrationField::None) {
    err << "vantor: the calibration is out of range (offsets up to 20 mm, scales 0.9 to 1.1)\n";
    return 2;
  }
  if (o.calibrationPage) return RunCalibrationPage(o, factory, out, err);
  if (!StartLabelUsable(o.startLabel, kLabelsPerSheet)) {
    err << "vantor: the start label must be from 1 to " << kLabelsPerSheet << '\n';
    return 2;
  }
  THeadlessChoice choice;
  choice.mediaMode = o.mediaMode;
  choice.colored = o.colored;
  choice.rotated = o.rotated.value_or(MediaSetupFor(o.mediaMode).rotatedSequence.checked);
  THeadlessHost host(choice);
  if (o.scheme) host.State().LoadScheme(*o.scheme);
  if (o.serial) {
    // As the serial field takes typing: letters in upper case.
    std::string typed = *o.serial;
    for (char& c : typed) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    host.State().SetSerial(typed);
  }
  if (!host.State().CheckSequence()) {
    err << "Error in Sequence Number\n";
    return 1;
  }
  if (const auto refusal = SheetRefusal(host.State().Serial(), o.sheets, o.startLabel)) {
    err << *refusal << '\n';
    return 1;
  }
  host.RefreshPreview();

  const TSheetLayout layout = LayoutFor(o.mediaMode, host.Rotated());
  TSheetOptions sheet;
  sheet.outlines = o.outlines;
  sheet.sheets = o.sheets;
  sheet.startLabel = o.startLabel;
  const std::string first = host.State().Serial();
  try {
    const int dpi = o.dpi ? o.dpi : o.output == TPrintOutput::Trace ? 300 : 600;
    const std::unique_ptr<TSheetOutput> output = factory.Open(o, dpi, sheet);
    // One document: a printer gets the sheets as one job.
    PrintSheet(layout, host, output->Job(), sheet);
    output->Finish();
  } catch (const std::exception& e) {
    err << "vantor: " << e.what() << '\n';
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
