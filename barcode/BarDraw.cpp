// The renderer of the linear symbologies: module width and height from the
// surface's resolution, one filled rectangle per run of dark modules, rotation
// in quarter turns. The text line is in BarText.cpp, the postal symbols in
// BarPostnet.cpp.
#include <algorithm>
#include <cstdint>

#include "barcode/BarDrawInternal.h"
#include "barcode/EanUpc.h"
#include "barcode/Symbology.h"
#include "surface/Units.h"

namespace vantor {

namespace draw {

Resolution ResolutionOf(const TSurface& s) {
  int dx = s.DpiX();
  int dy = s.DpiY();
  if (dx == 0 || dy == 0) {
    dx = ScreenDpiX();
    dy = ScreenDpiY();
  }
  return {PixelsPerMm(dx), PixelsPerMm(dy)};
}

double NominalHeightModules(btCodeTypes type) {
  const TEanUpcLayout* layout = LayoutOf(type);
  return layout ? layout->heightModules : kLinearHeightModules;
}

int TextCellHeight(double basis, btCodeTypes type, int fontscaling) {
  fontscaling = DrawPercent(fontscaling);
  const double height = NominalHeightModules(type);
  // A basis of the reference height is used as it is, not scaled by 1.
  if (height == kTextReferenceModules) return RoundEven(basis * 0.18 * fontscaling * 0.01);
  return RoundEven(basis * kTextReferenceModules / height * 0.18 * fontscaling * 0.01);
}

}  // namespace draw

namespace {

// Module width classes SC0 .. SC9 in millimetres.
constexpr double kModuleWidthMM[10] = {0.27, 0.297, 0.33, 0.363, 0.396, 0.445, 0.495, 0.544, 0.61, 0.66};
static_assert(sizeof kModuleWidthMM / sizeof kModuleWidthMM[0] == SC9 + 1);
constexpr double kDefaultModuleWidthMM = 0.33;

}  // namespace

double TLLBarcode::ModuleWidthMM() const {
  const int sc = static_cast<int>(Params.ModuleWidth);
  const double mm = (sc >= 0 && sc <= SC9) ? kModuleWidthMM[sc] : kDefaultModuleWidthMM;
  return Params.HighDensity ? mm / 2 : mm;
}

void TLLBarcode::Draw(TSurface& s, int x0, int y0, TPoint& size) {
  const btCodeTypes type = Params.CodeType;
  if (type == Postnet || type == Postnet_FIM) {
    DrawPostnet(s, x0, y0, size);
    return;
  }
  const draw::Resolution res = draw::ResolutionOf(s);

  draw::SurfaceStateGuard guard(s);
  s.SetTextAlign(TTextAlign::TopCenter);
  s.SetBrushColor(0);
  s.SetBrushStyle(TBrushStyle::Solid);

  Encode();

  // Module width: rounded to whole pixels, at least one.
  const double Xmm = ModuleWidthMM();
  int X = RoundEven(Xmm * res.Rx);
  if (X == 0) X = 1;
  const TEanUpcLayout* layout = LayoutOf(type);
  const double F = draw::NominalHeightModules(type);
  const int LM = layout ? layout->marginModules * X : 0;

  // ZoomSize: exact physical size, modules may differ by a pixel. Otherwise
  // equal whole-pixel modules and the height scaled to match them.
  const draw::ModulePositions pos(x0 + LM, ModuleCount, X, Params.ZoomSize, Xmm, res.Rx);
  const int Hb = Params.ZoomSize ? RoundEven(F * Xmm * res.Ry) : RoundEven(F * Xmm * res.Ry * X / (Xmm * res.Rx));
  // Negative above 100 % (taller bars). Halves away from zero, exact in 64 bits.
  const std::int64_t heightPercent = draw::DrawPercent(Params.HeightPercent);
  const int Cut = static_cast<int>(DivRoundAway(static_cast<std::int64_t>(Hb) * (100 - heightPercent), 100));

  // The surface font keeps this face and height after the drawing.
  TFontSpec font = s.Font();
  font.Face = Params.Fontname;
  font.Height = draw::TextCellHeight(Hb, type, Params.Fontscaling);
  s.SetFont(font);
  const int TH = s.TextHeight("Ay");

  const int W = pos(ModuleCount) + LM - x0 + X + 1;
  int Ht;
  if (!Params.HumanReadable)
    Ht = RoundEven(Hb - Cut) + 1;
  else if (layout)
    // The text line starts above the guard bars' ends; a small font would leave
    // their ends below the box, so the box always reaches down to them.
    Ht = std::max(TH + RoundEven(Hb * kEanTextBoxTop - Cut), Hb - Cut) + 1;
  else
    Ht = TH + RoundEven(Hb - Cut) + 1;

  // One rectangle per run of dark modules; light runs are not drawn.
  const int dataBottom = y0 + RoundEven(Hb * kEanDataBarHeight) - Cut;
  const int fullBottom = y0 + Hb - Cut;
  const std::uint8_t* const first = Modules;
  const std::uint8_t* const end = Modules + ModuleCount;
  for (const std::uint8_t* run = first; run < end;) {
    const std::uint8_t value = *run;
    const std::uint8_t* next = run + 1;
    while (next < end && *next == value) ++next;
    const int start = static_cast<int>(run - first) + 1;  // modules count from 1
    const int n = static_cast<int>(next - run);
    run = next;
    if (value == 1) {
      TBarRect r;
      r.Top = (layout && layout->addonFromModule > 0 && start >= layout->addonFromModule) ? y0 + TH + X : y0;
      r.Left = pos(start);
      r.Right = Params.ZoomSize ? r.Left + RoundEven(n * Xmm * res.Rx) : r.Left + n * X;
      r.Bottom = (layout && layout->InDataArea(start)) ? dataBottom : fullBottom;
      // Short bars under a large add-on text leave no room: the add-on bar
      // shrinks to nothing rather than turn upside down below the symbol.
      if (r.Top > r.Bottom) r.Top = r.Bottom;
      if (Params.WidthReduce && r.Right - r.Left > 1) --r.Right;
      DrawBar(s, r, W, Ht, x0, y0);
    }
  }

  s.SetBrushColor(0xFFFFFF);
  s.SetBrushStyle(TBrushStyle::Clear);
  s.SetBkColor(0xFFFFFF);
  s.SetBkMode(TBkMode::Transparent);

  if (Params.HumanReadable) {
    draw::LinearLayout g;
    g.x0 = x0;
    g.y0 = y0;
    g.X = X;
    g.LM = LM;
    g.Hb = Hb;
    g.Cut = Cut;
    g.TH = TH;
    g.W = W;
    g.Ht = Ht;
    g.pos = &pos;
    draw::DrawTextLine(*this, s, g);
  }

  const bool quarter = Params.Rotation == rotate_090 || Params.Rotation == rotate_270;
  size.x = quarter ? Ht : W;
  size.y = quarter ? W : Ht;
}

}  // namespace vantor
