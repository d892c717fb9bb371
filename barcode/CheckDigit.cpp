#include "barcode/CheckDigit.h"

#include "barcode/BarLL.h"
#include "barcode/EanUpc.h"

namespace vantor {

int CheckWeight(btCodeTypes type, std::size_t i) {
  const bool odd = i % 2 == 0;  // 1st, 3rd, ... digit from the left
  switch (type) {
    case EAN_13: return odd ? 1 : 3;
    case EAN_8:
    case UPC_A:
    case UPC_E:
    case CODE25i: return odd ? 3 : 1;
    case CODE25iP: return odd ? 4 : 9;
    case Postnet: return 1;
    default: throw EOverflow(msg::kNoCheckChar);
  }
}

int WeightedCheckDigit(std::string_view digits, btCodeTypes type) {
  if (type == UPC_E) {
    const UpcEExpansion expanded = ExpandUPCE(digits);
    return WeightedCheckDigit(std::string_view(expanded.digits, expanded.length), UPC_A);
  }
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) sum += DigitValue(digits[i]) * CheckWeight(type, i);
  return Mod10Complement(sum);
}

void AppendCheckDigit(char* text, btCodeTypes type) {
  const std::size_t n = BoundedLength(text, kCodeTextSize);
  if (n + 1 >= kCodeTextSize) throw EOverflow("BarLL: Module buffer overflow");
  text[n] = static_cast<char>('0' + WeightedCheckDigit(std::string_view(text, n), type));
  text[n + 1] = '\0';
}

}  // namespace vantor
