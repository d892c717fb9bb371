// Barcode parameters, the encoder/renderer object and its encoding entry points.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "barcode/BarTypes.h"

namespace vantor {

// The parameter record of one barcode; plain data with its start values.
struct TBarcodeParams {
  char Caption[kCaptionSize] = "4711";
  char CodeAddon[kAddonSize] = "";
  btCodeTypes CodeType = EAN_8;
  btCodeSizes ModuleWidth = SC2;
  btCodeRatio Ratio = Ratio_3;
  std::int32_t HeightPercent = 100;
  std::string Fontname = "Arial";
  std::int32_t Fontscaling = 100;
  bool WidthReduce = false;
  bool HighDensity = false;
  bool ZoomSize = false;
  btCodeRotate Rotation = rotate_000;
  bool HumanReadable = true;
  std::int32_t IdentSplit = 7;
};

// Turns Params into a module sequence. Encoders fill CodeText, Modules and
// ModuleCount; they never place a rectangle (drawing reads the modules).
class TLLBarcode {
 public:
  TLLBarcode() = default;

  TBarcodeParams Params;
  char CodeText[kCodeTextSize] = {};
  std::uint8_t Elements[kElementsSize] = {};
  std::uint8_t Modules[kModulesSize] = {};  // module k (from 1) is Modules[k - 1]
  std::int32_t ModuleCount = 0;

  // Prepares CodeText and fills Modules for Params.CodeType. Raises EOverflow.
  void Encode();

  // Filter + length rule + check characters. `caption` may be rewritten
  // (Codabar upper-cases it); `out` must hold kCodeTextSize bytes.
  void AddProofchar(char* caption, char* out, btCodeTypes type) const;
  // The valid-character filter used by AddProofchar.
  void TransfervalidChars(char* caption, char* out, btCodeTypes type) const;

  // Module sequence as text: '1' dark, '0' light (for Postnet/FIM the bytes as digits).
  std::string ModuleString() const;

  // Per-symbology encoders; each family lives in its own source file.
  void EncodeCode39();        // Code39.cpp
  void EncodeEAN8();          // EanUpc.cpp
  void EncodeEAN13();
  void EncodeUPCA();
  void EncodeUPCE();
  void EncodeAddon2();
  void EncodeAddon5();
  void Encode25i();           // Interleaved25.cpp
  void EncodeCode128();       // Code128.cpp
  void EncodeMSI();           // MsiPlessey.cpp
  void EncodeCodabar();       // Codabar.cpp
  void EncodePostnet();       // Postnet.cpp
  void EncodeFIM();

 private:
  friend class ModuleWriter;
  int modulesUsed_ = 0;  // high-water mark of written modules since the last clear
};

// Appends runs of modules with a hard bound: nothing is ever written past the
// buffer, whatever reaches the encoder.
class ModuleWriter {
 public:
  explicit ModuleWriter(TLLBarcode& bc, int startModule = 1)
      : bc_(bc), pos_(startModule - 1) {}
  void Put(std::uint8_t value, int count = 1) {
    for (int i = 0; i < count; ++i) {
      if (pos_ >= static_cast<int>(kModulesSize)) throw EOverflow("BarLL: Module buffer overflow");
      bc_.Modules[pos_++] = value;
    }
    Touch();
  }
  // Copies a run of precomputed module bytes.
  void PutPattern(const std::uint8_t* modules, int count) {
    if (count < 0 || pos_ + count > static_cast<int>(kModulesSize)) throw EOverflow("BarLL: Module buffer overflow");
    std::memcpy(bc_.Modules + pos_, modules, static_cast<std::size_t>(count));
    pos_ += count;
    Touch();
  }
  // The same for a pattern length known at compile time (inlined copy).
  template <int N>
  void PutFixed(const std::uint8_t* modules) {
    if (pos_ + N > static_cast<int>(kModulesSize)) throw EOverflow("BarLL: Module buffer overflow");
    std::memcpy(bc_.Modules + pos_, modules, N);
    pos_ += N;
    Touch();
  }
  // Room for `count` modules written straight through the returned pointer, for
  // encoders that know their length up front (one bounds check, not one a copy).
  std::uint8_t* Reserve(int count) {
    if (count < 0 || pos_ + count > static_cast<int>(kModulesSize)) throw EOverflow("BarLL: Module buffer overflow");
    std::uint8_t* p = bc_.Modules + pos_;
    pos_ += count;
    Touch();
    return p;
  }
  void Skip(int count) { Put(0, count); }
  int Written() const { return pos_; }
  void Finish() { bc_.ModuleCount = pos_; }

 private:
  void Touch() {
    if (pos_ > bc_.modulesUsed_) bc_.modulesUsed_ = pos_;
  }
  TLLBarcode& bc_;
  int pos_;
};

// Length of a NUL-terminated text inside a fixed array (stops at the array's end).
// Inline: the texts are short and this sits on the encode path.
inline std::size_t BoundedLength(const char* text, std::size_t capacity) {
  std::size_t n = 0;
  while (n < capacity && text[n] != '\0') ++n;
  return n;
}

}  // namespace vantor
