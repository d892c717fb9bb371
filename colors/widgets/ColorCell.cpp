#include "colors/widgets/ColorCell.h"

#include "qt/QtColor.h"
#include "qt/QtFonts.h"

namespace vantor {

TColorCell::TColorCell(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setFont(WindowFont("Arial", 16, true));
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
  pal.setColor(QPalette::Window, ToQColor(color_));
  setPalette(pal);
}

}  // namespace vantor
