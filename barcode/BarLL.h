// Barcode parameters, the encoder/renderer object and its encoding entry points.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "barcode/BarTypes.h"
#include "barcode/Pattern.h"

namespace vantor {

class TSurface;
struct TPoint;

// An unrotated bar rectangle in device pixels; right and bottom are exclusive.
struct TBarRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TBarRect&, const TBarRect&) = default;
};

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

  // Drawing (BarDraw.cpp, BarText.cpp). Everything is sized from the surface's
  // own resolution; (x0, y0) is the top-left corner of the symbol's box in
  // device pixels. `size` receives the box's width and height, exchanged for
  // the quarter turns. Raise what Encode raises.
  void Draw(TSurface& s, int x0, int y0, TPoint& size);
  void DrawPostnet(TSurface& s, int x0, int y0, TPoint& size);
  // Turns the unrotated rectangle by Params.Rotation inside the box of width W
  // and height Ht at (x0, y0), and fills it with the current brush.
  void DrawBar(TSurface& s, const TBarRect& r, int W, int Ht, int x0, int y0) const;
  // Writes one string centred on the turned reference point (x, y), with a font
  // turned to match; `basis` is the height the font size is derived from.
  void DrawText(TSurface& s, int x0, std::string_view text, int basis, int Ht, int W, int x, int y, int y0) const;
  // Module width in millimetres for Params.ModuleWidth, halved by HighDensity.
  double ModuleWidthMM() const;
  // Display grouping of a CODE25iP text (14 or 12 digits; others unchanged).
  std::string FormatIdentText(std::string_view text) const;

  // Per-symbology encoders; each family lives in its own source file and the
  // symbology table (Symbology.h) picks one for Params.CodeType.
  void EncodeCode39();  // Code39.cpp
  void EncodeEAN8();    // EanUpc.cpp
  void EncodeEAN13();
  void EncodeUPCA();
  void EncodeUPCE();
  void EncodeAddon2();  // EAN-13 and UPC-A call these for a set add-on
  void EncodeAddon5();
  void Encode25i();      // Interleaved25.cpp
  void EncodeCode128();  // Code128.cpp
  void EncodeMSI();      // MsiPlessey.cpp
  void EncodeCodabar();  // Codabar.cpp
  void EncodePostnet();  // Postnet.cpp
  void EncodeFIM();

 private:
  friend class ModuleWriter;
  int modulesUsed_ = 0;  // high-water mark of written modules since the last clear
};

// Appends runs of modules with a hard bound: nothing is ever written past the
// buffer, whatever reaches the encoder.
class ModuleWriter {
 public:
  explicit ModuleWriter(TLLBarcode& bc, int startModule = 1) : bc_(bc), pos_(startModule - 1) {}
  void Put(std::uint8_t value, int count = 1) {
    for (int i = 0; i < count; ++i) {
      if (pos_ >= static_cast<int>(kModulesSize)) throw EOverflow("BarLL: Module buffer overflow");
      bc_.Modules[pos_++] = value;
    }
    Touch();
  }
  // Expands a pattern as the standards print it (see Pattern.h); `wide` is the
  // width of a wide element in modules.
  void PutPattern(std::string_view pattern, TPatternForm form = TPatternForm::Modules, int wide = 1) {
    ExpandPattern(pattern, form, wide, [this](std::uint8_t value, int count) { Put(value, count); });
  }
  // Copies modules whose count is known at compile time (inlined copy).
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
