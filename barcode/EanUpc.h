// EAN-8, EAN-13, UPC-A, UPC-E and the 2- and 5-digit add-ons.
#pragma once

#include <cstddef>
#include <string_view>

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

}  // namespace vantor
