#include "barcode/Postnet.h"

#include <cstring>

#include "barcode/BarLL.h"
#include "barcode/CharFilter.h"
#include "barcode/CheckDigit.h"

namespace vantor {

namespace {
constexpr CharSet kPostnetSet = MakeSet(TBarPostnet::ValidChars);
constexpr CharSet kFimSet = MakeSet("ABCabc");
}  // namespace

std::size_t PostnetPrepare(char* caption, char* out) { return FilterInto(caption, out, kPostnetSet); }
std::size_t FimPrepare(char* caption, char* out) { return FilterInto(caption, out, kFimSet); }

void PostnetCheck(char* text, std::size_t len, btCodeTypes type) {
  AppendCheckDigit(text, PadTo(text, len, len >= 11 ? 11 : len >= 9 ? 9 : 5), type);
}

// A full-height frame bar, five positions per digit, a closing frame bar.
void TLLBarcode::EncodePostnet() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  ModuleWriter out(*this);
  out.Put(1);
  for (std::size_t i = 0; i < n; ++i) out.PutPattern(PostnetTable.Digits[DigitValue(CodeText[i])]);
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
  out.PutPattern(PostnetTable.FimPatterns[mark]);
  out.Finish();
}

}  // namespace vantor
