#include "qt/QtSurface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

#include "qt/QtColor.h"
#include "qt/QtFonts.h"
#include "surface/Units.h"

namespace vantor {

namespace {
// Surface text is UTF-8 (see Surface.h).
QString FromSurfaceText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void SyncScreenDpiFromQt() {
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    SetScreenDpi(RoundEven(screen->logicalDotsPerInchX()), RoundEven(screen->logicalDotsPerInchY()));
}

TPoint PrinterPrintingOffset(const QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  const int dpi = printer.resolution();
  const QRect paint = layout.paintRectPixels(dpi);
  const QRect full = layout.fullRectPixels(dpi);
  return {paint.left() - full.left(), paint.top() - full.top()};
}

TQtSurface::TQtSurface(QPainter& painter)
    : TQtSurface(painter, painter.device() ? painter.device()->logicalDpiX() : 0,
                 painter.device() ? painter.device()->logicalDpiY() : 0) {}

TQtSurface::TQtSurface(QPainter& painter, int dpiX, int dpiY) : p_(painter), dpiX_(dpiX), dpiY_(dpiY) {}

void TQtSurface::SetMapMode(TMapMode m) {
  TSurfaceState::SetMapMode(m);
  const int dx = dpiX_ ? dpiX_ : ScreenDpiX();
  const int dy = dpiY_ ? dpiY_ : ScreenDpiY();
  if (const int unitsPerInch = MetricUnitsPerInch(m)) {
    kx_ = dx / static_cast<double>(unitsPerInch);
    ky_ = dy / static_cast<double>(unitsPerInch);
  } else {
    kx_ = 1.0;
    ky_ = 1.0;
  }
  fontValid_ = false;  // font heights are logical units too
}

QPoint TQtSurface::ToDevice(int x, int y) const {
  const TPoint o = Origin();
  if (MapMode() == TMapMode::LoMetric || MapMode() == TMapMode::HiMetric)
    return {o.x + RoundEven(x * kx_), o.y - RoundEven(y * ky_)};
  return {o.x + x, o.y + y};
}

int TQtSurface::LengthX(int logical) const { return RoundEven(logical * kx_); }
int TQtSurface::LengthY(int logical) const { return RoundEven(logical * ky_); }
int TQtSurface::LogicalX(int device) const { return RoundEven(device / kx_); }
int TQtSurface::LogicalY(int device) const { return RoundEven(device / ky_); }

void TQtSurface::FillRect(int x1, int y1, int x2, int y2) {
  if (BrushStyle() == TBrushStyle::Clear) return;
  const QPoint a = ToDevice(x1, y1);
  const QPoint b = ToDevice(x2, y2);
  const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
  const int t = std::min(a.y(), b.y()), btm = std::max(a.y(), b.y());
  if (r <= l || btm <= t) return;
  // Bars come by the thousand on a sheet: set the painter's state only when it
  // changes (QPainter::fillRect sets and restores it on every call, and the PDF
  // engine writes a graphics state each time).
  const QColor color = ToQColor(BrushColor());
  if (p_.pen().style() != Qt::NoPen) p_.setPen(Qt::NoPen);
  if (p_.brush().style() != Qt::SolidPattern || p_.brush().color() != color) p_.setBrush(color);
  p_.drawRect(QRect(l, t, r - l, btm - t));
}

void TQtSurface::Rectangle(int x1, int y1, int x2, int y2) {
  const QPoint a = ToDevice(x1, y1);
  const QPoint b = ToDevice(x2, y2);
  const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
  const int t = std::min(a.y(), b.y()), btm = std::max(a.y(), b.y());
  if (r <= l || btm <= t) return;
  const int w = std::max(1, LengthX(PenWidth()));
  const QColor pen(Qt::black);
  if (2 * w >= r - l || 2 * w >= btm - t) {  // all outline
    p_.fillRect(QRect(l, t, r - l, btm - t), pen);
    return;
  }
  if (BrushStyle() == TBrushStyle::Solid)
    p_.fillRect(QRect(l + w, t + w, r - l - 2 * w, btm - t - 2 * w), ToQColor(BrushColor()));
  p_.fillRect(QRect(l, t, r - l, w), pen);
  p_.fillRect(QRect(l, btm - w, r - l, w), pen);
  p_.fillRect(QRect(l, t + w, w, btm - t - 2 * w), pen);
  p_.fillRect(QRect(r - w, t + w, w, btm - t - 2 * w), pen);
}

void TQtSurface::Polygon(const std::vector<TPoint>& points) {
  QPolygon poly;
  for (const TPoint& pt : points) poly << ToDevice(pt.x, pt.y);
  p_.save();
  QPen pen(Qt::black);
  pen.setWidth(std::max(1, LengthX(PenWidth())));
  pen.setJoinStyle(Qt::MiterJoin);
  p_.setPen(pen);
  if (BrushStyle() == TBrushStyle::Solid)
    p_.setBrush(ToQColor(BrushColor()));
  else
    p_.setBrush(Qt::NoBrush);
  p_.drawPolygon(poly);
  p_.restore();
}

void TQtSurface::SetFont(const TFontSpec& f) {
  if (!(f == Font())) fontValid_ = false;
  TSurfaceState::SetFont(f);
}

QFont TQtSurface::CurrentQFont() {
  if (!fontValid_) {
    // Sheets switch between a few fonts for every label; matching a cell
    // height measures the face, so each size is worked out once per surface.
    const QString key = QString::fromStdString(Font().Face) + QLatin1Char('|') +
                        QString::number(Font().Height > 0 ? LengthY(Font().Height) : -Font().PointSize) +
                        QLatin1Char('|') + QString::number(Font().Bold);
    const auto hit = fonts_.constFind(key);
    if (hit != fonts_.constEnd()) {
      qfont_ = *hit;
    } else {
      const QString family = ResolveFamily(Font().Face);
      if (Font().Height > 0) {
        qfont_ = FontForCellHeight(family, LengthY(Font().Height), Font().Bold, p_.device());
      } else {
        // Points at the surface's vertical resolution give the em height.
        const int dy = dpiY_ ? dpiY_ : ScreenDpiY();
        qfont_ = FontForEmHeight(family, RoundEven(Font().PointSize * dy / 72.0), Font().Bold);
      }
      fonts_.insert(key, qfont_);
    }
    fontValid_ = true;
  }
  return qfont_;
}

void TQtSurface::TextOut(int x, int y, std::string_view text) {
  const QString s = FromSurfaceText(text);
  const QFont f = CurrentQFont();
  const QFontMetrics fm(f, p_.device());
  const int w = fm.horizontalAdvance(s);
  const int h = fm.height();
  const int left = TextAlign() == TTextAlign::TopCenter ? -(w / 2) : 0;

  p_.save();
  p_.translate(ToDevice(x, y));
  if (Font().Escapement % 3600 != 0) p_.rotate(-Font().Escapement / 10.0);  // Qt turns clockwise
  if (BkMode() == TBkMode::Opaque) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(ToQColor(BkColor()));
    p_.drawRect(QRect(left, 0, w, h));
  }
  p_.setFont(f);
  p_.setPen(ToQColor(Font().Color));
  p_.drawText(QPoint(left, fm.ascent()), s);
  p_.restore();
}

int TQtSurface::TextWidth(std::string_view text) {
  const QFontMetrics fm(CurrentQFont(), p_.device());
  return LogicalX(fm.horizontalAdvance(FromSurfaceText(text)));
}

int TQtSurface::TextHeight(std::string_view) {
  const QFontMetrics fm(CurrentQFont(), p_.device());
  return LogicalY(fm.height());
}

}  // namespace vantor
