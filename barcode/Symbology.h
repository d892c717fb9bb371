// The symbology table: one row per btCodeTypes value with everything the
// engine dispatches on. The families (Code39.h, EanUpc.h, ...) provide the
// functions and data the rows name.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>
#include <utility>

#include "barcode/BarLL.h"
#include "barcode/BarTypes.h"
#include "barcode/CharFilter.h"
#include "barcode/CheckDigit.h"
#include "barcode/Codabar.h"
#include "barcode/Code128.h"
#include "barcode/Code39.h"
#include "barcode/EanUpc.h"
#include "barcode/Interleaved25.h"
#include "barcode/MsiPlessey.h"
#include "barcode/Postnet.h"

namespace vantor {

// Weights of the weighted modulo-10 check digit.
struct TCheckWeights {
  int odd = 0;   // 1st, 3rd, ... digit from the left
  int even = 0;  // 2nd, 4th, ...
  constexpr bool Any() const { return odd != 0 || even != 0; }
};

// The check step of a symbology without length rule or check character. A
// function rather than nullptr: the table is read in constant expressions, and
// GCC's sanitizer builds cannot compare a function's address there.
inline void NoCheck(char*, std::size_t, btCodeTypes) {}

struct TSymbology {
  btCodeTypes type;
  std::string_view name;  // as the command line and the tests spell it
  // The valid-character filter: writes the prepared text of `caption` to `out`
  // (kCodeTextSize bytes) and returns its length; may rewrite `caption`.
  std::size_t (*prepare)(char* caption, char* out);
  // Length rule and check character on the prepared text of length `len`;
  // NoCheck when the symbology has neither.
  void (*check)(char* text, std::size_t len, btCodeTypes type);
  // Fills Modules from CodeText.
  void (TLLBarcode::*encode)();
  // For the weighted check digit (CheckDigit.h); {} for none.
  TCheckWeights weights;
  // Drawing geometry of the EAN/UPC kind (EanUpc.h); nullptr for plain linear bars.
  const TEanUpcLayout* layout;
};

// Row i describes btCodeTypes value i.
// UPC-E's weights apply to its UPC-A form (WeightedCheckDigit expands it).
// clang-format off
inline constexpr TSymbology kSymbologies[] = {
// type         name           prepare                      check                       encode                      weights layout
  {EAN_8,       "EAN_8",       FilterDigits,                PadAndAppendCheckDigit<7>,  &TLLBarcode::EncodeEAN8,    {3, 1}, &kEan8Layout},
  {EAN_13,      "EAN_13",      FilterDigits,                PadAndAppendCheckDigit<12>, &TLLBarcode::EncodeEAN13,   {1, 3}, &kEan13Layout},
  {UPC_A,       "UPC_A",       FilterDigits,                PadAndAppendCheckDigit<11>, &TLLBarcode::EncodeUPCA,    {3, 1}, &kUpcALayout},
  {UPC_E,       "UPC_E",       FilterDigits,                PadAndAppendCheckDigit<6>,  &TLLBarcode::EncodeUPCE,    {3, 1}, &kUpcELayout},
  {CODE39,      "CODE39",      Code39Prepare,               NoCheck,                    &TLLBarcode::EncodeCode39,  {},     nullptr},
  {CODE25i,     "CODE25i",     FilterDigits,                Interleaved25Check,         &TLLBarcode::Encode25i,     {3, 1}, nullptr},
  {CODE25iP,    "CODE25iP",    FilterDigits,                Interleaved25Check,         &TLLBarcode::Encode25i,     {4, 9}, nullptr},
  {CODE128_A,   "CODE128_A",   Code128Prepare<kC128StartA>, Code128Check,               &TLLBarcode::EncodeCode128, {},     nullptr},
  {CODE128_B,   "CODE128_B",   Code128Prepare<kC128StartB>, Code128Check,               &TLLBarcode::EncodeCode128, {},     nullptr},
  {CODE128_C,   "CODE128_C",   Code128Prepare<kC128StartC>, Code128Check,               &TLLBarcode::EncodeCode128, {},     nullptr},
  {MSI_Plessey, "MSI_Plessey", FilterDigits,                MsiCheck,                   &TLLBarcode::EncodeMSI,     {},     nullptr},
  {Codabar,     "Codabar",     CodabarPrepare,              NoCheck,                    &TLLBarcode::EncodeCodabar, {},     nullptr},
  {Postnet,     "Postnet",     PostnetPrepare,              PostnetCheck,               &TLLBarcode::EncodePostnet, {1, 1}, nullptr},
  {Postnet_FIM, "Postnet_FIM", FimPrepare,                  NoCheck,                    &TLLBarcode::EncodeFIM,     {},     nullptr},
};
// clang-format on

namespace symbology_detail {
constexpr bool RowsFollowTheEnumeration() {
  for (int i = 0; i < kCodeTypeCount; ++i)
    if (kSymbologies[i].type != i || kSymbologies[i].name.empty()) return false;
  return true;
}
}  // namespace symbology_detail
static_assert(std::size(kSymbologies) == kCodeTypeCount, "one row for every btCodeTypes value");
static_assert(symbology_detail::RowsFollowTheEnumeration(), "row i describes btCodeTypes value i, with a name");

// Calls f(std::integral_constant<int, I>) for I == type, and does nothing for a
// value outside the enumeration. Inside f the row kSymbologies[I] is a constant,
// so the encode path calls its functions directly rather than through pointers.
template <class F, int... I>
void VisitSymbology(btCodeTypes type, F&& f, std::integer_sequence<int, I...>) {
  (void)((type == I && (f(std::integral_constant<int, I>{}), true)) || ...);
}
template <class F>
void VisitSymbology(btCodeTypes type, F&& f) {
  VisitSymbology(type, f, std::make_integer_sequence<int, kCodeTypeCount>{});
}

// The EAN/UPC layout of `type`; nullptr for other types and values outside the enumeration.
inline const TEanUpcLayout* LayoutOf(btCodeTypes type) {
  return static_cast<int>(type) < kCodeTypeCount ? kSymbologies[type].layout : nullptr;
}

}  // namespace vantor
