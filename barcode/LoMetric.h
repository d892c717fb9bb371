// Drawing a barcode at a position given in the logical units of a surface's
// mapping mode: the arithmetic behind the control's print operation, kept free
// of the toolkit so it runs on any surface (printer, recording, image).
#pragma once

#include <optional>

#include "barcode/BarLL.h"
#include "surface/Surface.h"

namespace vantor {

namespace msg {
inline constexpr const char* kWrongMapMode = "Barcode: Wrong mapmode in \"LoMetricPrint\"";
}  // namespace msg

// Device pixels per logical unit, across and down.
struct TLogicalScale {
  double kx;
  double ky;
};
// For the metric modes (0.1 mm and 0.01 mm units); nothing for pixel mode and
// for modes the engine does not know. A resolution of 0 means the screen's.
std::optional<TLogicalScale> LogicalScale(TMapMode mode, int dpiX, int dpiY);

// A logical position in a metric mode as device pixels from the origin:
// (round(x * kx), -round(y * ky)).
TPoint LogicalToDevice(const TLogicalScale& k, int x, int y);
// A size in device pixels as logical units: (round(w / kx), round(h / ky)).
TPoint DeviceToLogicalSize(const TLogicalScale& k, TPoint pixels);

// Pixel mode: draws at (x, y) and reports the size in pixels. Metric modes: the
// surface is switched to pixel mode for the drawing, which lands at device
// (round(x * kx), -round(y * ky)) (the logical y axis points up), and the size is
// reported back in logical units, round(w / kx) by round(h / ky); the previous
// mode is restored afterwards, also when the drawing raises. Any other mode
// raises "Barcode: Wrong mapmode in \"LoMetricPrint\"" and draws nothing.
// Rounding is halves to even throughout.
void LoMetricPrint(TLLBarcode& bc, TSurface& s, int x, int y, TPoint* size);

}  // namespace vantor
