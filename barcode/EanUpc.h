// EAN-8, EAN-13, UPC-A, UPC-E and the 2- and 5-digit add-ons: their tables,
// check steps and the geometry the linear renderer draws them with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "barcode/BarTypes.h"

namespace vantor {

// Digit patterns, 7 modules each, as number sets A, B and C of ISO/IEC 15420.
inline constexpr const char* kEanSetA[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                             "0110001", "0101111", "0111011", "0110111", "0001011"};
inline constexpr const char* kEanSetB[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                             "0111001", "0000101", "0010001", "0001001", "0010111"};
inline constexpr const char* kEanSetC[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                             "1001110", "1010000", "1000100", "1001000", "1110100"};

// Parity tables (A or B per digit), equal to the standard's.
inline constexpr const char* kEan13Parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                                 "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
inline constexpr const char* kUpcEParity[10] = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                                "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
inline constexpr const char* kAddon5Parity[10] = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                                  "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};
inline constexpr const char* kAddon2Parity[4] = {"AA", "AB", "BA", "BB"};

// The UPC-A form (number system 0) of six UPC-E data digits.
struct UpcEExpansion {
  char digits[11];
  std::size_t length;
};
// Raises "Decoded legth of UPC-E code is wrong!" unless given exactly six digits.
UpcEExpansion ExpandUPCE(std::string_view six);

// Checksum that selects the parity of a 5-digit add-on.
int Addon5Checksum(std::string_view digits);

// ---- Drawing geometry ----
// Module numbers count from 1, heights are fractions of the nominal bar height.

// Where a group of the human-readable digits is centred.
enum class TEanTextAnchor : std::uint8_t {
  Module,       // on the left edge of `module`
  LeftMargin,   // in the middle of the left margin
  RightMargin,  // in the middle of the right margin, which begins one module after `module`
};

struct TEanTextGroup {
  std::uint8_t first;  // characters first .. last of the code text
  std::uint8_t last;
  TEanTextAnchor anchor;
  std::uint8_t module;
};

struct TModuleRange {
  std::uint8_t first;
  std::uint8_t last;
};

struct TEanUpcLayout {
  double heightModules;  // nominal bar height in module widths
  int marginModules;     // light margin left (and right) of the bars, which holds outer digits
  // Bars starting inside these ranges (the data characters) stop short at
  // kEanDataBarHeight; the guard bars run to the full height. {0, 0}: unused.
  std::array<TModuleRange, 2> dataAreas;
  std::array<TEanTextGroup, 4> text;
  std::size_t textGroups;
  // 0: no add-on. Otherwise bars from this module on belong to the add-on and
  // start below its digits.
  int addonFromModule = 0;
  // After drawing the code text keeps at most this many characters (0: all):
  // UPC-E's check digit only selects the parity and is not shown.
  std::size_t shownLength = 0;

  constexpr bool InDataArea(int module) const {
    for (const TModuleRange& r : dataAreas)
      if (r.first != 0 && module >= r.first && module <= r.last) return true;
    return false;
  }
};

inline constexpr double kEanDataBarHeight = 0.917;  // the data bars end, the digits begin
inline constexpr double kEanTextBoxTop = 0.9336;    // the symbol's box holds a text line from here down

extern const TEanUpcLayout kEan8Layout;
extern const TEanUpcLayout kEan13Layout;
extern const TEanUpcLayout kUpcALayout;
extern const TEanUpcLayout kUpcELayout;

// The module the add-on digits are centred on, for an add-on of `length`
// digits; 0 when there is no such add-on.
int EanAddonTextModule(std::size_t length);

}  // namespace vantor
