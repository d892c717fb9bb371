#include "barcode/LoMetric.h"

#include "surface/Units.h"

namespace vantor {

namespace {

// Puts the caller's mapping mode back on every exit.
class MapModeGuard {
 public:
  MapModeGuard(TSurface& s, TMapMode temporary) : s_(s), previous_(s.MapMode()) { s_.SetMapMode(temporary); }
  ~MapModeGuard() { s_.SetMapMode(previous_); }
  MapModeGuard(const MapModeGuard&) = delete;
  MapModeGuard& operator=(const MapModeGuard&) = delete;

 private:
  TSurface& s_;
  TMapMode previous_;
};

}  // namespace

std::optional<TLogicalScale> LogicalScale(TMapMode mode, int dpiX, int dpiY) {
  const int unitsPerInch = MetricUnitsPerInch(mode);
  if (unitsPerInch == 0) return std::nullopt;
  if (dpiX == 0 || dpiY == 0) {
    dpiX = ScreenDpiX();
    dpiY = ScreenDpiY();
  }
  return TLogicalScale{dpiX / static_cast<double>(unitsPerInch), dpiY / static_cast<double>(unitsPerInch)};
}

TPoint LogicalToDevice(const TLogicalScale& k, int x, int y) { return {RoundEven(x * k.kx), -RoundEven(y * k.ky)}; }

TPoint DeviceToLogicalSize(const TLogicalScale& k, TPoint pixels) {
  return {RoundEven(pixels.x / k.kx), RoundEven(pixels.y / k.ky)};
}

void LoMetricPrint(TLLBarcode& bc, TSurface& s, int x, int y, TPoint* size) {
  const TMapMode mode = s.MapMode();
  TPoint drawn;
  if (mode == TMapMode::Pixels) {
    bc.Draw(s, x, y, drawn);
    if (size) *size = drawn;
    return;
  }
  const std::optional<TLogicalScale> k = LogicalScale(mode, s.DpiX(), s.DpiY());
  if (!k) throw EOverflow(msg::kWrongMapMode);

  MapModeGuard pixels(s, TMapMode::Pixels);
  const TPoint at = LogicalToDevice(*k, x, y);
  bc.Draw(s, at.x, at.y, drawn);
  if (size) *size = DeviceToLogicalSize(*k, drawn);
}

}  // namespace vantor
