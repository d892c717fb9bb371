// A printer's measured misplacement undone: a surface that forwards every
// call to an inner surface, with each drawing position on the paper moved
// and stretched first, x' = offset + scale * x (and the same down the page).
//
// Positions are paper positions in device dots (the logical point plus the
// origin plus the printing offset), so the correction is the same whatever
// origin or mapping mode the caller draws in. Each corrected coordinate is
// rounded once, at the end, by RoundEven; the offset in millimetres is not
// rounded to dots on its own.
//
// Pen widths, font heights and text extents pass through unchanged: the
// correction says where things land, not how thick they are, and within the
// accepted scales (0.9 to 1.1) a 2-dot outline or a 10 pt character would
// change by rounding alone. Bars and cells are rectangles, so their widths do
// follow the scale, edge by edge.
#pragma once

#include <optional>

#include "surface/Surface.h"

namespace vantor {

struct TCalibration {
  double offsetXMm = 0;
  double offsetYMm = 0;
  double scaleX = 1;
  double scaleY = 1;

  bool IsIdentity() const { return offsetXMm == 0 && offsetYMm == 0 && scaleX == 1 && scaleY == 1; }
  friend bool operator==(const TCalibration&, const TCalibration&) = default;
};

inline constexpr double kMinCalibrationScale = 0.9;
inline constexpr double kMaxCalibrationScale = 1.1;
inline constexpr double kMaxCalibrationOffsetMm = 20;

// What makes a calibration unusable; the first field at fault is named.
enum class TCalibrationField { None, OffsetX, OffsetY, ScaleX, ScaleY };
// A value that is not a finite number, an offset beyond 20 mm either way or a
// scale outside 0.9..1.1; None when every value is usable.
TCalibrationField CalibrationFault(const TCalibration& c);
bool OffsetUsable(double mm);
bool ScaleUsable(double scale);

class TCorrectedSurface : public TSurface {
 public:
  // `inner` must outlive this surface.
  TCorrectedSurface(TSurface& inner, const TCalibration& calibration) : inner_(inner), c_(calibration) {}

  const TCalibration& Calibration() const { return c_; }

  // A paper position in dots, corrected: RoundEven(offset + scale * p).
  int CorrectX(double paperDots) const;
  int CorrectY(double paperDots) const;

  int DpiX() const override { return inner_.DpiX(); }
  int DpiY() const override { return inner_.DpiY(); }
  TColor BrushColor() const override { return inner_.BrushColor(); }
  void SetBrushColor(TColor c) override { inner_.SetBrushColor(c); }
  TBrushStyle BrushStyle() const override { return inner_.BrushStyle(); }
  void SetBrushStyle(TBrushStyle s) override { inner_.SetBrushStyle(s); }
  int PenWidth() const override { return inner_.PenWidth(); }
  void SetPenWidth(int w) override { inner_.SetPenWidth(w); }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;

  const TFontSpec& Font() const override { return inner_.Font(); }
  void SetFont(const TFontSpec& f) override { inner_.SetFont(f); }
  TTextAlign TextAlign() const override { return inner_.TextAlign(); }
  void SetTextAlign(TTextAlign a) override { inner_.SetTextAlign(a); }
  TBkMode BkMode() const override { return inner_.BkMode(); }
  void SetBkMode(TBkMode m) override { inner_.SetBkMode(m); }
  TColor BkColor() const override { return inner_.BkColor(); }
  void SetBkColor(TColor c) override { inner_.SetBkColor(c); }

  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override { return inner_.TextWidth(text); }
  int TextHeight(std::string_view text) override { return inner_.TextHeight(text); }

  TPoint PrintingOffset() const override { return inner_.PrintingOffset(); }
  TPoint Origin() const override { return inner_.Origin(); }
  void SetOrigin(TPoint p) override { inner_.SetOrigin(p); }
  TMapMode MapMode() const override { return inner_.MapMode(); }
  void SetMapMode(TMapMode m) override { inner_.SetMapMode(m); }

 private:
  class TPixelModeScope;
  // The corrected point in the inner surface's pixel-mode logical units.
  TPoint Correct(int x, int y) const;
  int Dpi(bool x) const;

  TSurface& inner_;
  TCalibration c_;
};

}  // namespace vantor
