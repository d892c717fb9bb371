#include "barcode/BarLL.h"

#include <cstring>

#include "barcode/CheckDigit.h"
#include "barcode/Codabar.h"
#include "barcode/Code128.h"
#include "barcode/Code39.h"
#include "barcode/MsiPlessey.h"
#include "barcode/Postnet.h"

namespace vantor {

std::size_t BoundedLength(const char* text, std::size_t capacity) {
  const void* end = std::memchr(text, 0, capacity);
  return end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : capacity;
}

void ModuleWriter::PutPattern(const std::uint8_t* modules, int count) {
  if (count < 0 || pos_ + count > static_cast<int>(kModulesSize))
    throw EOverflow("BarLL: Module buffer overflow");
  std::memcpy(bc_.Modules + pos_, modules, static_cast<std::size_t>(count));
  pos_ += count;
}

namespace {

// Copies each caption character found in `valid`, any other as '0', so every
// character keeps its position.
void FilterInto(const char* caption, char* out, const char* valid) {
  const std::size_t n = BoundedLength(caption, kCaptionSize);
  bool ok[256] = {};
  for (const char* v = valid; *v; ++v) ok[static_cast<unsigned char>(*v)] = true;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    out[i] = ok[c] ? static_cast<char>(c) : '0';
  }
  out[n] = '\0';
}

// Cut to at most n characters, then append '0' until there are n.
void PadTo(char* text, std::size_t n) {
  std::size_t len = BoundedLength(text, kCodeTextSize);
  while (len < n) text[len++] = '0';
  text[n] = '\0';
}

constexpr const char* kDigits = "0123456789";

}  // namespace

void TLLBarcode::TransfervalidChars(char* caption, char* out, btCodeTypes type) const {
  switch (type) {
    case CODE39: {
      out[0] = '*';
      FilterInto(caption, out + 1, Code39Table.Chars);
      const std::size_t n = BoundedLength(out, kCodeTextSize);
      out[n] = '*';
      out[n + 1] = '\0';
      return;
    }
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: {
      const unsigned char start = type == CODE128_A   ? kC128StartA
                                  : type == CODE128_B ? kC128StartB
                                                      : kC128StartC;
      Code128StreamEncode(start, caption, BoundedLength(caption, kCaptionSize), out, kCodeTextSize);
      return;
    }
    case Codabar:
      CodabarPrepare(caption, out, kCodeTextSize);
      return;
    case Postnet:
      FilterInto(caption, out, PostnetTable.ValidChars);
      return;
    case Postnet_FIM:
      FilterInto(caption, out, "ABCabc");
      return;
    default:
      FilterInto(caption, out, kDigits);
      return;
  }
}

void TLLBarcode::AddProofchar(char* caption, char* out, btCodeTypes type) const {
  if (static_cast<int>(type) >= kCodeTypeCount) throw EOverflow(msg::kUnknownType);
  TransfervalidChars(caption, out, type);
  switch (type) {
    case EAN_8: PadTo(out, 7); AppendCheckDigit(out, type); break;
    case EAN_13: PadTo(out, 12); AppendCheckDigit(out, type); break;
    case UPC_A: PadTo(out, 11); AppendCheckDigit(out, type); break;
    case UPC_E: PadTo(out, 6); AppendCheckDigit(out, type); break;
    case CODE25i:
    case CODE25iP:
      if (BoundedLength(out, kCodeTextSize) % 2 == 1) AppendCheckDigit(out, type);
      break;
    case CODE128_A:
    case CODE128_B:
    case CODE128_C: AddCode128Check(out, kCodeTextSize); break;
    case MSI_Plessey: AddMSIProofchar(out, type); break;
    case Postnet: {
      const std::size_t n = BoundedLength(out, kCodeTextSize);
      PadTo(out, n >= 11 ? 11 : n >= 9 ? 9 : 5);
      AppendCheckDigit(out, type);
      break;
    }
    case CODE39:
    case Codabar:
    case Postnet_FIM: break;
  }
}

void TLLBarcode::Encode() {
  std::memset(Modules, 0, sizeof Modules);
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
