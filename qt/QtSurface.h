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
#include <QPoint>

#include "surface/Surface.h"

class QPainter;
class QPrinter;

namespace vantor {

class TQtSurface : public TSurface {
 public:
  // The resolution is the painter's device's logical dots per inch.
  explicit TQtSurface(QPainter& painter);
  TQtSurface(QPainter& painter, int dpiX, int dpiY);

  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }

  TColor BrushColor() const override { return brushColor_; }
  void SetBrushColor(TColor c) override { brushColor_ = c; }
  TBrushStyle BrushStyle() const override { return brushStyle_; }
  void SetBrushStyle(TBrushStyle s) override { brushStyle_ = s; }
  int PenWidth() const override { return penWidth_; }
  void SetPenWidth(int w) override { penWidth_ = w; }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;

  const TFontSpec& Font() const override { return font_; }
  void SetFont(const TFontSpec& f) override;
  TTextAlign TextAlign() const override { return align_; }
  void SetTextAlign(TTextAlign a) override { align_ = a; }
  TBkMode BkMode() const override { return bkMode_; }
  void SetBkMode(TBkMode m) override { bkMode_ = m; }
  TColor BkColor() const override { return bkColor_; }
  void SetBkColor(TColor c) override { bkColor_ = c; }

  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;

  TPoint PrintingOffset() const override { return printingOffset_; }
  void SetPrintingOffset(TPoint p) { printingOffset_ = p; }
  TPoint Origin() const override { return origin_; }
  void SetOrigin(TPoint p) override { origin_ = p; }
  TMapMode MapMode() const override { return mapMode_; }
  void SetMapMode(TMapMode m) override;

  // The Qt font the current font description comes out as (family, pixel size).
  QFont CurrentQFont();

 private:
  QPoint ToDevice(int x, int y) const;
  int LengthX(int logical) const;  // logical length -> device pixels
  int LengthY(int logical) const;
  int LogicalX(int device) const;  // device pixels -> logical length
  int LogicalY(int device) const;

  QPainter& p_;
  int dpiX_;
  int dpiY_;
  TColor brushColor_ = 0xFFFFFF;
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  int penWidth_ = 1;
  TFontSpec font_;
  TTextAlign align_ = TTextAlign::TopLeft;
  TBkMode bkMode_ = TBkMode::Opaque;
  TColor bkColor_ = 0xFFFFFF;
  TPoint printingOffset_;
  TPoint origin_;
  TMapMode mapMode_ = TMapMode::Pixels;
  double kx_ = 1.0;  // device pixels per logical unit
  double ky_ = 1.0;
  bool fontValid_ = false;
  QFont qfont_;
};

// The colour of a toolkit colour value (red in the low byte).
QColor ToQColor(TColor c);

// Takes the screen resolution that surfaces reporting 0 fall back to from the
// primary screen. Call once a QGuiApplication exists.
void SyncScreenDpiFromQt();

// Offset of a printer's printable area from the paper's corner, in device dots.
TPoint PrinterPrintingOffset(const QPrinter& printer);

}  // namespace vantor
