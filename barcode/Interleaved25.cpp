#include "barcode/Interleaved25.h"

#include <string_view>

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"

namespace vantor {

void Interleaved25Check(char* text, std::size_t len, btCodeTypes type) {
  if (len % 2 == 1) AppendCheckDigit(text, len, type);
}

// Each pair of digits is one run of ten elements: the first digit's pattern on
// the bars, the second's on the spaces, with no gaps between pairs. The element
// flags (1 = wide) also go to Elements.
void TLLBarcode::Encode25i() {
  std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  n -= n % 2;  // the check rule makes the count even; never pair past the text
  const int wide = Params.Ratio == Ratio_2 ? 2 : 3;
  ModuleWriter out(*this);
  std::size_t e = 0;
  auto put = [&](std::string_view elements) {
    for (const char c : elements) {
      if (e < kElementsSize) Elements[e] = c == '1';
      ++e;
    }
    out.PutPattern(elements, TPatternForm::NarrowWide, wide);
  };
  put("0000");  // start: narrow bar, space, bar, space
  for (std::size_t k = 0; k < n / 2; ++k) {
    const char* bars = k25Patterns[DigitValue(CodeText[2 * k])];
    const char* spaces = k25Patterns[DigitValue(CodeText[2 * k + 1])];
    char pair[10];
    for (int j = 0; j < 5; ++j) {
      pair[2 * j] = bars[j];
      pair[2 * j + 1] = spaces[j];
    }
    put(std::string_view(pair, sizeof pair));
  }
  put("100");  // stop: wide bar, narrow space, narrow bar
  out.Finish();
}

}  // namespace vantor
