#include "barcode/CheckDigit.h"

#include "barcode/BarLL.h"
#include "barcode/EanUpc.h"
#include "barcode/Symbology.h"

namespace vantor {

int WeightedCheckDigit(std::string_view digits, btCodeTypes type) {
  const TCheckWeights w = static_cast<int>(type) < kCodeTypeCount ? kSymbologies[type].weights : TCheckWeights{};
  if (!w.Any()) throw EOverflow(msg::kNoCheckChar);
  UpcEExpansion expanded{};
  if (type == UPC_E) {
    expanded = ExpandUPCE(digits);
    digits = std::string_view(expanded.digits, expanded.length);
  }
  int odd = 0, even = 0;
  for (std::size_t i = 0; i < digits.size(); i += 2) odd += DigitValue(digits[i]);
  for (std::size_t i = 1; i < digits.size(); i += 2) even += DigitValue(digits[i]);
  return Mod10Complement(odd * w.odd + even * w.even);
}

std::size_t AppendCheckDigit(char* text, std::size_t n, btCodeTypes type) {
  if (n + 1 >= kCodeTextSize) throw EOverflow("BarLL: Module buffer overflow");
  text[n] = static_cast<char>('0' + WeightedCheckDigit(std::string_view(text, n), type));
  text[n + 1] = '\0';
  return n + 1;
}

}  // namespace vantor
