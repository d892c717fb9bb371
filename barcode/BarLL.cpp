#include "barcode/BarLL.h"

#include <array>
#include <cstring>

#include "barcode/CheckDigit.h"
#include "barcode/Codabar.h"
#include "barcode/Code128.h"
#include "barcode/Code39.h"
#include "barcode/MsiPlessey.h"
#include "barcode/Postnet.h"

namespace vantor {

namespace {

// Membership tables of the valid-character sets, built at compile time.
using CharSet = std::array<bool, 256>;
constexpr CharSet MakeSet(const char* valid) {
  CharSet set{};
  for (const char* v = valid; *v; ++v) set[static_cast<unsigned char>(*v)] = true;
  return set;
}
constexpr CharSet kDigitSet = MakeSet("0123456789");
constexpr CharSet kCode39Set = MakeSet(TBarCode39::Chars);
constexpr CharSet kPostnetSet = MakeSet(TBarPostnet::ValidChars);
constexpr CharSet kFimSet = MakeSet("ABCabc");

// Copies each caption character found in the set, any other as '0', so every
// character keeps its position. Returns the length.
std::size_t FilterInto(const char* caption, char* out, const CharSet& valid) {
  std::size_t n = 0;
  for (; n < kCaptionSize && caption[n] != '\0'; ++n) {
    const unsigned char c = static_cast<unsigned char>(caption[n]);
    out[n] = valid[c] ? static_cast<char>(c) : '0';
  }
  out[n] = '\0';
  return n;
}

// Cut to at most n characters, then append '0' until there are n.
std::size_t PadTo(char* text, std::size_t len, std::size_t n) {
  while (len < n) text[len++] = '0';
  text[n] = '\0';
  return n;
}

// The filter of TransfervalidChars, returning the length of what it wrote.
std::size_t TransferValid(char* caption, char* out, btCodeTypes type) {
  switch (type) {
    case CODE39: {
      out[0] = '*';
      const std::size_t n = FilterInto(caption, out + 1, kCode39Set) + 1;
      out[n] = '*';
      out[n + 1] = '\0';
      return n + 1;
    }
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: {
      const unsigned char start = type == CODE128_A ? kC128StartA : type == CODE128_B ? kC128StartB : kC128StartC;
      return Code128StreamEncode(start, caption, BoundedLength(caption, kCaptionSize), out, kCodeTextSize);
    }
    case Codabar: CodabarPrepare(caption, out, kCodeTextSize); return BoundedLength(out, kCodeTextSize);
    case Postnet: return FilterInto(caption, out, kPostnetSet);
    case Postnet_FIM: return FilterInto(caption, out, kFimSet);
    default: return FilterInto(caption, out, kDigitSet);
  }
}

}  // namespace

void TLLBarcode::TransfervalidChars(char* caption, char* out, btCodeTypes type) const {
  TransferValid(caption, out, type);
}

void TLLBarcode::AddProofchar(char* caption, char* out, btCodeTypes type) const {
  if (static_cast<int>(type) >= kCodeTypeCount) throw EOverflow(msg::kUnknownType);
  const std::size_t n = TransferValid(caption, out, type);
  switch (type) {
    case EAN_8: AppendCheckDigit(out, PadTo(out, n, 7), type); break;
    case EAN_13: AppendCheckDigit(out, PadTo(out, n, 12), type); break;
    case UPC_A: AppendCheckDigit(out, PadTo(out, n, 11), type); break;
    case UPC_E: AppendCheckDigit(out, PadTo(out, n, 6), type); break;
    case CODE25i:
    case CODE25iP:
      if (n % 2 == 1) AppendCheckDigit(out, n, type);
      break;
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: AddCode128Check(out, kCodeTextSize); break;
    case MSI_Plessey: AddMSIProofchar(out, type); break;
    case Postnet: AppendCheckDigit(out, PadTo(out, n, n >= 11 ? 11 : n >= 9 ? 9 : 5), type); break;
    case CODE39:
    case Codabar:
    case Postnet_FIM: break;
  }
}

void TLLBarcode::Encode() {
  // Every module byte is 0 before the encoders run. Only the engine writes the
  // buffer, and never past modulesUsed_, so clearing up to there is enough.
  std::memset(Modules, 0, static_cast<std::size_t>(modulesUsed_));
  modulesUsed_ = 0;
  ModuleCount = 0;
  AddProofchar(Params.Caption, CodeText, Params.CodeType);
  switch (Params.CodeType) {
    case EAN_8: EncodeEAN8(); break;
    case EAN_13: EncodeEAN13(); break;
    case UPC_A: EncodeUPCA(); break;
    case UPC_E: EncodeUPCE(); break;
    case CODE39: EncodeCode39(); break;
    case CODE25i:
    case CODE25iP: Encode25i(); break;
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: EncodeCode128(); break;
    case MSI_Plessey: EncodeMSI(); break;
    case Codabar: EncodeCodabar(); break;
    case Postnet: EncodePostnet(); break;
    case Postnet_FIM: EncodeFIM(); break;
  }
  if (Params.CodeType == EAN_13 || Params.CodeType == UPC_A) {
    switch (BoundedLength(Params.CodeAddon, kAddonSize)) {
      case 0: break;
      case 2: EncodeAddon2(); break;
      case 5: EncodeAddon5(); break;
      default: throw EOverflow(msg::kWrongAddon);
    }
  }
}

std::string TLLBarcode::ModuleString() const {
  std::string s(static_cast<std::size_t>(ModuleCount), '0');
  for (int k = 0; k < ModuleCount; ++k) s[static_cast<std::size_t>(k)] = static_cast<char>('0' + Modules[k] % 10);
  return s;
}

}  // namespace vantor
