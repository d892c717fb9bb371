#include "dlt/DltRun.h"

#include "dlt/DltJournal.h"
#include "dlt/SheetLayouts.h"
#include "dlt/SheetPainter.h"

namespace vantor {

TDltLabelRun::TDltLabelRun(const THeadlessChoice& look, const TColorTable& colors, const TSheetOptions& options)
    : look_(look), colors_(colors), options_(options) {
  if (options_.sheets < 1) options_.sheets = 1;
}

int TDltLabelRun::Pages() const { return options_.sheets; }

int TDltLabelRun::LabelsOnPage(int page) const {
  return EndLabelOnPage(page, options_.startLabel, options_.labels, kLabelsPerSheet) -
         FirstLabelOnPage(page, options_.startLabel);
}

int TDltLabelRun::Labels() const {
  int labels = 0;
  for (int page = 0; page < Pages(); ++page) labels += std::max(0, LabelsOnPage(page));
  return labels;
}

std::unique_ptr<THeadlessHost> TDltLabelRun::Fresh() const {
  auto host = std::make_unique<THeadlessHost>(look_);
  for (std::size_t digit = 0; digit < 10; ++digit) host->State().Colors[digit] = colors_[digit];
  host->RefreshPreview();
  return host;
}

void TDltLabelRun::Advance(THeadlessHost& host, int labels) {
  for (int i = 0; i < labels; ++i) {
    host.NextSequence();
    host.RefreshPreview();
  }
}

std::string TDltLabelRun::SerialOf(int label) const {
  const std::unique_ptr<THeadlessHost> host = Fresh();
  Advance(*host, label);
  return host->State().Serial();
}

std::string TDltLabelRun::NextSerial() const { return SerialOf(Labels()); }

void TDltLabelRun::DrawPage(TSurface& surface, int page) const {
  if (page == 0) {
    // The printer's resolution is known only now.
    const int dpiX = surface.DpiX() > 0 ? surface.DpiX() : ScreenDpiX();
    const int dpiY = surface.DpiY() > 0 ? surface.DpiY() : ScreenDpiY();
    if (auto refusal = SheetResolutionRefusal(dpiX, dpiY)) throw ESheetRefused(*refusal);
  }
  if (!cursor_ || cursorPage_ != page) {
    cursor_ = Fresh();
    for (int before = 0; before < page; ++before) Advance(*cursor_, std::max(0, LabelsOnPage(before)));
  }
  const int first = FirstLabelOnPage(page, options_.startLabel);
  const int end = EndLabelOnPage(page, options_.startLabel, options_.labels, kLabelsPerSheet);
  const TSheetLayoutSpec& spec = LayoutSpec(LayoutFor(look_.mediaMode, cursor_->Rotated()));
  cursorPage_ = -1;  // a failure part-way leaves the host mid-page
  TSheetPainter painter(*cursor_, surface, options_);
  painter.FramePass(spec, first, end);
  painter.ContentPass(spec, first, end);
  cursorPage_ = page + 1;
}

std::string TDltLabelRun::Media() const { return DltMediaName(look_.mediaMode); }

TPageSerials TDltLabelRun::PageSerials() const {
  return DltPageSerials(look_.serial, options_).value_or(TPageSerials{});
}

std::string TDltLabelRun::Describe() const {
  return std::to_string(options_.sheets) + (options_.sheets == 1 ? " sheet" : " sheets") + " from " + look_.serial;
}

std::unique_ptr<TDltLabelRun> DltReprintRun(THeadlessChoice look, const TColorTable& colors, int count, int start) {
  TSheetOptions options;
  options.startLabel = start;
  options.labels = count;
  const std::optional<TPageSerials> serials = DltPageSerials(look.serial, options);
  if (!serials) return nullptr;
  options.sheets = static_cast<int>(serials->size());
  {
    // The serial as the window's field takes it: a media kind's prefix forced.
    THeadlessHost probe(look);
    probe.State().CheckSequence();
    look.serial = probe.State().Serial();
  }
  return std::make_unique<TDltLabelRun>(look, colors, options);
}

}  // namespace vantor
