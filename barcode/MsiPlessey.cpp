#include "barcode/MsiPlessey.h"

#include <string_view>

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"

namespace vantor {

namespace {

// A bit is two elements: 1 a wide bar and a narrow space, 0 a narrow bar and a
// wide space. Start bit 1, each digit's four bits (8-4-2-1), stop bits 00.
constexpr std::string_view kStart = "10";
constexpr std::string_view kDigits[10] = {"01010101", "01010110", "01011001", "01011010", "01100101",
                                          "01100110", "01101001", "01101010", "10010101", "10010110"};
constexpr std::string_view kStop = "0101";

constexpr bool DigitsMatchTheirBits() {
  for (int d = 0; d < 10; ++d)
    for (int b = 0; b < 4; ++b) {
      const bool one = (d >> (3 - b)) & 1;
      if (kDigits[d].substr(static_cast<std::size_t>(2 * b), 2) != (one ? "10" : "01")) return false;
    }
  return true;
}
static_assert(DigitsMatchTheirBits());

}  // namespace

// P = the rightmost digit and every second one to its left, read as a number
// and doubled; Q = the others. The check digit completes the digit sum of 2P
// and Q to a multiple of 10. Doubling digit by digit gives the digit sum of 2P
// exactly (a carry is at most 1 and 2d mod 10 is at most 8), so captions of any
// length get a correct check digit, not only those whose P fits in 32 bits.
void AddMSIProofchar(char* codeText, btCodeTypes type) {
  if (type != MSI_Plessey) throw EOverflow(msg::kMsiType);
  const std::size_t n = BoundedLength(codeText, kCodeTextSize);
  int sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int d = DigitValue(codeText[i]);
    const bool inP = (n - 1 - i) % 2 == 0;
    sum += inP ? (2 * d) / 10 + (2 * d) % 10 : d;
  }
  if (n + 1 >= kCodeTextSize) throw EOverflow("BarLL: Module buffer overflow");
  codeText[n] = static_cast<char>('0' + Mod10Complement(sum));
  codeText[n + 1] = '\0';
}

void MsiCheck(char* text, std::size_t, btCodeTypes type) { AddMSIProofchar(text, type); }

// Every bit is kept: the module buffer holds the longest caption with its stop.
void TLLBarcode::EncodeMSI() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  const int wide = Params.Ratio == Ratio_2 ? 2 : 3;
  ModuleWriter out(*this);
  out.PutPattern(kStart, TPatternForm::NarrowWide, wide);
  for (std::size_t i = 0; i < n; ++i) out.PutPattern(kDigits[DigitValue(CodeText[i])], TPatternForm::NarrowWide, wide);
  out.PutPattern(kStop, TPatternForm::NarrowWide, wide);
  out.Finish();
}

}  // namespace vantor
