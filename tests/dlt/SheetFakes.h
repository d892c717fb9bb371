// What the DLT tests share: a run drawn the way the print path draws it (the
// pages of a TDltLabelRun on the fake print job), ways to read labels back
// off a drawn page, and a sheet host of the tests for the painter alone.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "barcode/DotBars.h"
#include "dlt/DltRun.h"
#include "dlt/HeadlessHost.h"
#include "dlt/LabelState.h"
#include "dlt/Sheet.h"
#include "dlt/SheetPainter.h"
#include "printing/PrintJournalled.h"
#include "support/FakePrintJob.h"
#include "surface/RecordingSurface.h"

namespace vantor::test {

using FakeJob = TFakePrintJob;

inline THeadlessChoice Choice(TMediaMode mode, const std::string& serial, bool rotated = false, bool colored = true) {
  THeadlessChoice c;
  c.mediaMode = mode;
  c.serial = serial;
  c.rotated = rotated;
  c.colored = colored;
  return c;
}

// The digit colours a run gets when nobody changed them.
inline TColorTable DefaultColors(const THeadlessChoice& look) { return THeadlessHost(look).State().Colors; }

// A run and the job its pages were drawn on, as the print path draws them.
struct TDrawnRun {
  TDltLabelRun run;
  FakeJob job;
  explicit TDrawnRun(const THeadlessChoice& look, const TSheetOptions& options = {}, int dpi = 300)
      : TDrawnRun(look, DefaultColors(look), options, dpi) {}
  TDrawnRun(const THeadlessChoice& look, const TColorTable& colors, const TSheetOptions& options = {}, int dpi = 300)
      : run(look, colors, options), job(dpi) {
    DrawRun(run, job);
  }
  const std::vector<TRecordedOp>& Page(std::size_t n = 0) const { return job.pages.at(n); }
};

inline std::vector<TRecordedOp> OfKind(const std::vector<TRecordedOp>& ops, TOpKind kind) {
  std::vector<TRecordedOp> out;
  for (const TRecordedOp& op : ops)
    if (op.Kind == kind) out.push_back(op);
  return out;
}

// A label's bar: a black fill taller than wide. A cell's fill is wider than tall.
inline bool IsBar(const TRecordedOp& op) {
  return op.Kind == TOpKind::FillRect && op.BrushColor == 0x000000 && op.Right() - op.Left() < op.Bottom() - op.Top();
}
inline std::vector<TRecordedOp> CellFills(const std::vector<TRecordedOp>& ops) {
  std::vector<TRecordedOp> out;
  for (const TRecordedOp& op : ops)
    if (op.Kind == TOpKind::FillRect && op.Right() - op.Left() > op.Bottom() - op.Top()) out.push_back(op);
  return out;
}
inline std::vector<TRecordedOp> Bars(const std::vector<TRecordedOp>& ops) {
  std::vector<TRecordedOp> out;
  for (const TRecordedOp& op : ops)
    if (IsBar(op)) out.push_back(op);
  return out;
}

struct TBox {
  int left, top, right, bottom;  // right and bottom exclusive
  bool Holds(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// The 30 label rectangles, row by row, as the outlines of a full sheet draw
// them (every layout puts its labels on the same grid).
inline std::vector<TBox> LabelBoxes(int dpi) {
  TSheetOptions options;
  options.outlines = true;
  const TDrawnRun outlined(Choice(TMediaMode::BreeceHill, ""), options, dpi);  // outlines alone, no cells
  std::vector<TBox> boxes;
  for (const TRecordedOp& op : OfKind(outlined.Page(), TOpKind::Rectangle))
    boxes.push_back({op.Left(), op.Top(), op.Right(), op.Bottom()});
  return boxes;
}

// The bars inside `box`, left to right.
inline std::vector<TRecordedOp> BarsIn(const std::vector<TRecordedOp>& ops, const TBox& box) {
  std::vector<TRecordedOp> bars;
  for (const TRecordedOp& op : ops)
    if (IsBar(op) && box.Holds({op.Left(), op.Top()})) bars.push_back(op);
  std::sort(bars.begin(), bars.end(), [](const auto& a, const auto& b) { return a.Left() < b.Left(); });
  return bars;
}

// The widths across bars in order: bar, space, bar, ...
inline std::vector<int> BarAndSpaceWidths(const std::vector<TRecordedOp>& bars) {
  std::vector<int> widths;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    if (i > 0) widths.push_back(bars[i].Left() - bars[i - 1].Right());
    widths.push_back(bars[i].Right() - bars[i].Left());
  }
  return widths;
}

// The Code 39 symbol of `text` across, element by element (true: wide),
// with a narrow gap between characters; read right to left when turned.
inline std::vector<bool> Code39Pattern(const std::string& text, bool turned) {
  std::vector<bool> elements = Code39Elements(text);
  if (turned) std::reverse(elements.begin(), elements.end());
  std::vector<bool> pattern;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0 && i % 9 == 0) pattern.push_back(false);
    pattern.push_back(elements[i]);
  }
  return pattern;
}

// Whether the bars of `box` are the Code 39 symbol of `text`: every bar and
// space, wide or narrow, in order.
inline bool BarsSpell(const std::vector<TRecordedOp>& ops, const TBox& box, const std::string& text, bool turned) {
  const std::vector<TRecordedOp> bars = BarsIn(ops, box);
  if (bars.empty()) return false;
  const std::vector<int> widths = BarAndSpaceWidths(bars);
  const int narrow = *std::min_element(widths.begin(), widths.end());
  const int wide = *std::max_element(widths.begin(), widths.end());
  std::vector<bool> drawn;
  for (const int w : widths) drawn.push_back(2 * w > narrow + wide);
  return drawn == Code39Pattern(text, turned);
}

// Whether the run's host turns the symbol ("Rotate barcode").
inline bool Turned(const THeadlessChoice& look) {
  THeadlessHost host(look);
  return host.Barcode().Params.Rotation == rotate_180;
}

// The six characters the `label`th drawn label of a page (of `drawn`) shows,
// for layouts that draw them left to right first (upright StorageTek,
// Standard, Other).
inline std::string Characters(const std::vector<TRecordedOp>& ops, std::size_t label,
                              std::size_t drawn = kLabelsPerSheet) {
  const std::vector<TRecordedOp> texts = OfKind(ops, TOpKind::TextOut);
  const std::size_t perLabel = (texts.size() - 2) / drawn;  // the closing lines are the last two
  std::string serial;
  for (std::size_t i = 0; i < 6; ++i) serial += texts.at(label * perLabel + i).Text;
  return serial;
}

// The barcode text (serial and suffix) of each of `labels` labels from `look.serial`.
inline std::vector<std::string> BarcodeTexts(const THeadlessChoice& look, int labels) {
  THeadlessHost host(look);
  std::vector<std::string> texts;
  for (int i = 0; i < labels; ++i) {
    texts.push_back(host.State().BarcodeText());
    host.NextSequence();
    host.RefreshPreview();
  }
  return texts;
}

// A sheet host of the tests, for the painter alone: it notes where and with
// which text the painter asks for each barcode instead of drawing it.
class FakeHost : public TSheetHost {
 public:
  TLabelState state;
  bool colored = true;
  std::vector<TPoint> barcodePoints;
  std::vector<std::string> barcodeTexts;  // the text each barcode was drawn with

  FakeHost() {
    state.SetSerialHook([this](const std::string& s) {
      // The window's change handling: a six-character serial rebuilds the barcode text.
      if (s.size() == 6) state.SetBarcodeText(state.ComposeBarcodeText());
    });
  }
  void Start(TMediaMode mode, const std::string& serial) {
    state.SetMediaMode(mode);
    state.SetSerial(serial);
    state.SetBarcodeText(state.ComposeBarcodeText());
  }

  std::string SerialText() const override { return state.Serial(); }
  void SetSerialText(const std::string& t) override { state.SetSerial(t); }
  std::string BarcodeText() const override { return state.BarcodeText(); }
  void SetBarcodeText(const std::string& t) override { state.SetBarcodeText(t); }
  bool ColoredSequence() const override { return colored; }
  TColor DigitColor(int d) const override { return state.Colors[static_cast<std::size_t>(d)]; }
  void NextSequence() override { state.NextSequence(); }
  void RefreshPreview() override {}
  void DrawBarcode(TSurface&, int x, int y) override {
    barcodePoints.push_back({x, y});
    barcodeTexts.push_back(state.BarcodeText());
  }
};

// Where the painter puts each barcode of a full sheet of `layout` (the
// point the run's host draws the symbol at).
inline std::vector<TPoint> BarcodePoints(TSheetLayout layout, TMediaMode mode, int dpi = 300,
                                         const TSheetOptions& options = {}) {
  FakeHost host;
  host.Start(mode, "000000");
  TRecordingSurface page(dpi, dpi);
  TSheetPainter painter(host, page, options);
  painter.FramePass(LayoutSpec(layout));
  painter.ContentPass(LayoutSpec(layout));
  return host.barcodePoints;
}

}  // namespace vantor::test
