#include "surface/CorrectedSurface.h"

#include <cmath>

#include "surface/Units.h"

namespace vantor {

bool OffsetUsable(double mm) { return std::isfinite(mm) && std::fabs(mm) <= kMaxCalibrationOffsetMm; }
bool ScaleUsable(double scale) {
  return std::isfinite(scale) && scale >= kMinCalibrationScale && scale <= kMaxCalibrationScale;
}

TCalibrationField CalibrationFault(const TCalibration& c) {
  if (!OffsetUsable(c.offsetXMm)) return TCalibrationField::OffsetX;
  if (!OffsetUsable(c.offsetYMm)) return TCalibrationField::OffsetY;
  if (!ScaleUsable(c.scaleX)) return TCalibrationField::ScaleX;
  if (!ScaleUsable(c.scaleY)) return TCalibrationField::ScaleY;
  return TCalibrationField::None;
}

int TCorrectedSurface::Dpi(bool x) const {
  const int dpi = x ? inner_.DpiX() : inner_.DpiY();
  if (dpi > 0) return dpi;
  return x ? ScreenDpiX() : ScreenDpiY();
}

int TCorrectedSurface::CorrectX(double paperDots) const {
  return RoundEven(c_.offsetXMm * PixelsPerMm(Dpi(true)) + c_.scaleX * paperDots);
}

int TCorrectedSurface::CorrectY(double paperDots) const {
  return RoundEven(c_.offsetYMm * PixelsPerMm(Dpi(false)) + c_.scaleY * paperDots);
}

// In a metric mode the corrected point is a whole dot, finer than a logical
// unit at most resolutions, so drawing switches the inner surface to pixels
// for the one operation, with the pen and a pixel-high font converted to match.
class TCorrectedSurface::TPixelModeScope {
 public:
  TPixelModeScope(TSurface& s, int dpiX, int dpiY) : s_(s), mode_(s.MapMode()) {
    const int units = MetricUnitsPerInch(mode_);
    if (units == 0) return;
    active_ = true;
    pen_ = s.PenWidth();
    font_ = s.Font();
    s.SetMapMode(TMapMode::Pixels);
    s.SetPenWidth(RoundEven(static_cast<double>(pen_) * dpiX / units));
    if (font_.Height > 0) {
      TFontSpec f = font_;
      f.Height = RoundEven(static_cast<double>(font_.Height) * dpiY / units);
      s.SetFont(f);
    }
  }
  ~TPixelModeScope() {
    if (!active_) return;
    s_.SetMapMode(mode_);
    s_.SetPenWidth(pen_);
    s_.SetFont(font_);
  }
  TPixelModeScope(const TPixelModeScope&) = delete;
  TPixelModeScope& operator=(const TPixelModeScope&) = delete;

 private:
  TSurface& s_;
  TMapMode mode_;
  bool active_ = false;
  int pen_ = 0;
  TFontSpec font_;
};

TPoint TCorrectedSurface::Correct(int x, int y) const {
  const TMapMode mode = inner_.MapMode();
  const int units = MetricUnitsPerInch(mode);
  if (mode != TMapMode::Pixels && units == 0) return {x, y};  // a mode with no known size: left alone
  // The paper position of logical (0, 0), in whole dots.
  const TPoint o = inner_.Origin(), po = inner_.PrintingOffset();
  const int zeroX = o.x + po.x, zeroY = o.y + po.y;
  double dx = x, dy = y;
  if (units != 0) {  // y points up in the metric modes
    dx = static_cast<double>(x) * Dpi(true) / units;
    dy = -static_cast<double>(y) * Dpi(false) / units;
  }
  return {CorrectX(zeroX + dx) - zeroX, CorrectY(zeroY + dy) - zeroY};
}

void TCorrectedSurface::Rectangle(int x1, int y1, int x2, int y2) {
  const TPoint a = Correct(x1, y1), b = Correct(x2, y2);
  TPixelModeScope pixels(inner_, Dpi(true), Dpi(false));
  inner_.Rectangle(a.x, a.y, b.x, b.y);
}

void TCorrectedSurface::FillRect(int x1, int y1, int x2, int y2) {
  const TPoint a = Correct(x1, y1), b = Correct(x2, y2);
  TPixelModeScope pixels(inner_, Dpi(true), Dpi(false));
  inner_.FillRect(a.x, a.y, b.x, b.y);
}

void TCorrectedSurface::Polygon(const std::vector<TPoint>& points) {
  std::vector<TPoint> corrected;
  corrected.reserve(points.size());
  for (const TPoint& p : points) corrected.push_back(Correct(p.x, p.y));
  TPixelModeScope pixels(inner_, Dpi(true), Dpi(false));
  inner_.Polygon(corrected);
}

void TCorrectedSurface::TextOut(int x, int y, std::string_view text) {
  const TPoint p = Correct(x, y);
  TPixelModeScope pixels(inner_, Dpi(true), Dpi(false));
  inner_.TextOut(p.x, p.y, text);
}

}  // namespace vantor
