// Helpers shared by the renderer's source files (BarDraw.cpp, BarText.cpp,
// BarPostnet.cpp); not part of the engine's interface.
#pragma once

#include <array>

#include "barcode/BarLL.h"
#include "surface/Surface.h"
#include "surface/Units.h"

namespace vantor {

// One bar, turned with the symbol about its box (W x Ht from x0, y0). Inline:
// it runs once a bar.
inline void TLLBarcode::DrawBar(TSurface& s, const TBarRect& r, int W, int Ht, int x0, int y0) const {
  const int dl = r.Left - x0;
  const int dr = r.Right - x0;
  const int dt = r.Top - y0;
  const int db = r.Bottom - y0;
  switch (Params.Rotation) {
    case rotate_090: s.FillRect(x0 + dt, y0 + W - dl, x0 + db, y0 + W - dr); break;
    case rotate_180: s.FillRect(x0 + W - dr, y0 + Ht - dt, x0 + W - dl, y0 + Ht - db); break;
    case rotate_270: s.FillRect(x0 + Ht - dt, y0 + dl, x0 + Ht - db, y0 + dr); break;
    default: s.FillRect(r.Left, r.Top, r.Right, r.Bottom); break;
  }
}

}  // namespace vantor

namespace vantor::draw {

// Nominal bar height in modules of a linear symbol; the EAN/UPC layouts set their own.
inline constexpr double kLinearHeightModules = 56.24;
// The text is sized as 0.18 of this many module heights, whatever the symbol's own height.
inline constexpr double kTextReferenceModules = 74.24;

struct Resolution {
  double Rx;  // device pixels per millimetre, across
  double Ry;  // and down
};
// The surface's resolution; when it reports 0 either way, the screen's.
Resolution ResolutionOf(const TSurface& s);

// Nominal bar height in modules of a linear symbol of `type`.
double NominalHeightModules(btCodeTypes type);

// A HeightPercent or Fontscaling as drawing uses it: a value the properties
// would refuse (it can only arrive by writing the record directly) is held to
// their range, like the other out-of-range fields, so sizes stay finite.
constexpr int DrawPercent(std::int32_t percent) {
  return percent < kMinPercent ? kMinPercent : percent > kMaxPercent ? kMaxPercent : percent;
}

// Cell height of the text font for a text basis height (pixels, the nominal
// height of `type`): 0.18 x kTextReferenceModules module heights at 100 %.
int TextCellHeight(double basis, btCodeTypes type, int fontscaling);

// Remembers the brush colour, brush style and text alignment and puts them back
// when the drawing ends, normally or by an exception.
class SurfaceStateGuard {
 public:
  explicit SurfaceStateGuard(TSurface& s)
      : s_(s), color_(s.BrushColor()), style_(s.BrushStyle()), align_(s.TextAlign()) {}
  ~SurfaceStateGuard() {
    s_.SetBrushColor(color_);
    s_.SetBrushStyle(style_);
    s_.SetTextAlign(align_);
  }
  SurfaceStateGuard(const SurfaceStateGuard&) = delete;
  SurfaceStateGuard& operator=(const SurfaceStateGuard&) = delete;

 private:
  TSurface& s_;
  TColor color_;
  TBrushStyle style_;
  TTextAlign align_;
};

// Left edges of the modules, pos(k) for k = 1 .. ModuleCount, in a table sized
// for the module capacity.
// The left edge of module k (1-based) in pixels. Computed when asked rather
// than tabled: a symbol asks for a few dozen of its hundreds of modules. A
// module outside 1..count reads as the table it replaces did: below 1 as module
// 1, past the last module as 0.
class ModulePositions {
 public:
  ModulePositions(int left, int count, int X, bool zoom, double Xmm, double Rx)
      : left_(left), count_(count), X_(X), zoom_(zoom), Xmm_(Xmm), Rx_(Rx) {}
  int operator()(int k) const {
    if (k < 1) k = 1;
    if (k > static_cast<int>(kModulesSize)) k = static_cast<int>(kModulesSize);
    if (k > count_) return 0;
    // Exact size: each edge rounded on its own, so modules may differ by a pixel.
    return left_ + (zoom_ ? RoundEven((k - 1) * Xmm_ * Rx_) : (k - 1) * X_);
  }

 private:
  int left_;
  int count_;
  int X_;
  bool zoom_;
  double Xmm_;
  double Rx_;
};

// What the text line of a linear symbol needs from the bar layout.
struct LinearLayout {
  int x0 = 0;
  int y0 = 0;
  int X = 1;    // module width, pixels
  int LM = 0;   // left margin, pixels
  int Hb = 0;   // nominal bar height, pixels
  int Cut = 0;  // pixels taken off the bottom of the bars
  int TH = 0;   // height of the sample text
  int W = 0;    // unrotated box
  int Ht = 0;
  const ModulePositions* pos = nullptr;
};

// Step 11 of the linear drawing: the human-readable line and the add-on digits.
void DrawTextLine(TLLBarcode& bc, TSurface& s, const LinearLayout& g);

}  // namespace vantor::draw
