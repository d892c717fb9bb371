#include "rotlabel/widgets/MyRotateWidget.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "qt/QtColor.h"
#include "qt/QtSurface.h"
#include "rotlabel/MyRotate.h"

namespace vantor {

namespace {

// The label font as the surface takes it: the family Qt actually matched (so a
// fallback list resolves once, here), a pixel size as the cell height
// (ascent + descent) on `device`, a point size as points.
TFontSpec FontSpecFromQFont(const QFont& font, TColor color, const QPaintDevice* device) {
  TFontSpec spec;
  spec.Face = QFontInfo(font).family().toStdString();
  spec.Bold = font.bold();
  spec.Color = color;
  if (font.pixelSize() > 0) {
    spec.Height = QFontMetrics(font, device).height();
  } else {
    spec.Height = 0;
    spec.PointSize = std::max(1, static_cast<int>(std::lround(font.pointSizeF())));
  }
  return spec;
}

}  // namespace

TMyLabelRotate::TMyLabelRotate(QWidget* parent) : QWidget(parent), labelStyle_(std::make_unique<TLabelStyle>()) {
  // Transparent over the parent: no background fill of our own.
  setAutoFillBackground(false);
  QFont f(QStringLiteral("Arial"));
  f.setBold(true);
  setFont(f);
  fontColor_ = palette().color(QPalette::WindowText);
  color_ = palette().color(QPalette::Window);
  labelStyle_->SetOnChange([this](TLabelStyle&) { update(); });
}

TMyLabelRotate::~TMyLabelRotate() = default;

void TMyLabelRotate::SetLabelStyle(const TLabelStyle& style) {
  labelStyle_->Assign(style);
  update();
}

void TMyLabelRotate::SetMyTransparent(bool value) {
  if (value == myTransparent_) return;
  myTransparent_ = value;
  // The plate reads Color at paint time, so an opaque label takes the present colour.
  update();
}

void TMyLabelRotate::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

void TMyLabelRotate::SetFontColor(const QColor& color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  update();
}

void TMyLabelRotate::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void TMyLabelRotate::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  TQtSurface surface(painter);
  const TFontSpec labelFont = FontSpecFromQFont(font(), FromQColor(fontColor_), this);
  const QByteArray text = caption_.toUtf8();
  const TRotatedPaint painted =
      PaintRotatedLabel(surface, *labelStyle_, std::string_view(text.constData(), text.size()), labelFont,
                        FromQColor(color_), width(), height(), myTransparent_);
  cos_ = painted.Cos;
  sin_ = painted.Sin;
}

void TMyLabelRotate::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QWidget::mouseReleaseEvent(event);
}

void TMyLabelRotate::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  QWidget::mouseDoubleClickEvent(event);
}

}  // namespace vantor
