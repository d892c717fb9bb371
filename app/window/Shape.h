// TShape: a rectangle with a one-pixel black outline and a solid fill, the
// character cells of the label preview.
#pragma once

#include <QWidget>

#include "surface/Color.h"

namespace vantor {

class TShape : public QWidget {
  Q_OBJECT

 public:
  explicit TShape(QWidget* parent = nullptr);

  // The fill, as a toolkit colour value (red in the low byte); white at first.
  TColor BrushColor() const { return brushColor_; }
  void SetBrushColor(TColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColor brushColor_ = 0xFFFFFF;
};

}  // namespace vantor
