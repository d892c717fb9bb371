#include "qt/LeanSvg.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTextItem>
#include <QTransform>
#include <cmath>
#include <cstdio>

namespace vantor {

namespace {

void Number(QByteArray& out, qreal v) {
  // Device pixels at print resolutions: tenths are finer than any dot.
  const qreal r = std::round(v * 10) / 10;
  if (r == std::floor(r))
    out += QByteArray::number(static_cast<qlonglong>(r));
  else
    out += QByteArray::number(r, 'f', 1);
}

QByteArray Color(const QColor& c) {
  QByteArray s = "#" + QByteArray::number(c.rgb() & 0xFFFFFF, 16).rightJustified(6, '0');
  return s;
}

QByteArray Escaped(const QString& text) { return text.toHtmlEscaped().toUtf8(); }

}  // namespace

class TLeanSvgEngine : public QPaintEngine {
 public:
  TLeanSvgEngine(QSize size, QByteArray& out)
      : QPaintEngine(QPaintEngine::AllFeatures & ~(QPaintEngine::PatternBrush | QPaintEngine::PerspectiveTransform |
                                                   QPaintEngine::ConicalGradientFill | QPaintEngine::PorterDuff)),
        size_(size),
        out_(out) {}

  bool begin(QPaintDevice*) override {
    body_.clear();
    body_.reserve(64 * 1024);
    return true;
  }

  bool end() override {
    Flush();
    const QByteArray w = QByteArray::number(size_.width()), h = QByteArray::number(size_.height());
    // The page's size on paper, so that a browser shows it at its size.
    const auto mm = [&](int dots) { return QByteArray::number(dots * 25.4 / dpi_, 'f', 3) + "mm"; };
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
            mm(size_.width()) + "\" height=\"" + mm(size_.height()) + "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n";
    out_ += body_;
    out_ += "</svg>\n";
    body_.clear();
    return true;
  }

  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& changed) override {
    const QPaintEngine::DirtyFlags flags = changed.state();
    if (flags & QPaintEngine::DirtyPen) pen_ = changed.pen();
    if (flags & QPaintEngine::DirtyBrush) brush_ = changed.brush();
    if (flags & (QPaintEngine::DirtyPen | QPaintEngine::DirtyBrush)) fillStyle_.clear();
    if (flags & QPaintEngine::DirtyTransform) transform_ = changed.transform();
    if (flags & QPaintEngine::DirtyFont) font_ = changed.font();
  }

  void drawRects(const QRect* rects, int count) override {
    for (int i = 0; i < count; ++i) Rect(QRectF(rects[i]));
  }
  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) Rect(rects[i]);
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    QPolygonF polygon;
    for (int i = 0; i < count; ++i) polygon << points[i];
    Shape(transform_.map(polygon), mode != PolylineMode, mode == OddEvenMode);
  }
  void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
    QPolygonF polygon;
    for (int i = 0; i < count; ++i) polygon << QPointF(points[i]);
    Shape(transform_.map(polygon), mode != PolylineMode, mode == OddEvenMode);
  }

  void drawPath(const QPainterPath& path) override {
    for (const QPolygonF& polygon : path.toSubpathPolygons(transform_))
      Shape(polygon, true, path.fillRule() == Qt::OddEvenFill);
  }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    Flush();
    const QFont& f = item.font();
    const qreal px = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * dpi_ / 72;
    body_ += "<text xml:space=\"preserve\" x=\"";
    Number(body_, p.x());
    body_ += "\" y=\"";
    Number(body_, p.y());
    body_ += "\" font-family=\"";
    body_ += Escaped(f.family());
    body_ += "\" font-size=\"";
    Number(body_, px);
    body_ += '"';
    if (f.weight() >= QFont::DemiBold) body_ += " font-weight=\"bold\"";
    if (pen_.color() != Qt::black) body_ += " fill=\"" + Color(pen_.color()) + '"';
    if (!transform_.isIdentity()) {
      body_ += " transform=\"matrix(";
      for (const qreal v : {transform_.m11(), transform_.m12(), transform_.m21(), transform_.m22()}) {
        body_ += QByteArray::number(v, 'g', 6);
        body_ += ',';
      }
      Number(body_, transform_.dx());
      body_ += ',';
      Number(body_, transform_.dy());
      body_ += ")\"";
    }
    body_ += '>';
    body_ += Escaped(item.text());
    body_ += "</text>\n";
  }

  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

  void SetDpi(int dpi) { dpi_ = dpi; }

 private:
  bool Filled() const { return brush_.style() == Qt::SolidPattern && brush_.color().alpha() > 0; }
  bool Stroked() const { return pen_.style() != Qt::NoPen && pen_.color().alpha() > 0; }

  // The style attributes of the current pen and brush for a shape that may
  // be filled.
  QByteArray Style(bool fill) const {
    QByteArray s = " fill=\"";
    s += fill && Filled() ? Color(brush_.color()) : QByteArray("none");
    s += '"';
    if (fill && Filled() && brush_.color().alpha() < 255)
      s += " fill-opacity=\"" + QByteArray::number(brush_.color().alphaF(), 'g', 3) + '"';
    if (Stroked()) {
      const qreal width = pen_.widthF() > 0 ? pen_.widthF() : 1;
      s += " stroke=\"" + Color(pen_.color()) + "\" stroke-width=\"";
      Number(s, width);
      s += '"';
      if (pen_.style() != Qt::SolidLine) {
        s += " stroke-dasharray=\"";
        const QList<qreal> dashes = pen_.dashPattern();
        for (qsizetype i = 0; i < dashes.size(); ++i) {
          if (i) s += ',';
          Number(s, dashes[i] * width);
        }
        s += '"';
      }
      if (pen_.joinStyle() == Qt::MiterJoin) s += " stroke-linejoin=\"miter\"";
    }
    return s;
  }

  // Starts or continues the run of path data for `style`.
  void Run(const QByteArray& style) {
    if (style == style_) return;
    Flush();
    style_ = style;
  }

  void Flush() {
    FlushPending();
    if (data_.isEmpty()) return;
    body_ += "<path";
    body_ += style_;
    body_ += " d=\"";
    body_ += data_;
    body_ += "\"/>\n";
    data_.clear();
    style_.clear();
  }

  void FlushPending() {
    if (pending_.isEmpty()) return;
    // Appended piece by piece: a sheet has thousands of them.
    char text[80];
    const int n = std::snprintf(text, sizeof text, "M%d %dh%dv%dh%dz", pending_.left(), pending_.top(),
                                pending_.width(), pending_.height(), -pending_.width());
    data_.append(text, n);
    pending_ = QRect();
  }

  void Rect(const QRectF& r) {
    if (!Filled() && !Stroked()) return;
    // Whole pixels moved by whole pixels: the common case of bars, kept as
    // integers and joined to the bar they touch.
    const bool whole = transform_.type() <= QTransform::TxTranslate && r == QRectF(r.toRect()) &&
                       transform_.dx() == std::floor(transform_.dx()) && transform_.dy() == std::floor(transform_.dy());
    if (!whole || Stroked()) {
      Shape(transform_.map(QPolygonF(r)), true, false);
      return;
    }
    if (r.isEmpty()) return;
    if (fillStyle_.isEmpty()) fillStyle_ = Style(true);
    Run(fillStyle_);
    const QRect q = r.toRect().translated(static_cast<int>(transform_.dx()), static_cast<int>(transform_.dy()));
    if (!pending_.isEmpty()) {
      if (q.top() == pending_.top() && q.height() == pending_.height() && q.left() == pending_.right() + 1) {
        pending_.setRight(q.right());
        return;
      }
      if (q.left() == pending_.left() && q.width() == pending_.width() && q.top() == pending_.bottom() + 1) {
        pending_.setBottom(q.bottom());
        return;
      }
    }
    FlushPending();
    pending_ = q;
  }

  void Shape(const QPolygonF& polygon, bool fill, bool oddEven) {
    if (polygon.size() < 2 || (!(fill && Filled()) && !Stroked())) return;
    QByteArray style = Style(fill);
    if (oddEven && fill && Filled()) style += " fill-rule=\"evenodd\"";
    Run(style);
    FlushPending();
    // A closed polygon repeats its first point; the path closes itself.
    const bool closed = polygon.isClosed() || fill;
    const qsizetype n = polygon.isClosed() ? polygon.size() - 1 : polygon.size();
    for (qsizetype i = 0; i < n; ++i) {
      data_ += i == 0 ? 'M' : 'L';
      Number(data_, polygon[i].x());
      data_ += ' ';
      Number(data_, polygon[i].y());
    }
    if (closed) data_ += 'z';
  }

  QSize size_;
  int dpi_ = 96;
  QByteArray& out_;
  QByteArray body_, style_, data_;
  QByteArray fillStyle_;  // Style(true) while the pen and brush stay
  QRect pending_;
  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  QFont font_;
};

TLeanSvgDevice::TLeanSvgDevice(QSize size, int dpi, QByteArray& out)
    : size_(size), dpi_(dpi), engine_(std::make_unique<TLeanSvgEngine>(size, out)) {
  engine_->SetDpi(dpi);
}

TLeanSvgDevice::~TLeanSvgDevice() = default;

QPaintEngine* TLeanSvgDevice::paintEngine() const { return engine_.get(); }

int TLeanSvgDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return static_cast<int>(size_.width() * 25.4 / dpi_ + 0.5);
    case PdmHeightMM: return static_cast<int>(size_.height() * 25.4 / dpi_ + 0.5);
    case PdmNumColors: return 0xFFFFFF;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
  }
}

}  // namespace vantor
