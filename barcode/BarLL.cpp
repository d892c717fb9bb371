#include "barcode/BarLL.h"

#include <cstring>

#include "barcode/CharFilter.h"
#include "barcode/Symbology.h"

namespace vantor {

void TLLBarcode::TransfervalidChars(char* caption, char* out, btCodeTypes type) const {
  // A value outside the enumeration keeps digits, like the digit-only types.
  if (static_cast<int>(type) >= kCodeTypeCount) {
    FilterDigits(caption, out);
    return;
  }
  kSymbologies[type].prepare(caption, out);
}

void TLLBarcode::AddProofchar(char* caption, char* out, btCodeTypes type) const {
  if (static_cast<int>(type) >= kCodeTypeCount) throw EOverflow(msg::kUnknownType);
  VisitSymbology(type, [&](auto row) {
    constexpr const TSymbology& symbology = kSymbologies[decltype(row)::value];
    const std::size_t n = symbology.prepare(caption, out);
    symbology.check(out, n, type);
  });
}

void TLLBarcode::Encode() {
  // Every module byte is 0 before the encoders run. Only the engine writes the
  // buffer, and never past modulesUsed_, so clearing up to there is enough.
  std::memset(Modules, 0, static_cast<std::size_t>(modulesUsed_));
  modulesUsed_ = 0;
  ModuleCount = 0;
  AddProofchar(Params.Caption, CodeText, Params.CodeType);
  VisitSymbology(Params.CodeType, [this](auto row) {
    constexpr auto encode = kSymbologies[decltype(row)::value].encode;
    (this->*encode)();
  });
}

std::string TLLBarcode::ModuleString() const {
  std::string s(static_cast<std::size_t>(ModuleCount), '0');
  for (int k = 0; k < ModuleCount; ++k) s[static_cast<std::size_t>(k)] = static_cast<char>('0' + Modules[k] % 10);
  return s;
}

}  // namespace vantor
