// The human-readable line under a symbol: which characters go where for each
// symbology, the add-on digits, and the turned text itself.
#include <cstring>
#include <string>

#include "barcode/BarDrawInternal.h"
#include "barcode/Code128.h"
#include "barcode/EanUpc.h"
#include "barcode/Symbology.h"
#include "surface/Units.h"

namespace vantor {

namespace {

constexpr int kEscapement[4] = {0, 900, 1800, 2700};  // tenths of a degree, counter-clockwise

// Characters `from` .. `to` (counted from 1) of a text, clipped to its length.
std::string Chars(std::string_view text, std::size_t from, std::size_t to) {
  if (from < 1 || from > text.size() || to < from) return {};
  return std::string(text.substr(from - 1, to - from + 1));
}

}  // namespace

void TLLBarcode::DrawText(TSurface& s, int x0, std::string_view text, int basis, int Ht, int W, int x, int y,
                          int y0) const {
  const TFontSpec previous = s.Font();
  TFontSpec font;
  font.Face = Params.Fontname;
  font.Height = draw::TextCellHeight(basis, Params.CodeType, Params.Fontscaling);
  font.PointSize = 0;
  font.Color = previous.Color;  // the surface's current text colour
  const int rot = static_cast<int>(Params.Rotation);
  font.Escapement = kEscapement[rot >= 0 && rot <= 3 ? rot : 0];
  s.SetFont(font);
  s.SetTextAlign(TTextAlign::TopCenter);

  // The same mapping as DrawBar, so the text stays in place beside the bars.
  const int dx = x - x0;
  const int dy = y - y0;
  switch (Params.Rotation) {
    case rotate_090: s.TextOut(x0 + dy, y0 + W - dx, text); break;
    case rotate_180: s.TextOut(x0 + W - dx, y0 + Ht - dy, text); break;
    case rotate_270: s.TextOut(x0 + Ht - dy, y0 + dx, text); break;
    default: s.TextOut(x, y, text); break;
  }
  s.SetFont(previous);
}

std::string TLLBarcode::FormatIdentText(std::string_view text) const {
  const std::string t(text);
  if (t.size() == 14)
    return Chars(t, 1, 5) + "." + Chars(t, 6, 8) + "." + Chars(t, 9, 11) + "." + Chars(t, 12, 13) + "   " +
           Chars(t, 14, 14);
  if (t.size() == 12) {
    const std::size_t split = Params.IdentSplit > 0 ? static_cast<std::size_t>(Params.IdentSplit) : 0;
    return Chars(t, 1, 2) + "." + Chars(t, 3, split) + "   " + Chars(t, split + 1, 11) + "   " + Chars(t, 12, 12);
  }
  return t;
}

namespace draw {

namespace {

// EAN/UPC: the digit groups below the data bars, then the add-on's digits above it.
template <class Text>
void DrawEanUpcText(TLLBarcode& bc, const TEanUpcLayout& layout, const LinearLayout& g, Text&& text) {
  const ModulePositions& pos = *g.pos;
  const int ybar = g.y0 + RoundEven(g.Hb * kEanDataBarHeight) - g.Cut;
  const std::string code(bc.CodeText, BoundedLength(bc.CodeText, kCodeTextSize));
  for (std::size_t i = 0; i < layout.textGroups; ++i) {
    const TEanTextGroup& t = layout.text[i];
    const int x = t.anchor == TEanTextAnchor::LeftMargin    ? g.x0 + g.LM / 2
                  : t.anchor == TEanTextAnchor::RightMargin ? pos(t.module) + g.X + g.LM / 2
                                                            : pos(t.module);
    text(Chars(code, t.first, t.last), x, ybar);
  }
  if (layout.shownLength > 0 && code.size() > layout.shownLength) bc.CodeText[layout.shownLength] = '\0';

  if (layout.addonFromModule > 0) {
    const std::size_t n = BoundedLength(bc.Params.CodeAddon, kAddonSize);
    if (const int module = EanAddonTextModule(n)) text(std::string_view(bc.Params.CodeAddon, n), pos(module), g.y0);
  }
}

}  // namespace

void DrawTextLine(TLLBarcode& bc, TSurface& s, const LinearLayout& g) {
  const TBarcodeParams& p = bc.Params;
  const ModulePositions& pos = *g.pos;
  const int yfull = g.y0 + g.Hb - g.Cut;  // below the bars
  const int mid = pos(bc.ModuleCount / 2);
  auto text = [&](std::string_view t, int x, int y) { bc.DrawText(s, g.x0, t, g.Hb, g.Ht, g.W, x, y, g.y0); };
  if (const TEanUpcLayout* layout = LayoutOf(p.CodeType)) {
    DrawEanUpcText(bc, *layout, g, text);
    return;
  }
  const std::string code(bc.CodeText, BoundedLength(bc.CodeText, kCodeTextSize));

  switch (p.CodeType) {
    case CODE39:
    case Codabar:  // without the start and stop characters
      text(code.size() >= 2 ? code.substr(1, code.size() - 2) : std::string(), mid, yfull);
      break;
    case CODE25iP: {
      const std::string grouped = bc.FormatIdentText(code);
      std::strncpy(bc.CodeText, grouped.c_str(), kCodeTextSize - 1);
      bc.CodeText[kCodeTextSize - 1] = '\0';
      text(grouped, mid, yfull);
      break;
    }
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: {
      std::string marked(1, code.empty() ? '\0' : code[0]);
      marked.append(p.Caption, BoundedLength(p.Caption, kCaptionSize));
      text(Code128Stream(marked, TStreamForm::Display), mid, yfull);
      break;
    }
    default:  // CODE25i, MSI_Plessey: the code text as it is
      text(code, mid, yfull);
      break;
  }
}

}  // namespace draw

}  // namespace vantor
