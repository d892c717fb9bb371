// The barcode control's base: the published Bar_ properties with their range
// checks, painting on its own surface and drawing on any other surface.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

#include "barcode/BarLL.h"
#include "surface/Surface.h"

namespace vantor {

class TCustomBarcode : public QWidget {
  Q_OBJECT

 public:
  explicit TCustomBarcode(QWidget* parent = nullptr);
  ~TCustomBarcode() override;

  // Published properties. A setter that accepts a value stores it and requests
  // a repaint; one that refuses raises EOverflow with the property's message,
  // stores nothing and requests nothing. Limits are inclusive.
  std::string Bar_Caption() const;
  void SetBar_Caption(std::string_view caption);  // at most 50 characters
  std::string Bar_CodeAddon() const;
  void SetBar_CodeAddon(std::string_view addon);  // digits only; kept: none, 2 or 5
  btCodeTypes Bar_CodeType() const;
  void SetBar_CodeType(btCodeTypes type);
  std::string Bar_Fontname() const;
  void SetBar_Fontname(std::string_view name);
  int Bar_Fontscaling() const;
  void SetBar_Fontscaling(long long percent);  // 20..200
  int Bar_HeightPercent() const;
  void SetBar_HeightPercent(long long percent);  // 20..200
  bool Bar_HighDensity() const;
  void SetBar_HighDensity(bool on);
  bool Bar_HumanReadable() const;
  void SetBar_HumanReadable(bool on);
  btCodeSizes Bar_ModuleWidth() const;
  void SetBar_ModuleWidth(long long size);  // 0..9 (SC0..SC9)
  btCodeRatio Bar_Ratio() const;
  void SetBar_Ratio(long long ratio);  // 0..1
  btCodeRotate Bar_Rotation() const;
  void SetBar_Rotation(long long rotation);  // 0..3
  bool Bar_WidthReduce() const;
  void SetBar_WidthReduce(bool on);
  bool Bar_ZoomSize() const;
  void SetBar_ZoomSize(bool on);

  // Draws the barcode on `canvas` with its top-left corner at (x, y), device
  // pixels of that canvas; the drawn size (already exchanged for the quarter
  // turns) goes to *size when given. Raises what encoding raises.
  void DrawTo(TSurface& canvas, int x, int y, TPoint* size = nullptr);

  // The paint operation on the control's canvas: draws at (0, 0) and fits the
  // control to the drawing. Raises what encoding raises; paintEvent catches it.
  virtual void Paint(TSurface& canvas);

  // Repaint requests made by accepted property changes since construction.
  int RepaintRequests() const { return repaintRequests_; }
  // The message of the last paint that raised, empty after a good paint.
  QString LastPaintError() const { return lastPaintError_; }

  const TLLBarcode& Engine() const { return *barcode_; }

 signals:
  // A paint raised (the message differs from the previous paint's). Connect it
  // queued if the slot opens a window.
  void paintFailed(const QString& message);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void RequestRepaint();
  TLLBarcode& Barcode() { return *barcode_; }

 private:
  std::unique_ptr<TLLBarcode> barcode_;
  int repaintRequests_ = 0;
  QString lastPaintError_;
};

}  // namespace vantor
