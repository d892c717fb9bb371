#include "barcode/Code128.h"

#include <cstring>

#include "barcode/BarLL.h"

namespace vantor {

namespace {

bool IsDigit(unsigned char b) { return b >= '0' && b <= '9'; }
int AsDigit(unsigned char b) { return IsDigit(b) ? b - '0' : 0; }

// One walk over the input serves both forms. In the encode form `emit` gets
// symbol-character bytes; in the display form `show` gets display text.
// A digit still pending in set C when the set is switched away is flushed as
// (switch to A, the digit), the same way the end of input flushes it, so no
// data is dropped.
// `lead`, when not 0, is read before the input (the start marker of the code type).
template <class Emit, class Show>
void Walk(unsigned char lead, const unsigned char* in, std::size_t n, Emit&& emit, Show&& show) {
  char set = 0;  // 0 until a start marker, then 'A', 'B' or 'C'
  int pending = -1;

  auto flushPending = [&] {
    emit(kC128CodeA);
    emit(static_cast<unsigned char>('0' + pending));
    show(static_cast<char>('0' + pending));
    pending = -1;
    set = 'A';
  };

  const std::size_t first = lead ? 0 : 1;
  for (std::size_t i = first; i <= n; ++i) {
    const unsigned char b = i == 0 ? lead : in[i - 1];
    if (b >= kC128StartA && b <= kC128StartC) {
      if (set == 'C' && pending >= 0 && b != kC128StartC) flushPending();
      set = static_cast<char>('A' + (b - kC128StartA));
      emit(b);
      continue;
    }
    if (b == kC128CodeC || b == kC128CodeB || b == kC128CodeA) {
      const char target = b == kC128CodeC ? 'C' : b == kC128CodeB ? 'B' : 'A';
      if (set == 'C' && pending >= 0 && target != 'C') {
        flushPending();
        if (target == 'A') continue;  // the flush already switched to A
      }
      if (set != 0 && set != target) {
        set = target;
        emit(b);
      } else {
        emit(b);
        show(' ');
      }
      continue;
    }
    if (set == 'C') {
      if (pending < 0) {
        if (b == kC128FNC1) {
          emit(b);
          show(' ');
        } else {
          pending = AsDigit(b);
        }
      } else {
        emit(static_cast<unsigned char>(32 + 10 * pending + AsDigit(b)));
        show(static_cast<char>('0' + pending));
        show(static_cast<char>('0' + AsDigit(b)));
        pending = -1;
      }
      continue;
    }
    emit(b);
    if ((set == 'A' && b <= 95) || (set == 'B' && b <= 126))
      show(static_cast<char>(b));
    else
      show(' ');
  }
  if (set == 'C' && pending >= 0) {
    emit(kC128CodeA);
    emit(static_cast<unsigned char>('0' + pending));
    show(static_cast<char>('0' + pending));
  }
  emit(kC128Stop);
}

}  // namespace

std::size_t Code128StreamEncode(unsigned char start, const char* caption, std::size_t n, char* out, std::size_t cap) {
  std::size_t len = 0;
  auto emit = [&](unsigned char b) {
    if (len + 1 >= cap) throw EOverflow(msg::kCode128);
    out[len++] = static_cast<char>(b);
  };
  auto ignore = [](char) {};
  Walk(start, reinterpret_cast<const unsigned char*>(caption), n, emit, ignore);
  out[len] = '\0';
  return len;
}

std::string Code128Stream(std::string_view text, TStreamForm form) {
  std::string result;
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  if (form == TStreamForm::Encode) {
    Walk(
        0, in, text.size(), [&](unsigned char b) { result.push_back(static_cast<char>(b)); }, [](char) {});
  } else {
    Walk(
        0, in, text.size(), [](unsigned char) {}, [&](char c) { result.push_back(c); });
  }
  return result;
}

void Code128Check(char* text, std::size_t, btCodeTypes) { AddCode128Check(text, kCodeTextSize); }

void AddCode128Check(char* codeText, std::size_t cap) {
  const std::size_t n = BoundedLength(codeText, cap);
  if (n < 2 || n + 1 >= cap) throw EOverflow(msg::kCode128);
  const auto* t = reinterpret_cast<const unsigned char*>(codeText);
  int sum = TBarCode128::ValueOf(t[0]);
  if (sum < 0) throw EOverflow(msg::kCode128);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const int v = TBarCode128::ValueOf(t[i]);
    if (v < 0) throw EOverflow(msg::kCode128);
    sum += static_cast<int>(i) * v;
  }
  codeText[n - 1] = static_cast<char>(32 + sum % 103);
  codeText[n] = static_cast<char>(kC128Stop);
  codeText[n + 1] = '\0';
}

namespace {
constexpr auto kStopBar = PatternModules<2>("2", TPatternForm::Widths);  // the stop's final bar
}  // namespace

void TLLBarcode::EncodeCode128() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  ModuleWriter out(*this);
  std::uint8_t* p = out.Reserve(static_cast<int>(11 * n + 2));
  for (std::size_t i = 0; i < n; ++i, p += 11) {
    const int v = TBarCode128::ValueOf(static_cast<unsigned char>(CodeText[i]));
    std::memcpy(p, Code128Table.Modules[static_cast<std::size_t>(v < 0 ? 0 : v)].data(), 11);
  }
  std::memcpy(p, kStopBar.data(), kStopBar.size());
  out.Finish();
}

}  // namespace vantor
