#include "barcode/EanUpc.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "barcode/BarLL.h"
#include "barcode/CheckDigit.h"
#include "barcode/Pattern.h"

namespace vantor {

namespace {

// The three sets expanded to module bytes once, at compile time: kSets[0] is
// set A, [1] set B, [2] set C.
using SetModules = std::array<std::array<std::array<std::uint8_t, 7>, 10>, 3>;
constexpr SetModules ExpandSets() {
  SetModules out{};
  const char* const* sets[3] = {kEanSetA, kEanSetB, kEanSetC};
  for (std::size_t s = 0; s < 3; ++s)
    for (std::size_t d = 0; d < 10; ++d) out[s][d] = PatternModules<7>(sets[s][d]);
  return out;
}
constexpr SetModules kSets = ExpandSets();
constexpr int kSetC = 2;

// Parity strings as set indexes (A = 0, B = 1), so the hot loop does no parsing.
template <std::size_t N>
constexpr std::array<std::array<std::uint8_t, 6>, N> ParityIndexes(const char* const (&table)[N]) {
  std::array<std::array<std::uint8_t, 6>, N> out{};
  for (std::size_t i = 0; i < N; ++i)
    for (std::size_t j = 0; table[i][j]; ++j) out[i][j] = table[i][j] == 'B';
  return out;
}
constexpr auto kEan13Sets = ParityIndexes(kEan13Parity);
constexpr auto kUpcESets = ParityIndexes(kUpcEParity);
constexpr auto kAddon5Sets = ParityIndexes(kAddon5Parity);
constexpr auto kAddon2Sets = ParityIndexes(kAddon2Parity);
constexpr std::array<std::uint8_t, 6> kAllA{};

constexpr auto kGuard = PatternModules<3>("101");
constexpr auto kCentre = PatternModules<5>("01010");
constexpr auto kUpcEEnd = PatternModules<6>("010101");
constexpr auto kAddonStart = PatternModules<4>("1011");
constexpr auto kAddonSeparator = PatternModules<2>("01");

// Writes one digit's seven modules at p and returns the position after them.
std::uint8_t* PutDigit(std::uint8_t* p, char digit, int set) {
  std::memcpy(p, kSets[static_cast<std::size_t>(set)][static_cast<std::size_t>(DigitValue(digit))].data(), 7);
  return p + 7;
}

template <std::size_t N>
std::uint8_t* PutGuard(std::uint8_t* p, const std::array<std::uint8_t, N>& guard) {
  std::memcpy(p, guard.data(), N);
  return p + N;
}

// Left half in the given sets, centre guard, right half in set C, end guard.
void PutTwoHalves(ModuleWriter& out, const char* left, const std::array<std::uint8_t, 6>& sets, const char* right,
                  int half) {
  std::uint8_t* p = out.Reserve(3 + 7 * half + 5 + 7 * half + 3);
  p = PutGuard(p, kGuard);
  for (int i = 0; i < half; ++i) p = PutDigit(p, left[i], sets[static_cast<std::size_t>(i)]);
  p = PutGuard(p, kCentre);
  for (int i = 0; i < half; ++i) p = PutDigit(p, right[i], kSetC);
  PutGuard(p, kGuard);
  out.Finish();
}

// Add-on digits from module 105 on, after nine light modules of separation.
void PutAddon(TLLBarcode& bc, std::string_view digits, const std::uint8_t* sets) {
  ModuleWriter out(bc, 96);
  out.Skip(9);
  out.PutFixed<4>(kAddonStart.data());
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0) out.PutFixed<2>(kAddonSeparator.data());
    PutDigit(out.Reserve(7), digits[i], sets[i]);
  }
  out.Skip(1);  // the add-on ends on a light module
  out.Finish();
}

// EAN-13 and UPC-A carry an add-on of 2 or 5 digits when one is set.
void PutAddonIfAny(TLLBarcode& bc) {
  switch (BoundedLength(bc.Params.CodeAddon, kAddonSize)) {
    case 0: break;
    case 2: bc.EncodeAddon2(); break;
    case 5: bc.EncodeAddon5(); break;
    default: throw EOverflow(msg::kWrongAddon);
  }
}

}  // namespace

// EAN-13 and UPC-A stand taller than EAN-8 and UPC-E, keep a ten-module
// margin for their outer digits, and may carry an add-on.
using enum TEanTextAnchor;
constexpr TEanUpcLayout kEan8Layout{
    .heightModules = 56.24,
    .marginModules = 0,
    .dataAreas = {{{4, 31}, {37, 64}}},
    .text = {{{1, 4, Module, 18}, {5, 8, Module, 50}}},
    .textGroups = 2,
};
constexpr TEanUpcLayout kEan13Layout{
    .heightModules = 74.24,
    .marginModules = 10,
    .dataAreas = {{{4, 45}, {51, 92}}},
    .text = {{{1, 1, LeftMargin, 0}, {2, 7, Module, 25}, {8, 13, Module, 72}}},
    .textGroups = 3,
    .addonFromModule = 101,
};
constexpr TEanUpcLayout kUpcALayout{
    .heightModules = 74.24,
    .marginModules = 10,
    .dataAreas = {{{4, 45}, {51, 92}}},
    .text = {{{1, 1, LeftMargin, 0}, {2, 6, Module, 25}, {7, 11, Module, 72}, {12, 12, RightMargin, 95}}},
    .textGroups = 4,
    .addonFromModule = 101,
};
constexpr TEanUpcLayout kUpcELayout{
    .heightModules = 56.24,
    .marginModules = 0,
    .dataAreas = {{{4, 45}}},
    .text = {{{1, 6, Module, 25}}},
    .textGroups = 1,
    .shownLength = 6,
};

int EanAddonTextModule(std::size_t length) { return length == 2 ? 115 : length == 5 ? 128 : 0; }

UpcEExpansion ExpandUPCE(std::string_view six) {
  if (six.size() != 6) throw EOverflow(msg::kUpceLength);
  const char d1 = six[0], d2 = six[1], d3 = six[2], d4 = six[3], d5 = six[4], d6 = six[5];
  UpcEExpansion e{{'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'}, 11};
  char* t = e.digits + 1;  // after the number system 0
  switch (d6) {
    case '0':
    case '1':
    case '2':
      t[0] = d1;
      t[1] = d2;
      t[2] = d6;
      t[7] = d3;
      t[8] = d4;
      t[9] = d5;
      break;
    case '3':
      t[0] = d1;
      t[1] = d2;
      t[2] = d3;
      t[8] = d4;
      t[9] = d5;
      break;
    case '4':
      t[0] = d1;
      t[1] = d2;
      t[2] = d3;
      t[3] = d4;
      t[9] = d5;
      break;
    default:
      t[0] = d1;
      t[1] = d2;
      t[2] = d3;
      t[3] = d4;
      t[4] = d5;
      t[9] = d6;
      break;
  }
  return e;
}

int Addon5Checksum(std::string_view a) {
  return (3 * (DigitValue(a[0]) + DigitValue(a[2]) + DigitValue(a[4])) + 9 * (DigitValue(a[1]) + DigitValue(a[3]))) %
         10;
}

void TLLBarcode::EncodeEAN13() {
  ModuleWriter out(*this);
  PutTwoHalves(out, CodeText + 1, kEan13Sets[static_cast<std::size_t>(DigitValue(CodeText[0]))], CodeText + 7, 6);
  PutAddonIfAny(*this);
}

void TLLBarcode::EncodeUPCA() {
  ModuleWriter out(*this);
  PutTwoHalves(out, CodeText, kAllA, CodeText + 6, 6);
  PutAddonIfAny(*this);
}

void TLLBarcode::EncodeEAN8() {
  ModuleWriter out(*this);
  PutTwoHalves(out, CodeText, kAllA, CodeText + 4, 4);
}

void TLLBarcode::EncodeUPCE() {
  ModuleWriter out(*this);
  const auto& sets = kUpcESets[static_cast<std::size_t>(DigitValue(CodeText[6]))];
  std::uint8_t* p = out.Reserve(3 + 6 * 7 + 6);
  p = PutGuard(p, kGuard);
  for (int i = 0; i < 6; ++i) p = PutDigit(p, CodeText[i], sets[static_cast<std::size_t>(i)]);
  PutGuard(p, kUpcEEnd);
  out.Finish();
}

void TLLBarcode::EncodeAddon2() {
  const std::string_view digits(Params.CodeAddon, 2);
  const int value = DigitValue(digits[0]) * 10 + DigitValue(digits[1]);
  PutAddon(*this, digits, kAddon2Sets[static_cast<std::size_t>(value % 4)].data());
}

void TLLBarcode::EncodeAddon5() {
  const std::string_view digits(Params.CodeAddon, 5);
  PutAddon(*this, digits, kAddon5Sets[static_cast<std::size_t>(Addon5Checksum(digits))].data());
}

}  // namespace vantor
