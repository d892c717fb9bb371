#include "qt/QtSurface.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <string>
#include <unordered_map>

#include "qt/LeanSvg.h"
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
  Fill(QRect(l, t, r - l, btm - t), ToQColor(BrushColor()));
}

void TQtSurface::Fill(const QRect& r, const QColor& color) {
  // Bars and cells come by the thousand on a sheet: set the painter's state
  // only when it changes (QPainter::fillRect sets and restores it on every
  // call, and the PDF engine writes a graphics state each time).
  if (p_.pen().style() != Qt::NoPen) p_.setPen(Qt::NoPen);
  if (p_.brush().style() != Qt::SolidPattern || p_.brush().color() != color) p_.setBrush(color);
  p_.drawRect(r);
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
    Fill(QRect(l, t, r - l, btm - t), pen);
    return;
  }
  if (BrushStyle() == TBrushStyle::Solid)
    Fill(QRect(l + w, t + w, r - l - 2 * w, btm - t - 2 * w), ToQColor(BrushColor()));
  Fill(QRect(l, t, r - l, w), pen);
  Fill(QRect(l, btm - w, r - l, w), pen);
  Fill(QRect(l, t + w, w, btm - t - 2 * w), pen);
  Fill(QRect(r - w, t + w, w, btm - t - 2 * w), pen);
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
  // Colour and turn are the drawing's, not the Qt font's.
  const TFontSpec& was = Font();
  if (f.Face != was.Face || f.Height != was.Height || f.PointSize != was.PointSize || f.Bold != was.Bold)
    fontValid_ = false;
  TSurfaceState::SetFont(f);
}

QFont TQtSurface::CurrentQFont() {
  if (!fontValid_) {
    // Sheets switch between a few fonts for every label; matching a cell
    // height measures the face, so each size is worked out once per surface.
    // Points at the surface's vertical resolution give the em height.
    const int dy = dpiY_ ? dpiY_ : ScreenDpiY();
    const bool cell = Font().Height > 0;
    const int pixels = cell ? LengthY(Font().Height) : RoundEven(Font().PointSize * dy / 72.0);
    const QPaintDevice* device = p_.device();
    fontKey_ = Font().Face + (cell ? "|cell " : "|em ") + std::to_string(pixels) + (Font().Bold ? "|bold|" : "|") +
               std::to_string(device ? device->devType() : 0) + '|' +
               std::to_string(device ? device->logicalDpiX() : 0) + '|' +
               std::to_string(device ? device->logicalDpiY() : 0) + '\x1f';
    const QString key = QString::fromStdString(fontKey_);
    const auto hit = fonts_.constFind(key);
    if (hit != fonts_.constEnd()) {
      qfont_ = *hit;
    } else {
      const QString family = ResolveFamily(Font().Face);
      qfont_ =
          cell ? FontForCellHeight(family, pixels, Font().Bold, device) : FontForEmHeight(family, pixels, Font().Bold);
      fonts_.insert(key, qfont_);
    }
    fontValid_ = true;
  }
  return qfont_;
}

TQtSurface::TTextBox TQtSurface::Measure(std::string_view text) {
  const QFont f = CurrentQFont();
  // Sheets measure the same few strings (one character a cell) on every
  // label and every page, and each QFontMetrics takes Qt's global font lock:
  // each is measured once a thread, with the font and device in the key.
  thread_local std::unordered_map<std::string, TTextBox> measured;
  std::string key = fontKey_;
  key += text;
  if (const auto hit = measured.find(key); hit != measured.end()) return hit->second;
  if (measured.size() >= kMeasuredKept) measured.clear();
  const QFontMetrics fm(f, p_.device());
  const TTextBox box{fm.horizontalAdvance(FromSurfaceText(text)), fm.height(), fm.ascent()};
  measured.emplace(std::move(key), box);
  return box;
}

void TQtSurface::TextOut(int x, int y, std::string_view text) {
  const QString s = FromSurfaceText(text);
  const QFont f = CurrentQFont();
  const TTextBox box = Measure(text);
  const int left = TextAlign() == TTextAlign::TopCenter ? -(box.width / 2) : 0;
  const QColor color = ToQColor(Font().Color);
  const QPoint at = ToDevice(x, y);
  const double degrees = Font().Escapement % 3600 != 0 ? -Font().Escapement / 10.0 : 0;  // Qt turns clockwise

  if (auto* svg = dynamic_cast<TLeanSvgDevice*>(p_.device()); svg && BkMode() == TBkMode::Transparent) {
    // The SVG keeps the string: laying it out would be thrown away.
    QTransform t = p_.worldTransform();
    t.translate(at.x(), at.y());
    if (degrees != 0) t.rotate(degrees);
    svg->Text(t, QPointF(left, box.ascent), f, color, s);
    return;
  }
  p_.save();
  p_.translate(at);
  if (degrees != 0) p_.rotate(degrees);
  if (BkMode() == TBkMode::Opaque) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(ToQColor(BkColor()));
    p_.drawRect(QRect(left, 0, box.width, box.height));
  }
  p_.setFont(f);
  p_.setPen(color);
  p_.drawText(QPoint(left, box.ascent), s);
  p_.restore();
}

int TQtSurface::TextWidth(std::string_view text) { return LogicalX(Measure(text).width); }

int TQtSurface::TextHeight(std::string_view text) { return LogicalY(Measure(text).height); }

}  // namespace vantor
