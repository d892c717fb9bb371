// Encode on any parameter record: it stays inside its buffers, refuses only
// with the messages its symbology may raise, gives the same result on a reused
// object as on a fresh one, and changes nothing in the parameters but the
// Codabar caption's case.
#include <cctype>
#include <string>

#include "barcode/BarLL.h"
#include "fuzz/BarcodeInput.h"
#include "fuzz/FuzzCheck.h"

using namespace vantor;

namespace {

bool IsLinear(btCodeTypes t) { return t <= Codabar; }
bool IsCode128(btCodeTypes t) { return t == CODE128_A || t == CODE128_B || t == CODE128_C; }

// The only refusals a parameter record can earn.
bool AllowedRefusal(const TBarcodeParams& p, const std::string& message) {
  if (static_cast<int>(p.CodeType) >= kCodeTypeCount) return message == msg::kUnknownType;
  if (IsCode128(p.CodeType) && message == msg::kCode128) return true;
  return (p.CodeType == EAN_13 || p.CodeType == UPC_A) && message == msg::kWrongAddon;
}

// Code 128 refuses only bytes outside 32..138; a caption without them encodes.
bool CaptionWithinCode128Bytes(const TBarcodeParams& p) {
  const std::size_t n = BoundedLength(p.Caption, kCaptionSize);
  for (std::size_t i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(p.Caption[i]);
    if (b < 32 || b > 138) return false;
  }
  return true;
}

std::string Run(TLLBarcode& bc) {
  try {
    bc.Encode();
  } catch (const EOverflow& e) {
    return e.what();
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  TLLBarcode fresh;
  fuzz::FillEncodeParams(in, fresh.Params);
  const TBarcodeParams before = fresh.Params;
  fuzz::Context() = fuzz::Describe(before);

  // The same record on an object that has just encoded the longest symbol, so
  // modules left over from an earlier encoding would show.
  TLLBarcode reused;
  reused.Params.CodeType = CODE39;
  std::memset(reused.Params.Caption, 'W', kCaptionSize);
  FUZZ_CHECK(Run(reused).empty());
  reused.Params = before;

  const std::string error = Run(fresh);
  FUZZ_CHECK(Run(reused) == error);

  // Nothing in the parameters changes, except that Codabar upper-cases its caption.
  FUZZ_CHECK(fresh.Params.CodeType == before.CodeType && fresh.Params.Ratio == before.Ratio);
  FUZZ_CHECK(std::memcmp(fresh.Params.CodeAddon, before.CodeAddon, kAddonSize) == 0);
  const std::size_t captionLength = BoundedLength(before.Caption, kCaptionSize);
  for (std::size_t i = 0; i < kCaptionSize; ++i) {
    const char was = before.Caption[i];
    const bool upper = before.CodeType == Codabar && i < captionLength && was >= 'a' && was <= 'z';
    const char expected = upper ? static_cast<char>(was - 32) : was;
    FUZZ_CHECK(fresh.Params.Caption[i] == expected);
  }

  if (!error.empty()) {
    FUZZ_CHECK(AllowedRefusal(before, error));
    FUZZ_CHECK(!(IsCode128(before.CodeType) && error == msg::kCode128 && CaptionWithinCode128Bytes(before)));
    return 0;
  }
  FUZZ_CHECK(fresh.ModuleCount > 0 && fresh.ModuleCount <= static_cast<int>(kModulesSize));
  FUZZ_CHECK(BoundedLength(fresh.CodeText, kCodeTextSize) < kCodeTextSize);
  FUZZ_CHECK(fresh.ModuleCount == reused.ModuleCount);
  FUZZ_CHECK(std::memcmp(fresh.Modules, reused.Modules, kModulesSize) == 0);
  FUZZ_CHECK(std::strcmp(fresh.CodeText, reused.CodeText) == 0);
  for (std::size_t k = static_cast<std::size_t>(fresh.ModuleCount); k < kModulesSize; ++k)
    FUZZ_CHECK(fresh.Modules[k] == 0);
  if (IsLinear(before.CodeType)) {
    for (int k = 0; k < fresh.ModuleCount; ++k) FUZZ_CHECK(fresh.Modules[k] <= 1);
    FUZZ_CHECK(fresh.Modules[0] == 1);  // every linear symbol starts with a bar
  }
  return 0;
}
