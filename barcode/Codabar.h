// Codabar: digits, six punctuation marks and the start/stop letters A to D.
#pragma once

#include <cstddef>

namespace vantor {

// Seven elements per character (bar, space, ..., bar; '1' = wide), as the
// two-width Codabar character table of EN 798.
struct TBarCodabar {
  static constexpr const char Chars[] = "0123456789-$:/.+ABCD";
  static constexpr const char* Patterns[20] = {
      "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001", "0100100", "0110000", "1001000",
      "0001100", "0011000", "1000101", "1010001", "1010100", "0010101", "0011010", "0101001", "0001011", "0001110"};
  static_assert(sizeof(Chars) - 1 == 20);
  static int IndexOf(char c);  // -1 when not a Codabar character
};

inline constexpr TBarCodabar CodabarTable{};

// Upper-cases `caption` in place and writes the Codabar text (start and stop
// supplied, invalid characters dropped, inner A-D turned to '0') to `out`
// (kCodeTextSize bytes). Returns its length.
std::size_t CodabarPrepare(char* caption, char* out);

}  // namespace vantor
