#include "colours/widgets/ColorCell.h"

namespace vantor {

QColor QColorFromToolkit(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TColorCell::TColorCell(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(16);
  f.setBold(true);
  setFont(f);
  setAlignment(Qt::AlignCenter);
  // A plain box is drawn in the window-text colour, like the caption.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
  SetColor(color_);
}

void TColorCell::SetColor(TColor color) {
  color_ = color & 0xFFFFFF;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColorFromToolkit(color_));
  setPalette(pal);
}

}  // namespace vantor
