#include "barcode/Code39.h"

#include <cstring>

#include "barcode/BarLL.h"
#include "barcode/CharFilter.h"
#include "barcode/Pattern.h"

namespace vantor {

namespace {

constexpr CharSet kCode39Set = MakeSet(TBarCode39::Chars);

constexpr std::array<std::int8_t, 256> MakeIndex() {
  std::array<std::int8_t, 256> index{};
  for (auto& i : index) i = -1;
  for (std::size_t i = 0; i < TBarCode39::kCount; ++i)
    index[static_cast<unsigned char>(TBarCode39::Chars[i])] = static_cast<std::int8_t>(i);
  return index;
}
constexpr auto kIndex = MakeIndex();

// Each character expanded to modules, the inter-character gap included:
// 16 modules with ratio 3, 13 with ratio 2.
template <int Wide>
struct Expanded {
  static constexpr int kLength = 6 + 3 * Wide + 1;
  std::array<std::uint8_t, kLength> modules[TBarCode39::kCount] = {};
  std::uint8_t elements[TBarCode39::kCount][9] = {};  // 1 = wide
  constexpr Expanded() {
    for (std::size_t c = 0; c < TBarCode39::kCount; ++c) {
      TModuleArray<kLength> m;
      m.PutPattern(TBarCode39::Patterns[c], TPatternForm::NarrowWide, Wide);
      m.Put(0);  // gap
      modules[c] = m.modules;
      for (int e = 0; e < 9; ++e) elements[c][e] = TBarCode39::Patterns[c][e] == '1';
    }
  }
};
constexpr Expanded<3> kRatio3{};
constexpr Expanded<2> kRatio2{};
static_assert(Expanded<3>::kLength == 16 && Expanded<2>::kLength == 13);

}  // namespace

int TBarCode39::IndexOf(unsigned char c) { return kIndex[c] < 0 ? 0 : kIndex[c]; }

std::size_t Code39Prepare(char* caption, char* out) {
  out[0] = '*';
  const std::size_t n = FilterInto(caption, out + 1, kCode39Set) + 1;
  out[n] = '*';
  out[n + 1] = '\0';
  return n + 1;
}

void TLLBarcode::EncodeCode39() {
  const std::size_t n = BoundedLength(CodeText, kCodeTextSize);
  const bool ratio2 = Params.Ratio == Ratio_2;
  const int width = ratio2 ? Expanded<2>::kLength : Expanded<3>::kLength;
  ModuleWriter out(*this);
  std::uint8_t* p = out.Reserve(static_cast<int>(n) * width);
  for (std::size_t i = 0; i < n; ++i) {
    const int index = TBarCode39::IndexOf(static_cast<unsigned char>(CodeText[i]));
    if (9 * (i + 1) <= kElementsSize) std::memcpy(Elements + 9 * i, kRatio3.elements[index], 9);
    if (ratio2)
      std::memcpy(p, kRatio2.modules[index].data(), Expanded<2>::kLength);
    else
      std::memcpy(p, kRatio3.modules[index].data(), Expanded<3>::kLength);
    p += width;
  }
  out.Finish();
}

}  // namespace vantor
