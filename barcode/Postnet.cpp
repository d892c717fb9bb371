#include "barcode/Postnet.h"

#include <cstring>

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"

namespace vantor {

// A full-height frame bar, five positions per digit, a closing frame bar.
void TLLBarcode::EncodePostnet() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  ModuleWriter out(*this);
  out.Put(1);
  for (std::size_t i = 0; i < n; ++i) {
    const char* bars = PostnetTable.Digits[DigitValue(CodeText[i])];
    for (int j = 0; j < 5; ++j) out.Put(bars[j] == '1');
  }
  out.Put(1);
  out.Finish();
}

// The first character picks the mark (A, B, anything else C); the code text
// becomes the mark's name, which is what the text line shows.
void TLLBarcode::EncodeFIM() {
  const char first = CodeText[0];
  const int mark = (first == 'A' || first == 'a') ? 0 : (first == 'B' || first == 'b') ? 1 : 2;
  std::strcpy(CodeText, PostnetTable.FimNames[mark]);
  ModuleWriter out(*this);
  for (int j = 0; j < 9; ++j) out.Put(PostnetTable.FimPatterns[mark][j] == '1');
  out.Finish();
}

}  // namespace vantor
