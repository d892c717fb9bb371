#include "barcode/MsiPlessey.h"

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"

namespace vantor {

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

// Start bit 1, four bits per digit (8-4-2-1), stop bits 00. A 1 bit is a wide bar
// and a narrow space, a 0 bit a narrow bar and a wide space. Every bit is kept:
// the module buffer holds the longest caption with its stop.
void TLLBarcode::EncodeMSI() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  const int wide = Params.Ratio == Ratio_2 ? 2 : 3;
  ModuleWriter out(*this);
  auto bit = [&](bool one) {
    out.Put(1, one ? wide : 1);
    out.Put(0, one ? 1 : wide);
  };
  bit(true);
  for (std::size_t i = 0; i < n; ++i) {
    const int d = DigitValue(CodeText[i]);
    for (int b = 3; b >= 0; --b) bit((d >> b) & 1);
  }
  bit(false);
  bit(false);
  out.Finish();
}

}  // namespace vantor
