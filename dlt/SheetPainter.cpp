#include "dlt/SheetPainter.h"

#include <algorithm>

#include "surface/RecordingSurface.h"

namespace vantor {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char CharAt(const std::string& s, std::size_t i) { return i < s.size() ? s[i] : ' '; }
constexpr int kPen = 2;  // dots
}  // namespace

void TSheetPainter::PageSetUp() {
  const int dpiX = page_.DpiX() > 0 ? page_.DpiX() : ScreenDpiX();
  const int dpiY = page_.DpiY() > 0 ? page_.DpiY() : ScreenDpiY();
  d_ = TDots::FromDpi(dpiX, dpiY);
  const TPoint offset = page_.PrintingOffset();
  page_.SetOrigin({-offset.x, -offset.y});
  page_.SetTextAlign(TTextAlign::TopLeft);
}

void TSheetPainter::DrawBarcode(int x, int y) {
  const int dpiX = page_.DpiX() > 0 ? page_.DpiX() : ScreenDpiX();
  const int dpiY = page_.DpiY() > 0 ? page_.DpiY() : ScreenDpiY();
  if (dpiX >= kWholeDotBarsBelowDpi) {
    host_.DrawBarcode(page_, x, y);
    return;
  }
  // The control's own drawing, kept aside, gives the footprint and the
  // direction; the same symbol goes into it on whole dots.
  TRecordingSurface scratch(dpiX, dpiY);
  scratch.SetOrigin(page_.Origin());
  scratch.SetMapMode(page_.MapMode());
  host_.DrawBarcode(scratch, x, y);
  const std::vector<TRecordedOp>& bars = scratch.Ops();
  const std::vector<bool> elements = Code39Elements(host_.BarcodeText());
  const int chars = static_cast<int>(elements.size() / 9);
  // Five upright bars a character and nothing else (the labels' symbol has no
  // text line): anything else is not the symbol this redraws, and goes on the
  // page as the control drew it.
  const bool onlyBars = std::all_of(bars.begin(), bars.end(), [](const TRecordedOp& b) {
    return b.Kind == TOpKind::FillRect && b.Right() - b.Left() < b.Bottom() - b.Top();
  });
  if (bars.empty()) return;  // the host drew nothing
  if (static_cast<int>(bars.size()) != 5 * chars || !onlyBars) {
    host_.DrawBarcode(page_, x, y);
    return;
  }
  int left = bars.front().Left(), right = bars.front().Right();
  for (const TRecordedOp& b : bars) {
    left = std::min(left, b.Left());
    right = std::max(right, b.Right());
  }
  const std::optional<TDotBars> snapped = SnapCode39Bars(kWholeDotBarRule, dpiX, chars, right - left);
  if (!snapped)
    throw ESheetRefused(
        "At " + std::to_string(dpiX) +
        " dpi the labels' barcodes cannot be printed: the symbol does not fit its place in whole dots.");
  // The control draws bars in symbol order: right to left when it turns the symbol.
  std::vector<bool> ordered = elements;
  if (bars.front().Left() > bars.back().Left()) std::reverse(ordered.begin(), ordered.end());
  const int at = left + (right - left - snapped->Code39Width(chars)) / 2;
  FillCode39Bars(page_, ordered, *snapped, at, bars.front().Top(), bars.front().Bottom());
}

void TSheetPainter::SetFill(TColor c) {
  page_.SetBrushStyle(TBrushStyle::Solid);
  page_.SetBrushColor(c);
  page_.SetBkColor(c);
  page_.SetBkMode(TBkMode::Opaque);
}

// Text in black in every layout, the rotated ones too, so the first sheet of a
// run looks like every later one.
void TSheetPainter::SetTextFont(const TTextFont& font) {
  TFontSpec f;
  f.Face = "Arial";
  f.Height = 0;
  f.PointSize = font.points;
  f.Bold = font.bold;
  f.Color = kBlack;
  page_.SetFont(f);
}

TColor TSheetPainter::CellColor(char c) const {
  return host_.ColoredSequence() && IsDigit(c) ? host_.DigitColor(c - '0') : kWhite;
}

// A turned character (2700: top facing right, running downwards from the
// point) gets its turned font for this one character only.
void TSheetPainter::TextAt(int x, int y, char c, int escapement) {
  if (escapement == 0) {
    page_.TextOut(x, y, std::string(1, c));
    return;
  }
  const TFontSpec previous = page_.Font();
  TFontSpec turned = previous;
  turned.Escapement = escapement;
  page_.SetFont(turned);
  page_.TextOut(x, y, std::string(1, c));
  page_.SetFont(previous);
}

void TSheetPainter::FramePass(const TSheetLayoutSpec& layout, int firstLabel, int endLabel) {
  const TLabelGrid& g = layout.grid;
  const TLabelContent& label = layout.label;
  const bool cells = label.frame != TFramePass::Outlines;
  const std::string remembered = host_.BarcodeText();
  PageSetUp();
  page_.SetPenWidth(kPen);
  SetFill(kWhite);

  int top = d_.Y(g.top);
  for (int row = 0; row < g.rows; ++row) {
    const int bottom = d_.StepY(top, g.height);
    int left = d_.X(g.left);
    for (int col = 0; col < g.columns; ++col) {
      const int index = row * g.columns + col;
      const bool blank = index < firstLabel || index >= endLabel;
      if (options_.outlines && !blank) page_.Rectangle(left, top, d_.StepX(left, g.width), bottom);
      if (cells && !blank) {
        const int cellLeft = col == 0 ? d_.X(g.left + label.cells.x) : d_.StepX(left, label.cells.x);
        const int cellTop = row == 0 ? d_.Y(g.top + label.cells.y) : d_.StepY(top, label.cells.y);
        DrawCells(label, cellLeft, cellTop, host_.BarcodeText());
        host_.NextSequence();
      }
      left = d_.StepX(left, g.pitchX);
    }
    top = d_.StepY(top, g.pitchY);
  }
  if (!cells) return;
  // Back to the sheet's first serial: the content pass walks the same labels.
  host_.SetBarcodeText(remembered);
  host_.SetSerialText(remembered.substr(0, 6));
}

void TSheetPainter::DrawCells(const TLabelContent& label, int left, int top, const std::string& text) {
  const TCells& c = label.cells;
  const bool reversed = label.frame == TFramePass::CellsReversed;
  const int bottom = d_.StepY(top, c.height);
  int l = left;
  for (int k = 0; k < c.count; ++k) {
    const int r = d_.StepX(l, c.width);
    const char ch = CharAt(text, static_cast<std::size_t>(reversed ? c.count - 1 - k : k));
    if (host_.ColoredSequence() && IsDigit(ch)) {
      page_.Rectangle(l, top, r, bottom);
      SetFill(CellColor(ch));
      page_.FillRect(l + kPen, top + kPen, r - kPen, bottom - kPen);
      SetFill(kWhite);
    } else {
      SetFill(kWhite);
      page_.Rectangle(l, top, r, bottom);
    }
    l = d_.StepX(l, c.pitch);
  }
}

void TSheetPainter::ContentPass(const TSheetLayoutSpec& layout, int firstLabel, int endLabel) {
  const TLabelGrid& g = layout.grid;
  const TLabelContent& label = layout.label;
  const TCharacters& chars = label.characters;
  PageSetUp();
  if (label.barcode.startFromSerial) host_.SetBarcodeText(host_.SerialText());

  TLength run;  // from a label's first drawn character to its last
  for (const TLength step : chars.steps) run += step;
  const TLength toNextLabel = g.pitchX + chars.drift - run;

  int y = d_.Y(g.top + chars.y);
  int by = d_.Y(g.top + label.barcode.y);
  for (int row = 0; row < g.rows; ++row) {
    int x = d_.X(g.left + chars.x + (row > 0 ? chars.laterRowsShift : TLength()));
    int bx = d_.X(g.left + label.barcode.x);
    for (int col = 0; col < g.columns; ++col) {
      const int index = row * g.columns + col;
      if (index < firstLabel || index >= endLabel) {
        // A used label (or one the job leaves out): the characters' run still steps across it.
        int last = x;
        for (const TLength step : chars.steps) last = d_.StepX(last, step);
        x = d_.StepX(last, toNextLabel);
        bx = d_.StepX(bx, g.pitchX);
        continue;
      }
      DrawBarcode(bx, by);
      SetTextFont(chars.font);
      SetFill(kWhite);
      const int last = DrawCharacters(label, x, y, col, host_.BarcodeText());
      host_.NextSequence();
      host_.RefreshPreview();
      x = d_.StepX(last, toNextLabel);
      bx = d_.StepX(bx, g.pitchX);
    }
    y = d_.StepY(y, g.pitchY);
    by = d_.StepY(by, g.pitchY);
  }
  ClosingLines(layout);
}

int TSheetPainter::DrawCharacters(const TLabelContent& label, int x, int y, int column, const std::string& text) {
  const TCharacters& chars = label.characters;
  const TSuffix& suffix = label.suffix;
  const std::size_t count = chars.order.size();
  for (std::size_t i = 0; i < count; ++i) {
    const char c = CharAt(text, static_cast<std::size_t>(chars.order[i]));
    if (chars.cellColors) SetFill(CellColor(c));
    TextAt(x, y, c, chars.escapement);
    if (suffix.shown && static_cast<int>(i) == suffix.after && text.size() > count) {
      SetTextFont(suffix.font);  // on the fill that character left
      const int nudge = column == suffix.nudgeColumn ? suffix.nudgeDots : 0;
      TextAt(d_.StepX(x, suffix.dx) + nudge, d_.StepY(y, suffix.dy), text[count], chars.escapement);
      if (i + 1 < count) SetTextFont(chars.font);
    }
    if (i + 1 < count) x = d_.StepX(x, chars.steps[i]);
  }
  return x;
}

void TSheetPainter::ClosingLines(const TSheetLayoutSpec& layout) {
  const TClosingLines& lines = layout.closing;
  SetTextFont(lines.font);
  SetFill(kWhite);
  const int drop = d_.Y(lines.drop);  // why a length: see kClosingLines
  page_.TextOut(d_.X(lines.creditX), d_.Y(lines.creditY) + drop, layout.credit);
  page_.TextOut(d_.X(lines.nameX), d_.Y(lines.nameY) + drop, layout.name);
}

}  // namespace vantor
