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

int RunCalibrationPage(const TPrintOptions& o, TPrintJobFactory& factory, std::ostream& out, std::ostream& err) {
  TSheetOptions sheet;
  try {
    const int dpi = o.dpi ? o.dpi : o.output == TPrintOutput::Trace ? 300 : 600;
    const std::unique_ptr<TSheetOutput> output = factory.Open(o, dpi, sheet);
    PrintCalibrationPage(output->Job());
    output->Finish();
  } catch (const std::exception& e) {
    err << CliLine(e.what()) << '\n';
    return 1;
  }
  if (o.output == TPrintOutput::Pdf) out << "Printed the calibration page to " << o.target << '\n';
  if (o.output == TPrintOutput::Printer) out << "Printed the calibration page on " << o.target << '\n';
  return 0;
}

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

int RunPrint(const TPrintOptions& o, TPrintJobFactory& factory, std::ostream& out, std::ostream& err,
             journal::TJobLog* journal) {
  std::optional<THeadlessHost> prepared;
  if (const auto problem = CheckDlt(o, prepared)) {
    // The window's caption keeps its capital; every other reason reads as a sentence.
    const bool caption = problem->problem.rfind(kSequenceErrorCaption, 0) == 0;
    err << (caption ? "vantor: " + problem->problem : CliLine(problem->problem)) << '\n';
    return problem->exit;
  }
  if (o.calibrationPage) return RunCalibrationPage(o, factory, out, err);
  THeadlessHost& host = *prepared;
  if (const auto refusal = o.dpi ? SheetResolutionRefusal(o.dpi, o.dpi) : std::nullopt) {
    err << CliLine(*refusal) << '\n';
    return 1;
  }
  host.RefreshPreview();

  const TSheetLayout layout = LayoutFor(o.mediaMode, host.Rotated());
  TSheetOptions sheet;
  sheet.outlines = o.outlines;
  sheet.sheets = DltRunSheets(o);
  sheet.startLabel = o.startLabel;
  sheet.labels = o.count.value_or(0);
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
    TWatchedJob watched(job, sheet.sheets, o.progress ? &err : nullptr);
    PrintSheet(layout, host, watched, sheet);
    run.Deliver([&] { output->Finish(); });
    run.End(journal::TJobOutcome::Printed);
  } catch (const EJobStopped& e) {
    err << "vantor: " << e.what() << '\n';
    if (auto problem = run.EndQuietly(journal::TJobOutcome::Cancelled)) err << "vantor: " << *problem << '\n';
    return e.ExitStatus();
  } catch (const std::exception& e) {
    err << CliLine(e.what()) << '\n';
    if (auto problem = run.EndQuietly(journal::TJobOutcome::Failed)) err << "vantor: " << *problem << '\n';
    return 1;
  }
  const char* const sheets = sheet.sheets == 1 ? " sheet" : " sheets";
  if (o.output == TPrintOutput::Pdf)
    out << "Printed " << sheet.sheets << sheets << " from " << first << " to " << o.target << '\n';
  if (o.output == TPrintOutput::Printer)
    out << "Printed " << sheet.sheets << sheets << " from " << first << " on " << o.target << '\n';
  return 0;
}

}  // namespace vantor
