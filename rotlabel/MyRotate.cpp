#include "rotlabel/MyRotate.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace vantor {

namespace {

// Truncation toward zero; the placement is defined per term, not on the sum.
int T(double v) { return static_cast<int>(std::trunc(v)); }

// Shadow offsets are free 32-bit values; keep the sum inside int.
int OffsetBy(int p, int d) {
  const std::int64_t v = static_cast<std::int64_t>(p) + d;
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

struct TEffectOffsets {
  int highlight = 0;
  int shade = 0;
};

TEffectOffsets OffsetsFor(T3DEffectShort effect) {
  switch (effect) {
    case A3dRaised: return {-1, +1};
    case A3dResit: return {+1, -1};
    default: return {0, 0};
  }
}

// Restores what the paint changes, so a shared surface (a page) is left as found.
class TSurfaceStateGuard {
 public:
  explicit TSurfaceStateGuard(TSurface& s)
      : s_(s),
        font_(s.Font()),
        brushColor_(s.BrushColor()),
        brushStyle_(s.BrushStyle()),
        bkMode_(s.BkMode()),
        bkColor_(s.BkColor()),
        align_(s.TextAlign()) {}
  ~TSurfaceStateGuard() {
    s_.SetFont(font_);
    s_.SetBrushColor(brushColor_);
    s_.SetBrushStyle(brushStyle_);
    s_.SetBkMode(bkMode_);
    s_.SetBkColor(bkColor_);
    s_.SetTextAlign(align_);
  }
  TSurfaceStateGuard(const TSurfaceStateGuard&) = delete;
  TSurfaceStateGuard& operator=(const TSurfaceStateGuard&) = delete;

 private:
  TSurface& s_;
  TFontSpec font_;
  TColor brushColor_;
  TBrushStyle brushStyle_;
  TBkMode bkMode_;
  TColor bkColor_;
  TTextAlign align_;
};

}  // namespace

TPoint RotatedTextOrigin(int cx, int cy, int w, int h, double c, double s) {
  return {cx - T(w * 0.5 * c) - T(h * 0.5 * s), cy + T(w * 0.5 * s) - T(h * 0.5 * c)};
}

std::array<TPoint, 4> RotatedBox(int cx, int cy, int w, int h, double c, double s) {
  const int wc = T(w * 0.5 * c);
  const int hs = T(h * 0.5 * s);
  const int ws = T(w * 0.5 * s);
  const int hc = T(h * 0.5 * c);
  return {{
      {cx - wc - hs, cy + ws - hc},
      {cx + wc - hs, cy - ws - hc},
      {cx + wc + hs, cy - ws + hc},
      {cx - wc + hs, cy + ws + hc},
  }};
}

TRotatedPaint PaintRotatedLabel(TSurface& surface, TLabelStyle& style, std::string_view caption, const TFontSpec& font,
                                TColor color, int width, int height, bool transparent) {
  TRotatedPaint result;
  const double a = style.Angle() * kDegToRad;
  result.Cos = std::cos(a);
  result.Sin = std::sin(a);
  const double c = result.Cos;
  const double s = result.Sin;

  const TColor textColor = font.Color;
  if (!transparent) style.ForceFlat();
  const T3DEffectShort effect = style.AStyle3D();
  const TEffectOffsets offsets = OffsetsFor(effect);

  TSurfaceStateGuard guard(surface);
  surface.SetFont(font);
  surface.SetBrushStyle(TBrushStyle::Clear);
  surface.SetBkMode(TBkMode::Transparent);
  surface.SetTextAlign(TTextAlign::TopLeft);

  TFontSpec rotated = font;
  rotated.Escapement = style.Angle() * 10;

  // Placement uses the unrotated metrics.
  const int w = surface.TextWidth(caption);
  const int h = surface.TextHeight(caption);
  result.TextWidth = w;
  result.TextHeight = h;
  const int cx = width / 2;
  const int cy = height / 2;
  const TPoint origin = RotatedTextOrigin(cx, cy, w, h, c, s);
  result.Origin = origin;

  if (!transparent) {
    const auto plate = RotatedBox(cx, cy, w + kPlateExtraWidth, h + kPlateExtraHeight, c, s);
    surface.SetBrushStyle(TBrushStyle::Solid);
    surface.SetBrushColor(color);
    surface.Polygon({plate.begin(), plate.end()});
    // The brush stays solid: the text passes are drawn on the label's colour.
    surface.SetBkMode(TBkMode::Opaque);
    surface.SetBkColor(color);
  }

  auto pass = [&](TColor passColor, int dx, int dy) {
    rotated.Color = passColor;
    surface.SetFont(rotated);
    surface.TextOut(OffsetBy(origin.x, dx), OffsetBy(origin.y, dy), caption);
  };

  switch (effect) {
    case A3dResit:
    case A3dRaised:
      pass(style.AShadeLeftTop(), offsets.highlight, offsets.highlight);
      pass(style.AShadeRightBottom(), offsets.shade, offsets.shade);
      break;
    case A3dShadowed: pass(style.AShadeRightBottom(), style.AHShadeOffSet(), style.AVShadeOffSet()); break;
    case A3dNormal: break;
  }
  pass(textColor, 0, 0);
  return result;
}

}  // namespace vantor
