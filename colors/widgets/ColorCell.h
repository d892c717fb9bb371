// TColorCell: a coloured rectangle with a black outline and a centred caption
// drawn over it, as the Colours dialog's swatches and sample cells show them.
#pragma once

#include <QLabel>

#include "colors/ColorSchemes.h"

namespace vantor {

class TColorCell : public QLabel {
  Q_OBJECT

 public:
  // `caption` stands on the cell in Arial 16 px bold, window-text colour.
  TColorCell(const QString& caption, QWidget* parent = nullptr);

  TColor Color() const { return color_; }
  void SetColor(TColor color);

 private:
  TColor color_ = 0xFFFFFF;
};

}  // namespace vantor
