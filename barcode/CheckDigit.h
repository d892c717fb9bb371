// The weighted modulo-10 check digit shared by EAN/UPC, Interleaved 2 of 5 and Postnet.
#pragma once

#include <cstddef>
#include <string_view>

#include "barcode/BarTypes.h"
#include "barcode/CharFilter.h"

namespace vantor {

// Value of an ASCII digit; anything else counts as 0 (filtered text never holds it,
// but raw input must not index out of a table).
constexpr int DigitValue(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

// 0 when the weighted sum is a multiple of 10, else 10 minus its remainder.
constexpr int Mod10Complement(int sum) { return sum % 10 == 0 ? 0 : 10 - sum % 10; }

// The check digit of `digits` with the weights of `type` in the symbology table
// (EAN_8, EAN_13, UPC_A, CODE25i, CODE25iP and Postnet); for UPC_E it is taken
// over the 11-digit expansion of the six digits.
// Raises "ZurizID: No check char with this barcode type" for types without weights.
int WeightedCheckDigit(std::string_view digits, btCodeTypes type);

// Appends the check digit to the text of length `len` (kCodeTextSize buffer)
// and returns the new length.
std::size_t AppendCheckDigit(char* text, std::size_t len, btCodeTypes type);

// The check step of the fixed-length symbologies: the digits padded with '0'
// or cut to N, then the check digit.
template <std::size_t N>
void PadAndAppendCheckDigit(char* text, std::size_t len, btCodeTypes type) {
  AppendCheckDigit(text, PadTo(text, len, N), type);
}

}  // namespace vantor
