// Code 39: the symbology of every tape label.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantor {

// The 44 characters and their nine-element patterns (bar, space, ... bar;
// '1' = wide), as in the Code 39 standard character table (ISO/IEC 16388).
struct TBarCode39 {
  static constexpr const char Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
  static constexpr std::size_t kCount = 44;
  static constexpr const char* Patterns[kCount] = {
      "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000", "000100101",
      "100100100", "001100100", "100001001", "001001001", "101001000", "000011001", "100011000", "001011000",
      "000001101", "100001100", "001001100", "000011100", "100000011", "001000011", "101000010", "000010011",
      "100010010", "001010010", "000000111", "100000110", "001000110", "000010110", "110000001", "011000001",
      "111000000", "010010001", "110010000", "011010000", "010000101", "110000100", "011000100", "010101000",
      "010100010", "010001010", "000101010", "010010100"};
  static_assert(sizeof(Chars) - 1 == kCount);

  // Index of a character in Chars; a character not in the table takes 0.
  static int IndexOf(unsigned char c);
};

inline constexpr TBarCode39 Code39Table{};

// The code text: '*', the caption with any character outside the table as '0', '*'.
std::size_t Code39Prepare(char* caption, char* out);

}  // namespace vantor
