#include "barcode/EanUpc.h"

#include <array>
#include <cstdint>

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"

namespace vantor {

namespace {

// The three sets expanded to module bytes once, at compile time.
using DigitModules = std::array<std::array<std::uint8_t, 7>, 10>;
constexpr DigitModules Expand(const char* const (&set)[10]) {
  DigitModules out{};
  for (int d = 0; d < 10; ++d)
    for (int m = 0; m < 7; ++m) out[d][m] = set[d][m] == '1';
  return out;
}
constexpr DigitModules kA = Expand(kEanSetA);
constexpr DigitModules kB = Expand(kEanSetB);
constexpr DigitModules kC = Expand(kEanSetC);

constexpr std::uint8_t kGuard[] = {1, 0, 1};
constexpr std::uint8_t kCentre[] = {0, 1, 0, 1, 0};
constexpr std::uint8_t kUpcEEnd[] = {0, 1, 0, 1, 0, 1};
constexpr std::uint8_t kAddonStart[] = {1, 0, 1, 1};
constexpr std::uint8_t kAddonSeparator[] = {0, 1};

void PutDigit(ModuleWriter& out, char digit, char set) {
  const int d = DigitValue(digit);
  const DigitModules& table = set == 'A' ? kA : set == 'B' ? kB : kC;
  out.PutPattern(table[d].data(), 7);
}

// Left half in the given parity, centre guard, right half in set C, end guard.
void PutTwoHalves(ModuleWriter& out, const char* left, const char* parity, const char* right, int half) {
  out.PutPattern(kGuard, 3);
  for (int i = 0; i < half; ++i) PutDigit(out, left[i], parity ? parity[i] : 'A');
  out.PutPattern(kCentre, 5);
  for (int i = 0; i < half; ++i) PutDigit(out, right[i], 'C');
  out.PutPattern(kGuard, 3);
  out.Finish();
}

// Add-on digits from module 105 on, after nine light modules of separation.
void PutAddon(TLLBarcode& bc, std::string_view digits, const char* parity) {
  ModuleWriter out(bc, 96);
  out.Skip(9);
  out.PutPattern(kAddonStart, 4);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0) out.PutPattern(kAddonSeparator, 2);
    PutDigit(out, digits[i], parity[i]);
  }
  out.Skip(1);  // the add-on ends on a light module
  out.Finish();
}

}  // namespace

UpcEExpansion ExpandUPCE(std::string_view six) {
  if (six.size() != 6) throw EOverflow(msg::kUpceLength);
  const char d1 = six[0], d2 = six[1], d3 = six[2], d4 = six[3], d5 = six[4], d6 = six[5];
  UpcEExpansion e{{'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'}, 11};
  char* t = e.digits + 1;  // after the number system 0
  switch (d6) {
    case '0': case '1': case '2':
      t[0] = d1; t[1] = d2; t[2] = d6; t[7] = d3; t[8] = d4; t[9] = d5;
      break;
    case '3':
      t[0] = d1; t[1] = d2; t[2] = d3; t[8] = d4; t[9] = d5;
      break;
    case '4':
      t[0] = d1; t[1] = d2; t[2] = d3; t[3] = d4; t[9] = d5;
      break;
    default:
      t[0] = d1; t[1] = d2; t[2] = d3; t[3] = d4; t[4] = d5; t[9] = d6;
      break;
  }
  return e;
}

int Addon5Checksum(std::string_view a) {
  return (3 * (DigitValue(a[0]) + DigitValue(a[2]) + DigitValue(a[4])) +
          9 * (DigitValue(a[1]) + DigitValue(a[3]))) % 10;
}

void TLLBarcode::EncodeEAN13() {
  ModuleWriter out(*this);
  PutTwoHalves(out, CodeText + 1, kEan13Parity[DigitValue(CodeText[0])], CodeText + 7, 6);
}

void TLLBarcode::EncodeUPCA() {
  ModuleWriter out(*this);
  PutTwoHalves(out, CodeText, nullptr, CodeText + 6, 6);
}

void TLLBarcode::EncodeEAN8() {
  ModuleWriter out(*this);
  PutTwoHalves(out, CodeText, nullptr, CodeText + 4, 4);
}

void TLLBarcode::EncodeUPCE() {
  ModuleWriter out(*this);
  const char* parity = kUpcEParity[DigitValue(CodeText[6])];
  out.PutPattern(kGuard, 3);
  for (int i = 0; i < 6; ++i) PutDigit(out, CodeText[i], parity[i]);
  out.PutPattern(kUpcEEnd, 6);
  out.Finish();
}

void TLLBarcode::EncodeAddon2() {
  const std::string_view digits(Params.CodeAddon, 2);
  const int value = DigitValue(digits[0]) * 10 + DigitValue(digits[1]);
  PutAddon(*this, digits, kAddon2Parity[value % 4]);
}

void TLLBarcode::EncodeAddon5() {
  const std::string_view digits(Params.CodeAddon, 5);
  PutAddon(*this, digits, kAddon5Parity[Addon5Checksum(digits)]);
}

}  // namespace vantor
