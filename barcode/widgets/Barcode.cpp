#include "barcode/widgets/Barcode.h"

#include <QMouseEvent>

#include "barcode/LoMetric.h"

namespace vantor {

TBarcode::TBarcode(QWidget* parent) : TCustomBarcode(parent) {}

void TBarcode::SetAutoSize(bool on) {
  if (on == autoSize_) return;
  autoSize_ = on;
  RequestRepaint();
}

void TBarcode::Paint(TSurface& canvas) {
  TPoint drawn;
  DrawTo(canvas, 0, 0, &drawn);
  if (autoSize_) resize(drawn.x, drawn.y);
}

void TBarcode::LoMetricPrint(TSurface& canvas, int x, int y, TPoint* size) {
  vantor::LoMetricPrint(Barcode(), canvas, x, y, size);
}

void TBarcode::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void TBarcode::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace vantor
