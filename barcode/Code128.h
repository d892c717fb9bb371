// Code 128: preparation (the symbol-character stream), check character and encoder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "barcode/BarLL.h"
#include "barcode/Pattern.h"

namespace vantor {

// A symbol character of value v is held as the byte v + 32.
inline constexpr unsigned char kC128CodeC = 131;
inline constexpr unsigned char kC128CodeB = 132;
inline constexpr unsigned char kC128CodeA = 133;
inline constexpr unsigned char kC128FNC1 = 134;
inline constexpr unsigned char kC128StartA = 135;
inline constexpr unsigned char kC128StartB = 136;
inline constexpr unsigned char kC128StartC = 137;
inline constexpr unsigned char kC128Stop = 138;

// Bar/space widths of the 107 symbol values (ISO/IEC 15417 symbol character
// table, bar first). The stop keeps only its first six widths; the encoder adds
// its final two-module bar.
struct TBarCode128 {
  static constexpr const char* Widths[107] = {
      "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", "221312",
      "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", "221231", "213212",
      "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", "232121",
      "111323", "131123", "131321", "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",
      "132131", "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131", "311123",
      "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", "111422", "121124",
      "121421", "141122", "141221", "112214", "112412", "122114", "122411", "142112", "142211", "241211", "221114",
      "413111", "241112", "134111", "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",
      "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
      "113141", "114131", "311141", "411131", "211412", "211214", "211232", "233111"};

  // Module patterns (11 per value), built from Widths.
  std::array<std::array<std::uint8_t, 11>, 107> Modules{};
  constexpr TBarCode128() {
    for (std::size_t v = 0; v < 107; ++v) Modules[v] = PatternModules<11>(Widths[v], TPatternForm::Widths);
  }

  // Symbol value of a byte: its position in the map of bytes 32..138, or -1.
  static constexpr int ValueOf(unsigned char b) { return (b >= 32 && b <= 138) ? b - 32 : -1; }
};

inline constexpr TBarCode128 Code128Table{};

enum class TStreamForm { Encode, Display };

// Encode form: the caption (after the start marker) as symbol-character bytes,
// stop included. Writes a NUL-terminated result of at most cap - 1 bytes.
std::size_t Code128StreamEncode(unsigned char start, const char* caption, std::size_t n, char* out, std::size_t cap);
// Either form on a text whose first byte is the start marker.
std::string Code128Stream(std::string_view text, TStreamForm form);

// Inserts the modulo-103 check character before the stop.
// Raises "ZurizID: Code128 error" for a byte outside 32..138.
void AddCode128Check(char* codeText, std::size_t cap);

// The steps of the symbology table: the stream after the set's start marker
// (`out` holds kCodeTextSize bytes), and AddCode128Check.
template <unsigned char Start>
std::size_t Code128Prepare(char* caption, char* out) {
  return Code128StreamEncode(Start, caption, BoundedLength(caption, kCaptionSize), out, kCodeTextSize);
}
void Code128Check(char* text, std::size_t len, btCodeTypes type);

}  // namespace vantor
