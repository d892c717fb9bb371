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

int RunLtoPrint(const TLtoPrintOptions& o, const TTemplateCatalogue& templates, TOutputFactory& factory,
                std::ostream& out, std::ostream& err, journal::TJobLog* journal) {
  TLtoCheck check = CheckLtoOptions(o, templates, OutputDpi(o));
  if (check.problem) {
    err << CliLine(check.problem->problem) << '\n';
    return check.problem->exit;
  }
  const TSheetTemplate& sheet = *check.sheet;
  if (o.calibrationPage) {
    // The calibration page on the template's page, for the stock the printer holds.
    if (sheet.page.width < kCalibrationPageMin.width || sheet.page.height < kCalibrationPageMin.height) {
      err << "vantor: the calibration page needs a page of at least " << MmText(kCalibrationPageMin.width) << " x "
          << MmText(kCalibrationPageMin.height) << " mm; " << sheet.name << " is " << MmText(sheet.page.width) << " x "
          << MmText(sheet.page.height) << " mm\n";
      return 1;
    }
    return RunLabelPrint(TCalibrationRun(), o, sheet.page, factory, out, err, nullptr, false);
  }
  return RunLabelPrint(TLtoLabelRun(std::move(*check.run)), o, sheet.page, factory, out, err, journal);
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
