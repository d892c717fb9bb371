#include "lto/LtoLabel.h"

#include <algorithm>
#include <cctype>

#include "colors/ColorSchemes.h"
#include "surface/Text.h"

namespace vantor {

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

// The palette common to LTO labels, digits 0..9, letters white.
constexpr std::array<std::uint32_t, 10> kLtoDigitsRgb = {0xBB282E, 0xFAE54A, 0x9AC653, 0x01A5E2, 0x9EAAB6,
                                                         0xD97E35, 0xE27B99, 0x67A945, 0xF6B855, 0x705A81};

std::string Slug(std::string_view caption) {
  std::string s;
  for (char c : caption) s += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::vector<TLtoPalette> MakePalettes() {
  std::vector<TLtoPalette> p;
  TLtoPalette lto{kDefaultLtoPalette, "LTO", {}, ColorFromRgb(0xFFFFFF)};
  for (std::size_t i = 0; i < 10; ++i) lto.digits[i] = ColorFromRgb(kLtoDigitsRgb[i]);
  p.push_back(lto);
  for (const ColorScheme& scheme : ColorSchemes()) {
    TLtoPalette s{Slug(scheme.caption), std::string(scheme.caption), {}, ColorFromRgb(scheme.rgb[kAlphaEntry])};
    for (std::size_t i = 0; i < 10; ++i) s.digits[i] = ColorFromRgb(scheme.rgb[i]);
    p.push_back(s);
  }
  TLtoPalette none{kNoColorPalette, "No colour", {}, kWhite};
  none.digits.fill(kWhite);
  p.push_back(none);
  return p;
}

// Black characters, or white ones on a cell too dark to read black on.
TColor TextColorOn(TColor fill) {
  const std::uint32_t rgb = RgbFromColor(fill);
  const int r = static_cast<int>((rgb >> 16) & 0xFF), g = static_cast<int>((rgb >> 8) & 0xFF),
            b = static_cast<int>(rgb & 0xFF);
  return 299 * r + 587 * g + 114 * b < 110 * 1000 ? kWhite : kBlack;
}

// `dots` at `dpi` are at least `length` long.
bool AtLeast(int dots, int dpi, TLength length) {
  return static_cast<std::int64_t>(dots) * kUmPerInch >= length.Micrometres() * dpi;
}

std::string Dims(const TLabelRect& r) { return MmText(r.width) + " x " + MmText(r.height) + " mm"; }

}  // namespace

const std::vector<TLtoPalette>& LtoPalettes() {
  static const std::vector<TLtoPalette> palettes = MakePalettes();
  return palettes;
}

const TLtoPalette* FindLtoPalette(std::string_view name) {
  for (const TLtoPalette& p : LtoPalettes())
    if (EqualNoCase(p.name, name) || EqualNoCase(p.caption, name)) return &p;
  return nullptr;
}

std::optional<TBarWidths> SnapBars(const TLtoLabelLayout& layout, int dpi, int labelDots) {
  const TDotBarRule rule{layout.nominalNarrow,   layout.minNarrow,   layout.ratioPercent, layout.minRatioPercent,
                         layout.maxRatioPercent, layout.quietNarrow, layout.quietMin};
  const std::optional<TDotBars> bars = SnapCode39Bars(rule, dpi, kLtoSymbolChars, labelDots);
  if (!bars) return std::nullopt;
  return TBarWidths(*bars);
}

TLtoLabelGeometry LtoLabelGeometry(const TLtoLabelLayout& layout, TDots d, const TLabelRect& rect,
                                   const TBarWidths& bars) {
  TLtoLabelGeometry g;
  g.left = d.X(rect.x);
  g.top = d.Y(rect.y);
  g.right = d.X(rect.x + rect.width);
  g.bottom = d.Y(rect.y + rect.height);
  const TLength bandLeft = rect.x + layout.sideMargin;
  const std::int64_t bandUm = (rect.width - layout.sideMargin * 2).Micrometres();
  const int cellTop = d.Y(rect.y + layout.topMargin);
  const int cellBottom = d.Y(rect.y + layout.topMargin + layout.cellBand);
  const int cells = static_cast<int>(g.cells.size());
  for (int k = 0; k < cells; ++k) {
    g.cells[static_cast<std::size_t>(k)] = {d.X(bandLeft + TLength::Um(bandUm * k / cells)), cellTop,
                                            d.X(bandLeft + TLength::Um(bandUm * (k + 1) / cells)), cellBottom};
  }
  g.barTop = d.Y(rect.y + layout.topMargin + layout.cellBand + layout.bandGap);
  g.barBottom = d.Y(rect.y + rect.height - layout.bottomMargin);
  g.bars = bars;
  g.symbolLeft = g.left + (g.right - g.left - bars.Symbol()) / 2;
  return g;
}

TLtoBarPlan PlanLtoBars(const TLtoLabelLayout& layout, int dpiX, int dpiY, const std::vector<TLabelRect>& labels) {
  TLtoBarPlan plan;
  if (labels.empty()) {
    plan.refusal = "The template has no labels.";
    return plan;
  }
  const TDots d = TDots::FromDpi(dpiX, dpiY);
  // The narrowest label and the shortest bars on the page decide, so every
  // label of a sheet carries the same bars.
  std::size_t narrowest = 0;
  int minWidth = 0;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const int w = d.X(labels[i].x + labels[i].width) - d.X(labels[i].x);
    if (i == 0 || w < minWidth) {
      minWidth = w;
      narrowest = i;
    }
  }
  const std::string at =
      "At " + std::to_string(dpiX) + " dpi a label of " + Dims(labels[narrowest]) + " cannot hold the LTO barcode: ";
  const std::optional<TBarWidths> bars = SnapBars(layout, dpiX, minWidth);
  if (!bars) {
    plan.refusal = at + "the bars and both quiet zones do not fit across it with narrow bars of at least " +
                   MmText(layout.minNarrow) + " mm.";
    return plan;
  }
  for (const TLabelRect& r : labels) {
    const TLtoLabelGeometry g = LtoLabelGeometry(layout, d, r, *bars);
    if (!AtLeast(g.barBottom - g.barTop, dpiY, layout.minBarHeight)) {
      plan.refusal = "At " + std::to_string(dpiY) + " dpi a label of " + Dims(r) +
                     " cannot hold the LTO barcode: its bars would be less than " + MmText(layout.minBarHeight) +
                     " mm high.";
      return plan;
    }
  }
  plan.bars = bars;
  return plan;
}

TLtoLabelPainter::TLtoLabelPainter(TSurface& surface, const TLtoLabelLayout& layout, const TLtoPalette& palette,
                                   const TBarWidths& bars)
    : s_(surface),
      layout_(layout),
      palette_(palette),
      bars_(bars),
      d_(TDots::FromDpi(surface.DpiX() > 0 ? surface.DpiX() : ScreenDpiX(),
                        surface.DpiY() > 0 ? surface.DpiY() : ScreenDpiY())) {}

TColor TLtoLabelPainter::CellColor(char c) const {
  if (c >= '0' && c <= '9') return palette_.digits[static_cast<std::size_t>(c - '0')];
  return palette_.letters;
}

void TLtoLabelPainter::Cell(const TLtoLabelGeometry::TBox& box, TColor fill) {
  s_.SetBrushStyle(TBrushStyle::Solid);
  s_.SetBrushColor(fill);
  s_.Rectangle(box.left, box.top, box.right, box.bottom);
}

void TLtoLabelPainter::Characters(const TLtoLabelGeometry::TBox& box, std::string_view text, const TLtoFont& font,
                                  TColor fill, int bandHeight) {
  TFontSpec f;
  f.Face = font.face;
  f.Height = std::max(1, bandHeight * font.percent / 100);
  f.Bold = font.bold;
  f.Color = TextColorOn(fill);
  s_.SetFont(f);
  s_.TextOut((box.left + box.right) / 2, box.top + (bandHeight - f.Height) / 2, text);
}

void TLtoLabelPainter::Draw(const TLabelRect& rect, std::string_view volser, std::string_view mediaId) {
  const TLtoLabelGeometry g = LtoLabelGeometry(layout_, d_, rect, bars_);
  s_.SetPenWidth(std::max(1, d_.X(layout_.cellLine)));
  s_.SetTextAlign(TTextAlign::TopCenter);
  s_.SetBkMode(TBkMode::Transparent);
  const int band = g.cells[0].bottom - g.cells[0].top;
  for (std::size_t k = 0; k < 6 && k < volser.size(); ++k) {
    const TColor fill = CellColor(volser[k]);
    Cell(g.cells[k], fill);
    Characters(g.cells[k], volser.substr(k, 1), layout_.volserFont, fill, band);
  }
  Cell(g.cells[6], kWhite);
  Characters(g.cells[6], mediaId, layout_.mediaFont, kWhite, band);

  std::string text(volser);
  text += mediaId;
  FillCode39Bars(s_, Code39Elements(text), bars_, g.symbolLeft, g.barTop, g.barBottom);
}

}  // namespace vantor
