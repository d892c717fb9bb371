// The barcode control forms and printing use: the base control plus AutoSize,
// a click signal and the print operation in the surface's own units.
#pragma once

#include "barcode/widgets/BarHL.h"

class QMouseEvent;

namespace vantor {

class TBarcode : public TCustomBarcode {
  Q_OBJECT

 public:
  explicit TBarcode(QWidget* parent = nullptr);

  // When true (the start value) every paint fits the control to the drawing;
  // when false the control keeps the size it was given.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);

  // Draws at (0, 0); resizes only with AutoSize.
  void Paint(TSurface& canvas) override;

  // Draws the barcode on `canvas` at (x, y) in the logical units of its current
  // mapping mode (pixels, 0.1 mm or 0.01 mm, y up in the metric modes) and
  // reports the size in the same units. Any other mode raises
  // "Barcode: Wrong mapmode in \"LoMetricPrint\"". The canvas's mapping mode,
  // brush and text alignment are as before afterwards, also when it raises.
  void LoMetricPrint(TSurface& canvas, int x, int y, TPoint* size = nullptr);

 signals:
  void clicked();  // OnClick

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool autoSize_ = true;
  bool pressed_ = false;
};

}  // namespace vantor
