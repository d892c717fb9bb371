#include "lto/LtoCommand.h"

#include <cctype>

#include "lto/LtoSheet.h"
#include "lto/MediaId.h"
#include "printing/CalibrationPage.h"

namespace vantor {

namespace {

constexpr const char* kProgram = "vantor: ";

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The template of that name, or the exit-2 message saying why there is none.
const TSheetTemplate* FindTemplate(const std::string& name, const TTemplateCatalogue& templates, std::ostream& err) {
  if (const TSheetTemplate* t = templates.Find(name)) return t;
  if (const auto refusal = templates.RefusalOf(name))
    err << kProgram << "template '" << name << "' is refused: " << *refusal << '\n';
  else
    err << kProgram << "unknown template '" << name << "'; see vantor --list-templates\n";
  return nullptr;
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

int RunLtoPrint(const TLtoPrintOptions& o, const TTemplateCatalogue& templates, TLtoOutputFactory& factory,
                std::ostream& out, std::ostream& err, journal::TJobLog* journal) {
  const TSheetTemplate* sheet = FindTemplate(o.templateName, templates, err);
  if (!sheet) return 2;
  if (o.calibration && CalibrationFault(*o.calibration) != TCalibrationField::None) {
    err << kProgram << "the calibration is out of range (offsets up to 20 mm, scales 0.9 to 1.1)\n";
    return 2;
  }
  if (o.calibrationPage) return RunLtoCalibrationPage(o, *sheet, factory, out, err);
  if (!StartLabelUsable(o.startLabel, sheet->LabelsPerPage())) {
    err << kProgram << "the start label must be from 1 to " << sheet->LabelsPerPage() << " on " << sheet->name
        << ", not " << o.startLabel << '\n';
    return 2;
  }
  const TLtoPalette* palette = FindLtoPalette(o.palette);
  if (!palette) {
    err << kProgram << "unknown palette '" << o.palette << "'; see vantor --help\n";
    return 2;
  }
  const std::string mediaId = Upper(o.mediaId);
  if (const auto problem = MediaIdProblem(mediaId)) {
    err << CliLine(*problem) << '\n';
    return 2;
  }

  // As the volser field takes typing: letters in upper case.
  const std::string first = Upper(o.serial);
  const TVolserRunResult volsers =
      o.last ? VolserRunByLast(first, Upper(*o.last))
             : VolserRunByCount(first, o.count.value_or(JobLabels(sheet->LabelsPerPage(), 1, o.startLabel)));
  if (!volsers.run) {
    err << CliLine(volsers.refusal) << '\n';
    return 1;
  }
  TLtoRun run{*sheet, mediaId, *volsers.run, *palette, o.startLabel};
  if (const auto problem = LtoRunProblem(run)) {
    err << CliLine(*problem) << '\n';
    return 1;
  }
  const int dpi = OutputDpi(o);
  if (dpi > 0) {
    // Known before anything is opened; a printer's is checked once it is.
    const TLtoBarPlan plan = PlanLtoBars(run.layout, dpi, dpi, sheet->labels);
    if (!plan.bars) {
      err << CliLine(plan.refusal) << '\n';
      return 1;
    }
  }
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
    PrintLtoRun(run, journalled.Job(output->Job(),
                                    o.output == TPrintOutput::Printer ? TDelivery::AtEndDoc : TDelivery::AfterEndDoc));
    journalled.Deliver([&] { output->Finish(); });
    journalled.End(journal::TJobOutcome::Printed);
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

TOptionNames OptionNames() {
  TOptionNames names;
  names.makers = MakerNames();
  names.mediaKinds = MediaKindNames();
  for (const ColourScheme& scheme : ColourSchemes()) names.schemes.emplace_back(scheme.caption);
  for (const TLtoPalette& palette : LtoPalettes()) names.palettes.push_back(palette.name);
  for (const TSheetTemplate& t : BuiltInTemplates()) names.templates.push_back(t.name);
  return names;
}

int RunListTemplates(const TTemplateCatalogue& templates, std::ostream& out, std::ostream& err) {
  for (const TSheetTemplate& t : templates.templates) out << t.name << '\n';
  for (const std::string& problem : templates.problems) err << kProgram << "not offered: " << problem << '\n';
  return 0;
}

int RunDescribeTemplate(const std::string& name, const TTemplateCatalogue& templates, std::ostream& out,
                        std::ostream& err) {
  const TSheetTemplate* t = FindTemplate(name, templates, err);
  if (!t) return 2;
  out << DescribeTemplateJson(*t);
  return 0;
}

}  // namespace vantor
