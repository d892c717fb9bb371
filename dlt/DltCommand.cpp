#include "dlt/DltCommand.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

#include "dlt/DltJournal.h"
#include "dlt/HeadlessHost.h"
#include "dlt/MediaSetup.h"
#include "printing/CalibrationPage.h"
#include "printing/JournalledJob.h"
#include "printing/WatchedJob.h"
#include "surface/Text.h"

namespace vantor {

std::vector<std::string> MakerNames() {
  std::vector<std::string> names;
  for (const TMediaChoice& c : kMediaChoices)
    if (std::find(names.begin(), names.end(), c.maker) == names.end()) names.emplace_back(c.maker);
  return names;
}

std::vector<std::string> MediaKindNames() {
  std::vector<std::string> names;
  for (const TMediaChoice& c : kMediaChoices)
    if (*c.media) names.emplace_back(c.media);
  return names;
}

std::optional<TMediaMode> MediaModeFor(const std::string& maker, const std::string& media) {
  for (const TMediaChoice& c : kMediaChoices)
    if (maker == c.maker && (media == c.media || media.empty())) return c.mode;
  return std::nullopt;
}

std::string MediaChoiceProblem(const std::string& maker, const std::string& media) {
  if (MediaModeFor(maker, media)) return {};
  std::vector<std::string> makersWithKinds;
  bool known = false;
  for (const TMediaChoice& c : kMediaChoices) {
    known = known || maker == c.maker;
    if (*c.media && std::find(makersWithKinds.begin(), makersWithKinds.end(), c.maker) == makersWithKinds.end())
      makersWithKinds.emplace_back(c.maker);
  }
  if (!known) return "unknown maker '" + maker + "'; the makers are " + JoinNames(MakerNames());
  if (std::find(makersWithKinds.begin(), makersWithKinds.end(), maker) == makersWithKinds.end())
    return "the maker " + maker + " has no media kinds; --media goes with --maker " + JoinNames(makersWithKinds, "or");
  return "unknown media kind '" + media + "'; the media kinds are " + JoinNames(MediaKindNames()) +
         " (LTO Ultrium labels: --lto)";
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
    host->State().SetSerial(UpperCase(*o.serial));
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
  if (const std::optional<TSerialProblem> problem = host->State().SequenceProblem()) {
    host->State().CheckSequence();  // the window's Print forces the prefix even when it refuses
    return TOptionProblem{"serial", std::string(kSequenceErrorCaption) + ": " + problem->Text(), 1};
  }
  host->State().CheckSequence();
  if (o.count) {
    if (*o.count < 1 || *o.count > DltMaxCount(o.startLabel))
      return TOptionProblem{"count", "the count must be from 1 to " + std::to_string(DltMaxCount(o.startLabel)), 2};
    if (const auto refusal = LabelRunRefusal(host->State().Serial(), *o.count))
      return TOptionProblem{"serial", *refusal, 1};
  } else if (const auto refusal = SheetRefusal(host->State().Serial(), o.sheets, o.startLabel)) {
    return TOptionProblem{"serial", *refusal, 1};
  }
  return std::nullopt;
}

}  // namespace

std::optional<TOptionProblem> DltOptionsProblem(const TPrintOptions& options) {
  std::optional<THeadlessHost> host;
  return CheckDlt(options, host);
}

int DltRunLabels(const TPrintOptions& o) {
  return o.count ? *o.count : JobLabels(kLabelsPerSheet, o.sheets, o.startLabel);
}

int DltRunSheets(const TPrintOptions& o) {
  if (!o.count) return o.sheets;
  return (o.startLabel - 1 + *o.count + kLabelsPerSheet - 1) / kLabelsPerSheet;
}

TDltLabelRun DltRunFor(const TPrintOptions& o) {
  std::optional<THeadlessHost> host;
  PrepareHost(o, host);
  host->State().CheckSequence();
  THeadlessChoice look;
  look.mediaMode = o.mediaMode;
  look.serial = host->State().Serial();
  look.colored = o.colored;
  look.rotated = o.rotated.value_or(MediaSetupFor(o.mediaMode).rotatedSequence.checked);
  TSheetOptions sheet;
  sheet.outlines = o.outlines;
  sheet.sheets = DltRunSheets(o);
  sheet.startLabel = o.startLabel;
  sheet.labels = o.count.value_or(0);
  return TDltLabelRun(look, host->State().Colors, sheet);
}

int RunPrint(const TPrintOptions& o, TOutputFactory& factory, std::ostream& out, std::ostream& err,
             journal::TJobLog* journal) {
  if (const auto problem = DltOptionsProblem(o)) {
    // The window's caption keeps its capital; every other reason reads as a sentence.
    const bool caption = problem->problem.rfind(kSequenceErrorCaption, 0) == 0;
    err << (caption ? "vantor: " + problem->problem : CliLine(problem->problem)) << '\n';
    return problem->exit;
  }
  // DLT sheets print at a printer's own resolution; --dpi is for files.
  TRunOptions output = o;
  if (o.output == TOutputKind::Printer) output.dpi = 0;
  if (o.calibrationPage)
    return RunLabelPrint(TCalibrationRun(), output, std::nullopt, factory, out, err, nullptr, false);
  if (const auto refusal = o.dpi ? SheetResolutionRefusal(o.dpi, o.dpi) : std::nullopt) {
    err << CliLine(*refusal) << '\n';
    return 1;
  }
  const TDltLabelRun run = DltRunFor(o);
  if (journal && !DltPageSerials(run.FirstSerial(), run.Options())) {
    err << "vantor: the serials from " << run.FirstSerial() << " cannot be recorded in the journal\n";
    return 1;
  }
  return RunLabelPrint(run, output, std::nullopt, factory, out, err, journal);
}

}  // namespace vantor
