#include "surface/RecordingSurface.h"

#include <cstdio>
#include <ostream>

#include "surface/Units.h"

namespace vantor {

TRecordedOp TRecordingSurface::Snapshot(TOpKind kind) const {
  TRecordedOp op;
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
  TRecordedOp op = Snapshot(TOpKind::Rectangle);
  op.P1 = {x1, y1};
  op.P2 = {x2, y2};
  ops_.push_back(std::move(op));
}

void TRecordingSurface::FillRect(int x1, int y1, int x2, int y2) {
  TRecordedOp op = Snapshot(TOpKind::FillRect);
  op.P1 = {x1, y1};
  op.P2 = {x2, y2};
  ops_.push_back(std::move(op));
}

void TRecordingSurface::Polygon(const std::vector<TPoint>& points) {
  TRecordedOp op = Snapshot(TOpKind::Polygon);
  op.Points = points;
  ops_.push_back(std::move(op));
}

void TRecordingSurface::TextOut(int x, int y, std::string_view text) {
  TRecordedOp op = Snapshot(TOpKind::TextOut);
  op.P1 = {x, y};
  op.Text = std::string(text);
  ops_.push_back(std::move(op));
}

int TRecordingSurface::CellHeight(const TFontSpec& f, int dpiY) {
  if (f.Height > 0) return f.Height;
  const int c = RoundEven(f.PointSize * dpiY * 1.15 / 72);
  return c < 1 ? 1 : c;
}

int TRecordingSurface::TextWidth(std::string_view text) {
  const int c = CellHeight(Font(), dpiY_ ? dpiY_ : ScreenDpiY());
  return static_cast<int>(text.size()) * ((c + 1) / 2);
}

int TRecordingSurface::TextHeight(std::string_view) { return CellHeight(Font(), dpiY_ ? dpiY_ : ScreenDpiY()); }

std::vector<TRecordedOp> TRecordingSurface::OpsOf(TOpKind kind) const {
  std::vector<TRecordedOp> out;
  for (const TRecordedOp& op : ops_)
    if (op.Kind == kind) out.push_back(op);
  return out;
}

namespace {

std::string Hex(TColor c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(RgbFromColor(c) & 0xFFFFFF));
  return buf;
}

const char* ModeName(TMapMode m) {
  switch (m) {
    case TMapMode::Pixels: return "pixels";
    case TMapMode::LoMetric: return "lometric";
    case TMapMode::HiMetric: return "himetric";
    default: return "other";
  }
}

}  // namespace

void TRecordingSurface::WriteTrace(std::ostream& out) const {
  for (const TRecordedOp& op : ops_) {
    switch (op.Kind) {
      case TOpKind::FillRect:
      case TOpKind::Rectangle:
        out << (op.Kind == TOpKind::FillRect ? "FillRect " : "Rectangle ") << op.P1.x << ',' << op.P1.y << ' '
            << op.P2.x << ',' << op.P2.y
            << " brush=" << (op.BrushStyle == TBrushStyle::Clear ? std::string("clear") : Hex(op.BrushColor));
        if (op.Kind == TOpKind::Rectangle) out << " pen=" << op.PenWidth;
        break;
      case TOpKind::Polygon:
        out << "Polygon";
        for (const TPoint& p : op.Points) out << ' ' << p.x << ',' << p.y;
        out << " brush=" << (op.BrushStyle == TBrushStyle::Clear ? std::string("clear") : Hex(op.BrushColor))
            << " pen=" << op.PenWidth;
        break;
      case TOpKind::TextOut:
        out << "TextOut " << op.P1.x << ',' << op.P1.y << " \"" << op.Text << "\" font=\"" << op.Font.Face
            << "\" h=" << op.Font.Height;
        if (op.Font.Height <= 0) out << " pt=" << op.Font.PointSize;
        out << " esc=" << op.Font.Escapement << (op.Font.Bold ? " bold" : "") << " color=" << Hex(op.Font.Color)
            << " align=" << (op.Align == TTextAlign::TopCenter ? "top-center" : "top-left")
            << " bk=" << (op.BkMode == TBkMode::Transparent ? std::string("transparent") : Hex(op.BkColor));
        break;
    }
    if (op.Origin.x != 0 || op.Origin.y != 0) out << " origin=" << op.Origin.x << ',' << op.Origin.y;
    if (op.MapMode != TMapMode::Pixels) out << " map=" << ModeName(op.MapMode);
    out << '\n';
  }
}

}  // namespace vantor
