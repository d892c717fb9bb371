#include "printing/PrintTrace.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace vantor {

namespace {

std::string Rgb(TColor c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", RgbFromColor(c) & 0xFFFFFFu);
  return buf;
}

// Logical coordinates are paper coordinates: the layouts move the origin by the
// printing offset, so a position means the same dot whatever the printer.
void WriteOp(std::ostream& out, const TRecordedOp& op) {
  switch (op.Kind) {
    case TOpKind::Rectangle:
      out << "rect " << op.P1.x << ' ' << op.P1.y << ' ' << op.P2.x << ' ' << op.P2.y << " pen=" << op.PenWidth
          << " brush=" << (op.BrushStyle == TBrushStyle::Clear ? std::string("none") : Rgb(op.BrushColor)) << '\n';
      break;
    case TOpKind::FillRect:
      out << "fill " << op.P1.x << ' ' << op.P1.y << ' ' << op.P2.x << ' ' << op.P2.y << ' ' << Rgb(op.BrushColor)
          << '\n';
      break;
    case TOpKind::Polygon:
      out << "poly";
      for (const TPoint& p : op.Points) out << ' ' << p.x << ' ' << p.y;
      out << " brush=" << (op.BrushStyle == TBrushStyle::Clear ? std::string("none") : Rgb(op.BrushColor)) << '\n';
      break;
    case TOpKind::TextOut:
      out << "text " << op.P1.x << ' ' << op.P1.y << ' ' << QuoteTraceText(op.Text)
          << " font=" << QuoteTraceText(op.Font.Face) << " size="
          << (op.Font.Height > 0 ? std::to_string(op.Font.Height) + "px" : std::to_string(op.Font.PointSize) + "pt")
          << " bold=" << (op.Font.Bold ? 1 : 0) << " angle=" << op.Font.Escapement << " color=" << Rgb(op.Font.Color)
          << " bg=" << (op.BkMode == TBkMode::Opaque ? Rgb(op.BkColor) : std::string("none"))
          << " align=" << (op.Align == TTextAlign::TopCenter ? "center" : "left") << '\n';
      break;
  }
}

}  // namespace

std::string QuoteTraceText(std::string_view text) {
  std::string s = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') s += '\\';
    s += c;
  }
  s += '"';
  return s;
}

void WritePrintTrace(std::ostream& out, int pageNumber, const std::vector<TRecordedOp>& ops) {
  out << "page " << pageNumber << '\n';
  for (const TRecordedOp& op : ops) WriteOp(out, op);
}

}  // namespace vantor
