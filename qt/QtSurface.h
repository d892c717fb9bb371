// The drawing surface on a QPainter: images, widgets, printers, PDF and SVG
// writers all draw through it with the same pixel rules.
//
// - Coordinates are logical units of the current mapping mode, taken to device
//   pixels as origin + (x, y) in pixel mode and origin + (x * kx, -y * ky) in the
//   metric modes (kx = dpi / 254 for 0.1 mm, dpi / 2540 for 0.01 mm; halves to
//   even). Font heights, pen widths and text extents convert with the same
//   factors. Text stays upright in every mode.
// - FillRect covers the half-open rectangle between its corners, whichever
//   corner holds which; nothing with a clear brush.
// - Rectangle covers the same half-open area: an outline of the pen width
//   inside it (at least one pixel, black) and the interior in the brush.
// - TextOut puts the alignment's reference point (top-left corner, or middle of
//   the top edge) at (x, y) and turns the text about it by the escapement,
//   counter-clockwise; opaque text first fills its box with the background colour.
// The painter must not carry a world transform of its own; the surface does not
// change the painter's antialiasing of shapes, which must be off for exact pixels.
#pragma once

#include <QFont>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "surface/SurfaceState.h"

class QColor;
class QPainter;
class QPrinter;

namespace vantor {

class TQtSurface : public TSurfaceState {
 public:
  // The resolution is the painter's device's logical dots per inch.
  explicit TQtSurface(QPainter& painter);
  TQtSurface(QPainter& painter, int dpiX, int dpiY);

  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;

  void SetFont(const TFontSpec& f) override;
  void SetMapMode(TMapMode m) override;

  // The Qt font the current font description comes out as (family, pixel size).
  QFont CurrentQFont();

 private:
  struct TTextBox {
    int width = 0, height = 0, ascent = 0;  // device pixels
  };
  static constexpr std::size_t kMeasuredKept = 4096;

  TTextBox Measure(std::string_view text);
  void Fill(const QRect& r, const QColor& color);
  QPoint ToDevice(int x, int y) const;
  int LengthX(int logical) const;  // logical length -> device pixels
  int LengthY(int logical) const;
  int LogicalX(int device) const;  // device pixels -> logical length
  int LogicalY(int device) const;

  QPainter& p_;
  int dpiX_;
  int dpiY_;
  double kx_ = 1.0;  // device pixels per logical unit
  double ky_ = 1.0;
  bool fontValid_ = false;
  QFont qfont_;
  std::string fontKey_;          // face, size, weight and device of qfont_
  QHash<QString, QFont> fonts_;  // fonts worked out so far, by that key
};

// Takes the screen resolution that surfaces reporting 0 fall back to from the
// primary screen. Call once a QGuiApplication exists.
void SyncScreenDpiFromQt();

// Offset of a printer's printable area from the paper's corner, in device dots.
TPoint PrinterPrintingOffset(const QPrinter& printer);

}  // namespace vantor
