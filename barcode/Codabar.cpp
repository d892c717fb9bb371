#include "barcode/Codabar.h"

#include <cstring>

#include "barcode/BarLL.h"

namespace vantor {

namespace {
bool IsStartStop(char c) { return c >= 'A' && c <= 'D'; }
}  // namespace

int TBarCodabar::IndexOf(char c) {
  if (c == '\0') return -1;
  const char* p = std::strchr(Chars, c);
  return p ? static_cast<int>(p - Chars) : -1;
}

std::size_t CodabarPrepare(char* caption, char* out) {
  constexpr std::size_t cap = kCodeTextSize;
  const std::size_t n = BoundedLength(caption, kCaptionSize);
  for (std::size_t i = 0; i < n; ++i)
    if (caption[i] >= 'a' && caption[i] <= 'z') caption[i] = static_cast<char>(caption[i] - 'a' + 'A');

  std::size_t len = 0;
  auto append = [&](char c) {
    if (len + 1 < cap) out[len++] = c;
  };
  for (std::size_t i = 0; i < n; ++i) {
    const char c = caption[i];
    if (i == 0 && !IsStartStop(c)) append('A');
    if (TBarCodabar::IndexOf(c) >= 0) append(c);
    if (i == n - 1 && !IsStartStop(c)) append('A');
  }
  while (len < 2) append('A');
  if (len > 2)
    for (std::size_t i = 1; i + 1 < len; ++i)
      if (IsStartStop(out[i])) out[i] = '0';
  out[len] = '\0';
  return len;
}

void TLLBarcode::EncodeCodabar() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  const int wide = Params.Ratio == Ratio_2 ? 2 : 3;
  ModuleWriter out(*this);
  for (std::size_t i = 0; i < n; ++i) {
    const int index = TBarCodabar::IndexOf(CodeText[i]);
    const char* pattern = TBarCodabar::Patterns[index < 0 ? 0 : index];
    out.PutPattern(pattern, TPatternForm::NarrowWide, wide);
    out.Put(0);  // separator, also after the last character
  }
  out.Finish();
}

}  // namespace vantor
