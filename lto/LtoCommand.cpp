#include "lto/LtoCommand.h"

#include "lto/LtoSheet.h"
#include "lto/MediaId.h"
#include "printing/CalibrationPage.h"
#include "printing/WatchedJob.h"
#include "surface/Text.h"

namespace vantor {

namespace {

constexpr const char* kProgram = "vantor: ";

// Why there is no template of that name (exit 2).
std::string TemplateProblem(const std::string& name, const TTemplateCatalogue& templates) {
  if (const auto refusal = templates.RefusalOf(name)) return "template '" + name + "' is refused: " + *refusal;
  return "unknown template '" + name + "'; see vantor --list-templates";
}

int OutputDpi(const TLtoPrintOptions& o) {
  return o.dpi ? o.dpi : o.output == TPrintOutput::Trace ? 300 : o.output == TPrintOutput::Pdf ? 600 : 0;
}

// The calibration page on the template's page, for the stock the printer holds.
int RunLtoCalibrationPage(const TLtoPrintOptions& o, const TSheetTemplate& sheet, TLtoOutputFactory& factory,
                          std::ostream& out, std::ostream& err) {
  if (sheet.page.width < kCalibrationPageMin.width || sheet.page.height < kCalibrationPageMin.height) {
    err << "vantor: the calibration page needs a page of at least " << MmText(kCalibrationPageMin.width) << " x "
        << MmText(kCalibrationPageMin.height) << " mm; " << sheet.name << " is " << MmText(sheet.page.width) << " x "
        << MmText(sheet.page.height) << " mm\n";
    return 1;
  }
  try {
    const std::unique_ptr<TSheetOutput> output =
        factory.Open(o.output, o.target, OutputDpi(o), sheet.page, o.calibration);
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

}  // namespace

TLtoCheck CheckLtoOptions(const TLtoPrintOptions& o, const TTemplateCatalogue& templates, int dpi) {
  TLtoCheck check;
  const auto refuse = [&](std::string option, std::string problem, int exit) {
    check.problem = TOptionProblem{std::move(option), std::move(problem), exit};
    return check;
  };
  check.sheet = templates.Find(o.templateName);
  if (!check.sheet) return refuse("template", TemplateProblem(o.templateName, templates), 2);
  if (o.calibration && CalibrationFault(*o.calibration) != TCalibrationField::None)
    return refuse(CalibrationOption(*o.calibration),
                  "the calibration is out of range (offsets up to 20 mm, scales 0.9 to 1.1)", 2);
  if (o.calibrationPage) return check;
  const TSheetTemplate& sheet = *check.sheet;
  if (!StartLabelUsable(o.startLabel, sheet.LabelsPerPage()))
    return refuse("start-label",
                  "the start label must be from 1 to " + std::to_string(sheet.LabelsPerPage()) + " on " + sheet.name +
                      ", not " + std::to_string(o.startLabel),
                  2);
  const TLtoPalette* palette = FindLtoPalette(o.palette);
  if (!palette) return refuse("palette", "unknown palette '" + o.palette + "'; see vantor --help", 2);
  const std::string mediaId = UpperCase(o.mediaId);
  if (const auto problem = MediaIdProblem(mediaId)) return refuse("media-id", *problem, 2);

  // As the volser field takes typing: letters in upper case.
  const std::string first = UpperCase(o.serial);
  const TVolserRunResult volsers =
      o.last ? VolserRunByLast(first, UpperCase(*o.last))
             : VolserRunByCount(first, o.count.value_or(JobLabels(sheet.LabelsPerPage(), 1, o.startLabel)));
  if (!volsers.run) return refuse(VolserProblem(first) ? "serial" : o.last ? "last" : "count", volsers.refusal, 1);
  TLtoRun run{sheet, mediaId, *volsers.run, *palette, o.startLabel};
  if (const auto problem = LtoRunProblem(run)) return refuse("", *problem, 1);
  if (dpi > 0) {
    // Known before anything is opened; a printer's is checked once it is.
    const TLtoBarPlan plan = PlanLtoBars(run.layout, dpi, dpi, sheet.labels);
    if (!plan.bars) return refuse("template", plan.refusal, 1);
  }
  check.run = std::move(run);
  return check;
}

int RunLtoPrint(const TLtoPrintOptions& o, const TTemplateCatalogue& templates, TLtoOutputFactory& factory,
                std::ostream& out, std::ostream& err, journal::TJobLog* journal) {
  const int dpi = OutputDpi(o);
  TLtoCheck check = CheckLtoOptions(o, templates, dpi);
  if (check.problem) {
    err << CliLine(check.problem->problem) << '\n';
    return check.problem->exit;
  }
  if (o.calibrationPage) return RunLtoCalibrationPage(o, *check.sheet, factory, out, err);
  const TSheetTemplate* sheet = check.sheet;
  const std::string mediaId = check.run->mediaId;
  TLtoRun& run = *check.run;
  journal::TJobRequest request;
  request.family = journal::TTapeFamily::Lto;
  request.media = mediaId;
  request.output = OutputKindOf(o.output);
  request.target = JournalTarget(o.output, o.target);
  TJournalledRun journalled(journal, request, LtoPageSerials(run));
  try {
    const std::unique_ptr<TSheetOutput> output = factory.Open(o.output, o.target, dpi, sheet->page, o.calibration);
    if (!journalled.Reserve(o.reprint)) {
      ReportJournalRefusal(journalled.Conflicts(), err);
      return kExitJournalRefused;
    }
    TWatchedJob watched(
        journalled.Job(output->Job(), o.output == TPrintOutput::Printer ? TDelivery::AtEndDoc : TDelivery::AfterEndDoc),
        run.Pages(), o.progress ? &err : nullptr);
    PrintLtoRun(run, watched);
    journalled.Deliver([&] { output->Finish(); });
    journalled.End(journal::TJobOutcome::Printed);
  } catch (const EJobStopped& e) {
    err << kProgram << e.what() << '\n';
    if (auto problem = journalled.EndQuietly(journal::TJobOutcome::Cancelled)) err << kProgram << *problem << '\n';
    return e.ExitStatus();
  } catch (const ELtoRefused& e) {
    err << CliLine(e.what()) << '\n';
    journalled.EndQuietly(journal::TJobOutcome::Cancelled);
    return 1;
  } catch (const std::exception& e) {
    err << CliLine(e.what()) << '\n';
    if (auto problem = journalled.EndQuietly(journal::TJobOutcome::Failed)) err << kProgram << *problem << '\n';
    return 1;
  }
  const int pages = run.Pages();
  const std::string what = std::to_string(run.volsers.count) + (run.volsers.count == 1 ? " label" : " labels") +
                           " on " + std::to_string(pages) + (pages == 1 ? " page" : " pages") + " from " +
                           run.volsers.First() + mediaId + " to " + run.volsers.Last() + mediaId;
  if (o.output == TPrintOutput::Pdf) out << "Printed " << what << " to " << o.target << '\n';
  if (o.output == TPrintOutput::Printer) out << "Printed " << what << " on " << o.target << '\n';
  return 0;
}

int RunListTemplates(const TTemplateCatalogue& templates, std::ostream& out, std::ostream& err) {
  // The name first on every line; a template LTO labels can never print on says why after a tab.
  for (const TSheetTemplate& t : templates.templates) {
    out << t.name;
    if (const auto why = LtoTemplateUnusable(t)) out << "\tnot usable: " << *why;
    out << '\n';
  }
  for (const std::string& problem : templates.problems) err << kProgram << "not offered: " << problem << '\n';
  return 0;
}

int RunDescribeTemplate(const std::string& name, const TTemplateCatalogue& templates, std::ostream& out,
                        std::ostream& err) {
  const TSheetTemplate* t = templates.Find(name);
  if (!t) {
    err << kProgram << TemplateProblem(name, templates) << '\n';
    return 2;
  }
  out << DescribeTemplateJson(*t);
  return 0;
}

}  // namespace vantor
