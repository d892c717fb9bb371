#include "surface/RecordingSurface.h"

#include "surface/Units.h"

namespace vantor {

// Each operation is built in place at the end of the list: a barcode records
// one operation a bar, so a copy per operation is measurable.
TRecordedOp& TRecordingSurface::Snapshot(TOpKind kind) {
  TRecordedOp& op = ops_.emplace_back();
  op.Kind = kind;
  op.Font = Font();
  op.Align = TextAlign();
  op.BrushColor = BrushColor();
  op.BrushStyle = BrushStyle();
  op.PenWidth = PenWidth();
  op.BkColor = BkColor();
  op.BkMode = BkMode();
  op.Origin = Origin();
  op.MapMode = MapMode();
  return op;
}

void TRecordingSurface::Rectangle(int x1, int y1, int x2, int y2) {
  TRecordedOp& op = Snapshot(TOpKind::Rectangle);
  op.P1 = {x1, y1};
  op.P2 = {x2, y2};
}

void TRecordingSurface::FillRect(int x1, int y1, int x2, int y2) {
  TRecordedOp& op = Snapshot(TOpKind::FillRect);
  op.P1 = {x1, y1};
  op.P2 = {x2, y2};
}

void TRecordingSurface::Polygon(const std::vector<TPoint>& points) { Snapshot(TOpKind::Polygon).Points = points; }

void TRecordingSurface::TextOut(int x, int y, std::string_view text) {
  TRecordedOp& op = Snapshot(TOpKind::TextOut);
  op.P1 = {x, y};
  op.Text = std::string(text);
}

int TRecordingSurface::CellHeight(const TFontSpec& f, int dpiY) {
  if (f.Height > 0) return f.Height;
  const int c = RoundEven(f.PointSize * dpiY * 1.15 / 72);
  return c < 1 ? 1 : c;
}

int TRecordingSurface::TextWidth(std::string_view text) {
  const int c = CellHeight(Font(), dpiY_ ? dpiY_ : ScreenDpiY());
  int characters = 0;
  for (const char b : text) characters += (static_cast<unsigned char>(b) & 0xC0) != 0x80;  // not a continuation byte
  return characters * ((c + 1) / 2);
}

int TRecordingSurface::TextHeight(std::string_view) { return CellHeight(Font(), dpiY_ ? dpiY_ : ScreenDpiY()); }

std::vector<TRecordedOp> TRecordingSurface::OpsOf(TOpKind kind) const {
  std::vector<TRecordedOp> out;
  for (const TRecordedOp& op : ops_)
    if (op.Kind == kind) out.push_back(op);
  return out;
}

}  // namespace vantor
