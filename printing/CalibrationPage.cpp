#include "printing/CalibrationPage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "surface/Units.h"

namespace vantor {

namespace {

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr double kCrossArmMm = 8;  // each arm of a cross, from its centre
constexpr double kLineMm = 0.2;    // cross lines
constexpr double kTextGapMm = 3;   // from a cross's centre to its caption

std::string Millimetres(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f mm", mm);
  return text;
}

class TCalibrationPainter {
 public:
  explicit TCalibrationPainter(TSurface& page) : page_(page) {
    const int dpiX = page.DpiX() > 0 ? page.DpiX() : ScreenDpiX();
    const int dpiY = page.DpiY() > 0 ? page.DpiY() : ScreenDpiY();
    d_ = TDots::FromDpi(dpiX, dpiY);
    const TPoint offset = page.PrintingOffset();
    page.SetOrigin({-offset.x, -offset.y});
    page.SetTextAlign(TTextAlign::TopLeft);
    page.SetBkMode(TBkMode::Transparent);
    page.SetBkColor(kWhite);
  }

  void Draw() {
    const double l = kCalibrationLeftMm, t = kCalibrationTopMm, r = l + kCalibrationSideMm, b = t + kCalibrationSideMm;
    Font(14, true);
    Text(20, 20, "Vantor printer calibration");
    Font(10, false);
    Text(20, 30, "Print this page at 100 % (no fitting to the page) on the printer to calibrate.");
    Text(20, 35, "Measure to the centre of each cross, to a tenth of a millimetre, and enter the four values");
    Text(20, 40, "in Printer Calibration.");

    // The square, its outer edges exactly on its corners' positions.
    page_.SetPenWidth(std::max(1, d_.X(Mm(kLineMm))));
    page_.SetBrushStyle(TBrushStyle::Clear);
    page_.Rectangle(d_.X(Mm(l)), d_.Y(Mm(t)), d_.X(Mm(r)), d_.Y(Mm(b)));
    page_.SetBrushStyle(TBrushStyle::Solid);
    page_.SetBrushColor(kBlack);

    Cross(l, t, "A");
    Cross(r, t, "B");
    Cross(l, b, "C");
    Cross(r, b, "D");
    Cross((l + r) / 2, (t + b) / 2, "E");

    Font(10, false);
    const double below = b + 14;
    Text(l, below, "A from the left edge of the paper: " + Millimetres(l));
    Text(l, below + 6, "A from the top edge of the paper: " + Millimetres(t));
    Text(l, below + 12, "A to B (across): " + Millimetres(kCalibrationSideMm));
    Text(l, below + 18, "A to C (down): " + Millimetres(kCalibrationSideMm));
    Text(l, below + 24,
         "E, the middle: " + Millimetres((l + r) / 2) + " from the left edge, " + Millimetres((t + b) / 2) +
             " from the top edge");
  }

 private:
  void Font(int points, bool bold) {
    TFontSpec f;
    f.Face = "Arial";
    f.PointSize = points;
    f.Bold = bold;
    f.Color = kBlack;
    page_.SetFont(f);
  }
  void Text(double xMm, double yMm, const std::string& text) { page_.TextOut(d_.X(Mm(xMm)), d_.Y(Mm(yMm)), text); }

  // Two bars of kLineMm centred on the point, and the point's letter beside it.
  void Cross(double xMm, double yMm, const char* name) {
    const int x = d_.X(Mm(xMm)), y = d_.Y(Mm(yMm));
    const int wx = std::max(1, d_.X(Mm(kLineMm))), wy = std::max(1, d_.Y(Mm(kLineMm)));
    const int armX = d_.X(Mm(kCrossArmMm)), armY = d_.Y(Mm(kCrossArmMm));
    page_.FillRect(x - armX, y - wy / 2, x + armX, y - wy / 2 + wy);
    page_.FillRect(x - wx / 2, y - armY, x - wx / 2 + wx, y + armY);
    Font(12, true);
    page_.TextOut(d_.StepX(x, Mm(kTextGapMm)), d_.StepY(y, Mm(kTextGapMm)), name);
  }

  TSurface& page_;
  TDots d_;
};

}  // namespace

TCalibration CalibrationFromMeasurement(const TCalibrationMeasurement& m) {
  const auto axis = [](double fromEdge, double span, double nominalEdge, double& offset, double& scale) {
    if (!(span > 0) || !std::isfinite(fromEdge)) {
      offset = scale = std::numeric_limits<double>::quiet_NaN();
      return;
    }
    const double r = span / kCalibrationSideMm;  // the printer's stretch
    scale = 1 / r;
    offset = nominalEdge - fromEdge / r;
  };
  TCalibration c;
  axis(m.aFromLeftMm, m.aToBMm, kCalibrationLeftMm, c.offsetXMm, c.scaleX);
  axis(m.aFromTopMm, m.aToCMm, kCalibrationTopMm, c.offsetYMm, c.scaleY);
  return c;
}

void DrawCalibrationPage(TSurface& page) { TCalibrationPainter(page).Draw(); }

void PrintCalibrationPage(TPrintJob& job) {
  job.SetPortrait();
  job.SetTitle(kJobTitle);
  job.SetCopies(1);
  DrawPages(job, 1, [](TSurface& page, int) { DrawCalibrationPage(page); });
}

}  // namespace vantor
