// A small drawing surface on a QPainter, private to the rotated label: enough
// for text (turned by the font's escapement), polygons and rectangles in pixel
// units. The full adapter shared by the barcode widgets and the printing
// replaces it once both are on one branch.
#pragma once

#include <QColor>
#include <QFont>

#include "surface/Surface.h"

class QPainter;
class QPaintDevice;

namespace vantor {

QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);

// Label font -> surface font. A pixel-sized font becomes a cell height
// (ascent + descent) on `device`; a point-sized one keeps its points.
TFontSpec FontSpecFromQFont(const QFont& font, TColor color, const QPaintDevice* device);
// Surface font -> QFont: a cell height picks the pixel size whose line height
// on `device` comes closest to it.
QFont QFontFromSpec(const TFontSpec& spec, const QPaintDevice* device);

class TPainterSurfaceLite final : public TSurface {
 public:
  explicit TPainterSurfaceLite(QPainter& painter);

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

  TPoint Origin() const override { return origin_; }
  void SetOrigin(TPoint p) override { origin_ = p; }
  // Pixels only: the label never changes the mapping.
  TMapMode MapMode() const override { return TMapMode::Pixels; }
  void SetMapMode(TMapMode) override {}

 private:
  void ApplyPenAndBrush();

  QPainter& painter_;
  int dpiX_ = 96;
  int dpiY_ = 96;
  TColor brushColor_ = 0xFFFFFF;
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  int penWidth_ = 1;
  TFontSpec font_;
  QFont qfont_;
  TTextAlign align_ = TTextAlign::TopLeft;
  TBkMode bkMode_ = TBkMode::Opaque;
  TColor bkColor_ = 0xFFFFFF;
  TPoint origin_;
};

}  // namespace vantor
