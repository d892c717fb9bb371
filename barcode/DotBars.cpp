#include "barcode/DotBars.h"

#include <algorithm>
#include <cstring>

#include "barcode/BarLL.h"

namespace vantor {

namespace {

// `dots` at `dpi` are at least `length` long.
bool AtLeast(int dots, int dpi, TLength length) {
  return static_cast<std::int64_t>(dots) * kUmPerInch >= length.Micrometres() * dpi;
}

}  // namespace

std::optional<TDotBars> SnapCode39Bars(const TDotBarRule& rule, int dpi, int chars, int availableDots) {
  if (dpi <= 0) return std::nullopt;
  const int nominal =
      std::max<int>(1, static_cast<int>(DivRoundEven(rule.nominalNarrow.Micrometres() * dpi, kUmPerInch)));
  const int quietMinDots = static_cast<int>((rule.quietMin.Micrometres() * dpi + kUmPerInch - 1) / kUmPerInch);
  for (int narrow = nominal; narrow >= 1 && AtLeast(narrow, dpi, rule.minNarrow); --narrow) {
    const int lo = (narrow * rule.minRatioPercent + 99) / 100;
    const int hi = narrow * rule.maxRatioPercent / 100;
    if (lo > hi) return std::nullopt;  // no whole dot keeps the ratio
    const int wide = std::clamp(static_cast<int>(DivRoundEven(std::int64_t{narrow} * rule.ratioPercent, 100)), lo, hi);
    const TDotBars bars{narrow, wide, std::max(rule.quietNarrow * narrow, quietMinDots)};
    if (bars.Code39Width(chars) + 2 * bars.quiet <= availableDots) return bars;
  }
  return std::nullopt;
}

std::vector<bool> Code39Elements(std::string_view text) {
  TLLBarcode code;
  code.Params.CodeType = CODE39;
  const std::size_t n = std::min(text.size(), kCaptionSize - 1);
  std::memcpy(code.Params.Caption, text.data(), n);
  code.Params.Caption[n] = '\0';
  code.Encode();
  const std::size_t chars = BoundedLength(code.CodeText, kCodeTextSize);
  std::vector<bool> elements(chars * 9);
  for (std::size_t i = 0; i < elements.size(); ++i) elements[i] = code.Elements[i] != 0;
  return elements;
}

void FillCode39Bars(TSurface& s, const std::vector<bool>& elements, const TDotBars& bars, int left, int top,
                    int bottom) {
  s.SetBrushStyle(TBrushStyle::Solid);
  s.SetBrushColor(0x000000);
  int x = left;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0 && i % 9 == 0) x += bars.narrow;  // the gap between characters
    const int w = elements[i] ? bars.wide : bars.narrow;
    if (i % 9 % 2 == 0) s.FillRect(x, top, x + w, bottom);  // bars at even places
    x += w;
  }
}

}  // namespace vantor
