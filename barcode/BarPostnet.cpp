// The two postal symbols: fixed physical bar width, pitch and heights.
#include <algorithm>

#include "barcode/BarDrawInternal.h"
#include "surface/Units.h"

namespace vantor {

namespace {

// Millimetres: bar width, bar pitch, tall bar, short bar; and the factor that
// relates the text size to the tall bar.
struct PostalDimensions {
  double barWidth;
  double pitch;
  double tall;
  double shortBar;
  int textBasisFactor;
};
// USPS POSTNET: 0.020 in bars on a 22-per-inch pitch, 0.125 in and 0.050 in tall.
constexpr PostalDimensions kPostnet{0.508, 1.1545454545454545454, 3.175, 1.27, 5};
// FIM: 1/32 in bars on a 1/16 in pitch, 5/8 in tall.
constexpr PostalDimensions kFim{0.79375, 1.5875, 15.875, 15.875, 1};

}  // namespace

void TLLBarcode::DrawPostnet(TSurface& s, int x0, int y0, TPoint& size) {
  const draw::Resolution res = draw::ResolutionOf(s);
  Encode();

  const bool fim = Params.CodeType == Postnet_FIM;
  const PostalDimensions& d = fim ? kFim : kPostnet;
  const int Bw = RoundEven(d.barWidth * res.Rx);
  const double P = d.pitch * res.Rx;  // kept unrounded for the positions
  const int Pr = RoundEven(P);
  const int Hl = RoundEven(d.tall * res.Ry);
  const int Hs = RoundEven(d.shortBar * res.Ry);
  const int m = d.textBasisFactor;

  draw::SurfaceStateGuard guard(s);
  s.SetTextAlign(TTextAlign::TopCenter);
  s.SetBrushColor(0);
  s.SetBrushStyle(TBrushStyle::Solid);

  // Only the height: the face stays what the surface had.
  TFontSpec font = s.Font();
  font.Height = RoundEven(m * Hl * draw::kTextReferenceModules / draw::kLinearHeightModules * 0.18 *
                          draw::DrawPercent(Params.Fontscaling) * 0.01);
  s.SetFont(font);
  const int TH = s.TextHeight("Ay");

  // Bar k stands at x0 + round((k - 1) x P): a pitch in pixels, times 1.
  const draw::ModulePositions pos(x0, ModuleCount, 0, true, P, 1.0);

  // FIM bars stand on the rounded pitch, which can run past pos(ModuleCount)
  // (at 300 dpi 8 x 19 = 152 against 150): the box must hold the last bar, or
  // a turned symbol would be drawn outside it.
  const int lastBar = fim ? std::max(pos(ModuleCount), x0 + (ModuleCount - 1) * Pr) : pos(ModuleCount);
  const int W = lastBar + Bw - x0 + 1;
  const int Ht = Params.HumanReadable ? TH + Hl + 1 : Hl + 1;

  for (int k = 1; k <= ModuleCount; ++k) {
    const std::uint8_t v = Modules[k - 1];
    if (!fim) {
      // Tall and short bars all stand on one base line.
      DrawBar(s, {pos(k), v == 1 ? y0 : y0 + Hl - Hs, pos(k) + Bw, y0 + Hl}, W, Ht, x0, y0);
    } else if (v == 1) {
      const int left = x0 + (k - 1) * Pr;
      DrawBar(s, {left, y0, left + Bw, y0 + Hl}, W, Ht, x0, y0);
    }
  }

  s.SetBrushColor(0xFFFFFF);
  s.SetBrushStyle(TBrushStyle::Clear);
  if (Params.HumanReadable) DrawText(s, x0, CodeText, m * Hl, Ht, W, (pos(ModuleCount) + pos(1)) / 2, y0 + Hl, y0);

  const bool quarter = Params.Rotation == rotate_090 || Params.Rotation == rotate_270;
  size.x = quarter ? Ht : W;
  size.y = quarter ? W : Ht;
}

}  // namespace vantor
