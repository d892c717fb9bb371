#include "lto/LtoSheet.h"

#include "lto/MediaId.h"

namespace vantor {

namespace {
// Labels of the run counted from the first page's first place.
int Slot(const TLtoRun& run, int i) { return run.startLabel - 1 + i; }
}  // namespace

int TLtoRun::Pages() const {
  const int perPage = sheet.LabelsPerPage();
  if (perPage < 1 || volsers.count < 1) return 0;
  return (Slot(*this, volsers.count - 1)) / perPage + 1;
}

int TLtoRun::PageOf(int i) const { return Slot(*this, i) / sheet.LabelsPerPage(); }
int TLtoRun::PlaceOf(int i) const { return Slot(*this, i) % sheet.LabelsPerPage(); }

std::optional<std::string> LtoTemplateUnusable(const TSheetTemplate& sheet) {
  for (const int dpi : kLtoCheckedDpi) {
    const TLtoBarPlan plan = PlanLtoBars(kLtoLabelLayout, dpi, dpi, sheet.labels);
    if (!plan.bars) return plan.refusal;
  }
  return std::nullopt;
}

std::optional<std::string> LtoRunProblem(const TLtoRun& run) {
  if (auto problem = MediaIdProblem(run.mediaId)) return problem;
  if (run.volsers.count < 1) return "The run holds no labels.";
  if (auto problem = VolserProblem(run.volsers.First())) return problem;
  if (auto problem = VolserProblem(run.volsers.Last())) return problem;
  if (auto problem = TemplateProblem(run.sheet, run.sheet.name)) return problem;
  if (run.startLabel < 1 || run.startLabel > run.sheet.LabelsPerPage())
    return "The start label must be from 1 to " + std::to_string(run.sheet.LabelsPerPage()) + " on " + run.sheet.name +
           ", not " + std::to_string(run.startLabel) + ".";
  return std::nullopt;
}

void DrawLtoPage(const TLtoRun& run, int page, const TBarWidths& bars, TSurface& surface) {
  const TPoint offset = surface.PrintingOffset();
  surface.SetOrigin({-offset.x, -offset.y});
  TLtoLabelPainter painter(surface, run.layout, run.palette, bars);
  const int perPage = run.sheet.LabelsPerPage();
  const int firstSlot = page * perPage;
  const int first = std::max(0, firstSlot - (run.startLabel - 1));
  for (int i = first; i < run.volsers.count && run.PageOf(i) == page; ++i)
    painter.Draw(run.sheet.labels[static_cast<std::size_t>(run.PlaceOf(i))], run.volsers.At(i), run.mediaId);
}

void TLtoLabelRun::DrawPage(TSurface& surface, int page) const {
  if (page == 0 || !bars_) {
    // The printer's resolution is known only now.
    const int dpiX = surface.DpiX() > 0 ? surface.DpiX() : ScreenDpiX();
    const int dpiY = surface.DpiY() > 0 ? surface.DpiY() : ScreenDpiY();
    TLtoBarPlan plan = PlanLtoBars(run_.layout, dpiX, dpiY, run_.sheet.labels);
    if (!plan.bars) throw ELtoRefused(plan.refusal);
    bars_ = plan.bars;
  }
  DrawLtoPage(run_, page, *bars_, surface);
}

std::string TLtoLabelRun::Describe() const {
  const int pages = Pages();
  const int count = run_.volsers.count;
  return std::to_string(count) + (count == 1 ? " label" : " labels") + " on " + std::to_string(pages) +
         (pages == 1 ? " page" : " pages") + " from " + run_.volsers.First() + run_.mediaId + " to " +
         run_.volsers.Last() + run_.mediaId;
}

void DrawLtoJob(const TLtoRun& run, TPrintJob& job) {
  const TLtoLabelRun labels(run);
  DrawPages(job, labels.Pages(), [&](TSurface& surface, int page) { labels.DrawPage(surface, page); });
}

TSheetResult PrintLtoRun(const TLtoRun& run, TPrintJob& job) {
  if (auto problem = LtoRunProblem(run)) throw ELtoRefused(*problem);
  if (!job.ShowDialog()) return TSheetResult::Cancelled;
  job.SetPortrait();
  job.SetTitle(kJobTitle);
  job.SetCopies(1);
  DrawLtoJob(run, job);
  return TSheetResult::Printed;
}

TPageSerials LtoPageSerials(const TLtoRun& run) {
  TPageSerials pages(static_cast<std::size_t>(std::max(0, run.Pages())));
  for (int i = 0; i < run.volsers.count;) {
    const int page = run.PageOf(i);
    int j = i;
    while (j + 1 < run.volsers.count && run.PageOf(j + 1) == page) ++j;
    journal::TSerialRange r{run.volsers.prefix, run.volsers.digits, run.volsers.first + i, run.volsers.first + j};
    pages[static_cast<std::size_t>(page)].push_back(r);
    i = j + 1;
  }
  return pages;
}

}  // namespace vantor
