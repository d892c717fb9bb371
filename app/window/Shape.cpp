#include "app/window/Shape.h"

#include <QPainter>

#include "qt/QtColor.h"

namespace vantor {

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::SetBrushColor(TColor color) {
  if (color == brushColor_) return;
  brushColor_ = color;
  update();
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(brushColor_));
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  // drawRect covers one pixel more than its size; the outline stays inside the cell.
  p.drawRect(0, 0, width() - 1, height() - 1);
}

}  // namespace vantor
