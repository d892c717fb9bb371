// Postnet (ZIP codes) and the facing identification marks (FIM).
#pragma once

#include <cstddef>

#include "barcode/BarTypes.h"

namespace vantor {

// Five bar positions per digit ('1' = full height), the POSTNET digit table of
// the postal standard; the three FIM patterns ('1' = bar).
struct TBarPostnet {
  static constexpr const char ValidChars[] = "0123456789";
  static constexpr const char* Digits[10] = {"11000", "00011", "00101", "00110", "01001",
                                             "01010", "01100", "10001", "10010", "10100"};
  static constexpr const char* FimNames[3] = {"FIM-A", "FIM-B", "FIM-C"};
  static constexpr const char* FimPatterns[3] = {"110010011", "101101101", "110101011"};
};

inline constexpr TBarPostnet PostnetTable{};

// Preparation: Postnet keeps digits, FIM the letters A to C (any case); any
// other character becomes '0'.
std::size_t PostnetPrepare(char* caption, char* out);
std::size_t FimPrepare(char* caption, char* out);

// Pads to 5, 9 or 11 digits (ZIP, ZIP+4, delivery point), then the check digit.
void PostnetCheck(char* text, std::size_t len, btCodeTypes type);

}  // namespace vantor
