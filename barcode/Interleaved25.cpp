#include "barcode/Interleaved25.h"

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"

namespace vantor {

// Element flags go to Elements (1 = wide), then one walk turns them into modules:
// odd elements are bars, even ones spaces, with no gaps between characters.
void TLLBarcode::Encode25i() {
  std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  n -= n % 2;  // the check rule makes the count even; never pair past the text
  std::size_t e = 0;
  auto element = [&](std::uint8_t wide) {
    if (e < kElementsSize) Elements[e] = wide;
    ++e;
  };
  for (int i = 0; i < 4; ++i) element(0);  // start: narrow bar, space, bar, space
  for (std::size_t k = 0; k < n / 2; ++k) {
    const char* bars = k25Patterns[DigitValue(CodeText[2 * k])];
    const char* spaces = k25Patterns[DigitValue(CodeText[2 * k + 1])];
    for (int j = 0; j < 5; ++j) {
      element(bars[j] == '1');
      element(spaces[j] == '1');
    }
  }
  element(1);  // stop: wide bar, narrow space, narrow bar
  element(0);
  element(0);

  const int wide = Params.Ratio == Ratio_2 ? 2 : 3;
  ModuleWriter out(*this);
  for (std::size_t i = 0; i < e; ++i) out.Put(i % 2 == 0 ? 1 : 0, Elements[i] ? wide : 1);
  out.Finish();
}

}  // namespace vantor
