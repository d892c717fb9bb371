#include "qt/LeanSvg.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QTextItem>
#include <QTransform>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace vantor {

namespace {

void Whole(std::string& out, long long v) {
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  out.append(text, static_cast<std::size_t>(end - text));
}

// A transform's factor as QByteArray::number(v, 'g', 6) writes it; the common
// 1 and 0 of an upright text without formatting a double.
void Factor(std::string& out, qreal v) {
  if (v == 1 || v == -1 || (v == 0 && !std::signbit(v)))
    Whole(out, static_cast<long long>(v));
  else
    out += QByteArray::number(v, 'g', 6).toStdString();
}

void Number(std::string& out, qreal v) {
  // Device pixels at print resolutions: tenths are finer than any dot.
  const qreal tenths = std::round(v * 10);
  const auto whole = static_cast<long long>(tenths);
  if (whole % 10 == 0) {
    Whole(out, whole / 10);
  } else {
    if (whole < 0) out += '-';
    const long long a = whole < 0 ? -whole : whole;
    Whole(out, a / 10);
    out += '.';
    out += static_cast<char>('0' + a % 10);
  }
}

std::string Color(const QColor& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", c.rgb() & 0xFFFFFFu);
  return text;
}

std::string Escaped(const QString& text) { return text.toHtmlEscaped().toStdString(); }

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
    body_.reserve(128 * 1024);
    return true;
  }

  bool end() override {
    Flush();
    const QByteArray w = QByteArray::number(size_.width()), h = QByteArray::number(size_.height());
    // The page's size on paper, so that a browser shows it at its size.
    const auto mm = [&](int dots) { return QByteArray::number(dots * 25.4 / dpi_, 'f', 3) + "mm"; };
    const QByteArray head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        mm(size_.width()) + "\" height=\"" + mm(size_.height()) + "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n";
    static constexpr char kTail[] = "</svg>\n";
    out_.reserve(out_.size() + head.size() + static_cast<qsizetype>(body_.size()) + qsizetype{sizeof kTail});
    out_ += head;
    out_.append(body_.data(), static_cast<qsizetype>(body_.size()));
    out_ += kTail;
    body_.clear();
    return true;
  }

  // Text as drawTextItem writes it, from what the caller already knows: no
  // shaping, which would only be thrown away (the SVG keeps the string).
  void Text(const QTransform& transform, QPointF p, const QFont& f, const QColor& color, const QString& text) {
    Flush();
    const qreal px = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * dpi_ / 72;
    body_ += "<text xml:space=\"preserve\" x=\"";
    Number(body_, p.x());
    body_ += "\" y=\"";
    Number(body_, p.y());
    body_ += "\" font-family=\"";
    if (f.family() != family_) {
      family_ = f.family();
      familyEscaped_ = Escaped(family_);
    }
    body_ += familyEscaped_;
    body_ += "\" font-size=\"";
    Number(body_, px);
    body_ += '"';
    if (f.weight() >= QFont::DemiBold) body_ += " font-weight=\"bold\"";
    if (color != Qt::black) body_ += " fill=\"" + Color(color) + '"';
    if (!transform.isIdentity()) {
      body_ += " transform=\"matrix(";
      for (const qreal v : {transform.m11(), transform.m12(), transform.m21(), transform.m22()}) {
        Factor(body_, v);
        body_ += ',';
      }
      Number(body_, transform.dx());
      body_ += ',';
      Number(body_, transform.dy());
      body_ += ")\"";
    }
    body_ += '>';
    body_ += Escaped(text);
    body_ += "</text>\n";
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
    Text(transform_, p, item.font(), pen_.color(), item.text());
  }

  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

  void SetDpi(int dpi) { dpi_ = dpi; }

 private:
  bool Filled() const { return brush_.style() == Qt::SolidPattern && brush_.color().alpha() > 0; }
  bool Stroked() const { return pen_.style() != Qt::NoPen && pen_.color().alpha() > 0; }

  // The style attributes of the current pen and brush for a shape that may
  // be filled.
  std::string Style(bool fill) const {
    std::string s = " fill=\"";
    s += fill && Filled() ? Color(brush_.color()) : std::string("none");
    s += '"';
    if (fill && Filled() && brush_.color().alpha() < 255)
      s += " fill-opacity=\"" + QByteArray::number(brush_.color().alphaF(), 'g', 3).toStdString() + '"';
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
  void Run(const std::string& style) {
    if (style == style_) return;
    Flush();
    style_ = style;
  }

  void Flush() {
    FlushPending();
    if (data_.empty()) return;
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
    // A sheet has thousands of them: written in place, not piece by piece.
    const std::size_t was = data_.size();
    data_.resize(was + 64);  // six letters and five ints of at most 11 characters
    char* at = data_.data() + was;
    char* const end = data_.data() + data_.size();
    const auto put = [&](char c, int v) {
      *at = c;
      at = std::to_chars(at + 1, end, v).ptr;
    };
    put('M', pending_.left());
    put(' ', pending_.top());
    put('h', pending_.width());
    put('v', pending_.height());
    put('h', -pending_.width());
    *at++ = 'z';
    data_.resize(static_cast<std::size_t>(at - data_.data()));
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
    if (fillStyle_.empty()) fillStyle_ = Style(true);
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
    std::string style = Style(fill);
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
  // Kept between pages and runs of one style: cleared, never freed.
  std::string body_, style_, data_;
  std::string fillStyle_;
  QString family_;             // the last text's family, and escaped for XML
  std::string familyEscaped_;  // Style(true) while the pen and brush stay
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

void TLeanSvgDevice::Text(const QTransform& transform, QPointF baseline, const QFont& font, const QColor& color,
                          const QString& text) {
  engine_->Text(transform, baseline, font, color, text);
}

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
