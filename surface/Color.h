// The colour value every layer draws with, and its conversion from #RRGGBB.
#pragma once

#include <cstdint>

namespace vantor {

// The toolkit's colour value: red in the low byte, then green, then blue.
using TColor = std::uint32_t;

constexpr TColor ColorFromRgb(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}
constexpr std::uint32_t RgbFromColor(TColor c) { return ColorFromRgb(c); }  // the swap is its own inverse

}  // namespace vantor
