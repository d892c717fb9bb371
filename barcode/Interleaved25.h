// Interleaved 2 of 5 (CODE25i and CODE25iP share one encoder).
#pragma once

namespace vantor {

// Five elements per digit, '1' = wide, exactly two wide: the standard 2 of 5 table.
inline constexpr const char* k25Patterns[10] = {"00110", "10001", "01001", "11000", "00101",
                                                "10100", "01100", "00011", "10010", "01010"};

}  // namespace vantor
