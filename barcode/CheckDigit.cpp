#include "barcode/CheckDigit.h"

#include "barcode/BarLL.h"
#include "barcode/EanUpc.h"

namespace vantor {

namespace {
struct Weights {
  int odd;   // 1st, 3rd, ... digit from the left
  int even;  // 2nd, 4th, ...
};
Weights WeightsOf(btCodeTypes type) {
  switch (type) {
    case EAN_13: return {1, 3};
    case EAN_8:
    case UPC_A:
    case UPC_E:
    case CODE25i: return {3, 1};
    case CODE25iP: return {4, 9};
    case Postnet: return {1, 1};
    default: throw EOverflow(msg::kNoCheckChar);
  }
}
}  // namespace

int WeightedCheckDigit(std::string_view digits, btCodeTypes type) {
  if (type == UPC_E) {
    const UpcEExpansion expanded = ExpandUPCE(digits);
    return WeightedCheckDigit(std::string_view(expanded.digits, expanded.length), UPC_A);
  }
  const Weights w = WeightsOf(type);
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
