#include "colors/ColorRules.h"

#include <algorithm>

namespace vantor {

namespace {
TSampleCells SampleCells(TColor letters, TColor digits) {
  TSampleCells cells{};
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = i < kSampleLetterCells ? letters : digits;
  return cells;
}
}  // namespace

TSwatchColors SchemeSwatchColors(const TColorTable& table) {
  TSwatchColors out;
  std::copy_n(table.begin(), kSwatchCount, out.Swatches.begin());
  out.Cells = SampleCells(table[kAlphaEntry], table[0]);
  return out;
}

TSampleCells CustomAlphaCellColors(const TColorTable& table, int digit) {
  const int d = std::clamp(digit, kAlphaDigitMin, kAlphaDigitMax);
  return SampleCells(table[static_cast<std::size_t>(d)], table[0]);
}

bool ApplyCustomAlpha(TColorTable& table, int digit) {
  if (digit < kAlphaDigitMin || digit > kAlphaDigitMax) return false;
  table[kAlphaEntry] = table[static_cast<std::size_t>(digit)];
  return true;
}

}  // namespace vantor
