// Caption filtering shared by the families' preparation steps.
#pragma once

#include <array>
#include <cstddef>

#include "barcode/BarTypes.h"

namespace vantor {

// Membership table of a valid-character set, built at compile time.
using CharSet = std::array<bool, 256>;
constexpr CharSet MakeSet(const char* valid) {
  CharSet set{};
  for (const char* v = valid; *v; ++v) set[static_cast<unsigned char>(*v)] = true;
  return set;
}
inline constexpr CharSet kDigitSet = MakeSet("0123456789");

// Copies each caption character found in the set, any other as '0', so every
// character keeps its position. Returns the length.
inline std::size_t FilterInto(const char* caption, char* out, const CharSet& valid) {
  std::size_t n = 0;
  for (; n < kCaptionSize && caption[n] != '\0'; ++n) {
    const unsigned char c = static_cast<unsigned char>(caption[n]);
    out[n] = valid[c] ? static_cast<char>(c) : '0';
  }
  out[n] = '\0';
  return n;
}

// The preparation of the digit-only symbologies.
inline std::size_t FilterDigits(char* caption, char* out) { return FilterInto(caption, out, kDigitSet); }

// Cut to at most n characters, then append '0' until there are n.
inline std::size_t PadTo(char* text, std::size_t len, std::size_t n) {
  while (len < n) text[len++] = '0';
  text[n] = '\0';
  return n;
}

}  // namespace vantor
