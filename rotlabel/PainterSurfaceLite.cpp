#include "rotlabel/PainterSurfaceLite.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vantor {

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TColor FromQColor(const QColor& c) {
  return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
         (static_cast<TColor>(c.blue()) << 16);
}

namespace {
int LineHeight(const QFont& f, const QPaintDevice* device) {
  return QFontMetrics(f, device).height();
}
}  // namespace

TFontSpec FontSpecFromQFont(const QFont& font, TColor color, const QPaintDevice* device) {
  TFontSpec spec;
  spec.Face = font.family().toStdString();
  spec.Bold = font.bold();
  spec.Color = color;
  if (font.pixelSize() > 0) {
    spec.Height = LineHeight(font, device);
  } else {
    spec.Height = 0;
    spec.PointSize = std::max(1, static_cast<int>(std::lround(font.pointSizeF())));
  }
  return spec;
}

QFont QFontFromSpec(const TFontSpec& spec, const QPaintDevice* device) {
  QFont f(QString::fromStdString(spec.Face));
  f.setBold(spec.Bold);
  if (spec.Height > 0) {
    // Line height grows with the pixel size by a face-dependent factor; scale
    // once by the measured factor and settle on the closest neighbour.
    f.setPixelSize(spec.Height);
    const int measured = std::max(1, LineHeight(f, device));
    const int guess = std::max(1, static_cast<int>(std::lround(
                                      static_cast<double>(spec.Height) * spec.Height / measured)));
    int best = guess;
    int bestError = -1;
    for (int px = std::max(1, guess - 1); px <= guess + 1; ++px) {
      f.setPixelSize(px);
      const int error = std::abs(LineHeight(f, device) - spec.Height);
      if (bestError < 0 || error < bestError) {
        best = px;
        bestError = error;
      }
    }
    f.setPixelSize(best);
  } else {
    f.setPointSize(std::max(1, spec.PointSize));
  }
  return f;
}

TPainterSurfaceLite::TPainterSurfaceLite(QPainter& painter) : painter_(painter) {
  if (const QPaintDevice* d = painter.device()) {
    dpiX_ = d->logicalDpiX();
    dpiY_ = d->logicalDpiY();
  }
  qfont_ = QFontFromSpec(font_, painter_.device());
}

void TPainterSurfaceLite::SetFont(const TFontSpec& f) {
  // Only colour and escapement differ between the passes of one label.
  TFontSpec shape = f;
  TFontSpec current = font_;
  shape.Color = current.Color = 0;
  shape.Escapement = current.Escapement = 0;
  if (!(shape == current)) qfont_ = QFontFromSpec(f, painter_.device());
  font_ = f;
}

void TPainterSurfaceLite::ApplyPenAndBrush() {
  QPen pen(Qt::black);
  pen.setWidth(std::max(1, penWidth_));
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
  if (brushStyle_ == TBrushStyle::Solid)
    painter_.setBrush(ToQColor(brushColor_));
  else
    painter_.setBrush(Qt::NoBrush);
}

void TPainterSurfaceLite::Rectangle(int x1, int y1, int x2, int y2) {
  ApplyPenAndBrush();
  // The outline covers x1..x2-1 and y1..y2-1, as fill rectangles do.
  painter_.drawRect(QRect(QPoint(std::min(x1, x2) + origin_.x, std::min(y1, y2) + origin_.y),
                          QPoint(std::max(x1, x2) - 1 + origin_.x, std::max(y1, y2) - 1 + origin_.y)));
}

void TPainterSurfaceLite::FillRect(int x1, int y1, int x2, int y2) {
  const QRect r(std::min(x1, x2) + origin_.x, std::min(y1, y2) + origin_.y, std::abs(x2 - x1),
                std::abs(y2 - y1));
  painter_.fillRect(r, ToQColor(brushColor_));
}

void TPainterSurfaceLite::Polygon(const std::vector<TPoint>& points) {
  QPolygon poly;
  poly.reserve(static_cast<int>(points.size()));
  for (const TPoint& p : points) poly << QPoint(p.x + origin_.x, p.y + origin_.y);
  ApplyPenAndBrush();
  painter_.drawPolygon(poly);
}

void TPainterSurfaceLite::TextOut(int x, int y, std::string_view text) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetrics fm(qfont_, painter_.device());
  const int w = fm.horizontalAdvance(s);
  const int left = align_ == TTextAlign::TopCenter ? -w / 2 : 0;
  painter_.save();
  painter_.setFont(qfont_);
  painter_.translate(x + origin_.x, y + origin_.y);
  // Escapement is counter-clockwise on a y-down device: a negative Qt turn.
  painter_.rotate(-font_.Escapement / 10.0);
  if (bkMode_ == TBkMode::Opaque) painter_.fillRect(QRect(left, 0, w, fm.height()), ToQColor(bkColor_));
  painter_.setPen(ToQColor(font_.Color));
  painter_.drawText(QPoint(left, fm.ascent()), s);
  painter_.restore();
}

int TPainterSurfaceLite::TextWidth(std::string_view text) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return QFontMetrics(qfont_, painter_.device()).horizontalAdvance(s);
}

int TPainterSurfaceLite::TextHeight(std::string_view) {
  return QFontMetrics(qfont_, painter_.device()).height();
}

}  // namespace vantor
