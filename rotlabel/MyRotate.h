// Painting of a rotated text label on a drawing surface: the caption turned
// about the control's centre, an optional turned background plate, and the
// raised, sunken or drop-shadow passes. Toolkit-free; the label widget calls
// PaintRotatedLabel from its paint handler.
#pragma once

#include <array>
#include <string_view>

#include "rotlabel/LabelStyle.h"
#include "surface/Surface.h"

namespace vantor {

inline constexpr double kDegToRad = 0.017453292519943295;  // pi / 180

// Margin of the background plate around the text box, in pixels.
inline constexpr int kPlateExtraWidth = 10;
inline constexpr int kPlateExtraHeight = 7;

// Top-left corner of a w x h text box turned by (c, s) = (cos, sin) about the
// centre (cx, cy). Each product is truncated toward zero before the sums.
TPoint RotatedTextOrigin(int cx, int cy, int w, int h, double c, double s);

// Corners of the turned w x h box centred on (cx, cy), in the order top-left,
// top-right, bottom-right, bottom-left of the unturned box, same truncation.
std::array<TPoint, 4> RotatedBox(int cx, int cy, int w, int h, double c, double s);

struct TRotatedPaint {
  double Cos = 1.0;  // of the angle painted, kept by the label
  double Sin = 0.0;
  int TextWidth = 0;  // unrotated caption extent
  int TextHeight = 0;
  TPoint Origin;  // where the main pass was drawn
};

// Paints the caption on `surface` inside a width x height control.
// `font` is the label font (its Color is the text colour); `color` is the
// label's own colour, used for the plate when `transparent` is false.
// An opaque label is always flat: its style's effect is switched to A3dNormal,
// and stays so. The surface's font, brush, background and alignment are
// restored afterwards.
TRotatedPaint PaintRotatedLabel(TSurface& surface, TLabelStyle& style, std::string_view caption, const TFontSpec& font,
                                TColor color, int width, int height, bool transparent);

}  // namespace vantor
