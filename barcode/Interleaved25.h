// Interleaved 2 of 5 (CODE25i and CODE25iP share one encoder).
#pragma once

#include <cstddef>

#include "barcode/BarTypes.h"

namespace vantor {

// Five elements per digit, '1' = wide, exactly two wide: the standard 2 of 5 table.
inline constexpr const char* k25Patterns[10] = {"00110", "10001", "01001", "11000", "00101",
                                                "10100", "01100", "00011", "10010", "01010"};

// Digits pair up: an odd count of `len` gets the weighted check digit, an even one stays.
void Interleaved25Check(char* text, std::size_t len, btCodeTypes type);

}  // namespace vantor
