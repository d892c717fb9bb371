// The vantor-barcode command: encode one barcode, print what came out and/or
// draw it into an image file. The command line is read in tools/qt/; this
// runner takes the options it produced.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/BarTypes.h"
#include "surface/ImageFormat.h"

namespace vantor {

class TLLBarcode;

// Draws a barcode into a file; the Qt layer provides the implementation, so
// this library stays free of the toolkit.
class TImageExporter {
 public:
  virtual ~TImageExporter() = default;
  // Writes `path` in `format` (taken from its extension) at `dpi`. Returns an
  // empty string on success, else the reason; nothing is left behind on
  // failure. Raises EOverflow when the engine refuses the data.
  virtual std::string Write(TLLBarcode& bc, const std::string& path, TImageFormat format, int dpi) = 0;
};

// One run's options. The command line checks the numbers' ranges; a value
// out of range that reaches the runner is refused with the properties' own
// message (exit 1).
struct TBarcodeOptions {
  btCodeTypes type = CODE39;
  std::string data;
  std::string addon;  // through the control's add-on rule
  btCodeRatio ratio = Ratio_3;
  bool modules = false;  // print the code text and the module sequence
  std::string out;       // image file; empty: none
  TImageFormat format = TImageFormat::Png;
  int dpi = 300;
  std::optional<long long> moduleWidth;  // SC class 0..9
  std::optional<long long> heightPercent;
  std::optional<long long> fontScale;
  int rotation = 0;  // quarter turns counter-clockwise
  bool zoom = false;
  bool widthReduce = false;
  bool highDensity = false;
  bool noText = false;
};

// Exit status: 0 done; 1 empty data, the engine or a property range check
// refused the data, or the file could not be written; 2 --out without an
// exporter. Every change to the data or the add-on on the way into the symbol
// is named on `err` (see EncodingNotes, AddonNote) and the run still succeeds.
int RunBarcode(const TBarcodeOptions& options, std::ostream& out, std::ostream& err,
               TImageExporter* exporter = nullptr);

// The code text with bytes outside printable ASCII written as \xNN (and "\" as "\\"),
// so Code 128's marker bytes stay readable on one line.
std::string PrintableCodeText(const char* codeText);

// What the engine did to characters of `data` that `type` cannot encode as
// given, one sentence a kind of change, e.g.
//   CODE39 cannot encode "h", "e", "l", "o"; they were replaced by "0"
//   Codabar cannot encode "!"; it was dropped
// Then, for the types with a length rule (EAN, UPC, Postnet), the padding,
// the digits cut off, or a typed check digit that was replaced:
//   EAN_13 takes 12 digits; "12" was padded with 10 zeros
//   EAN_13 adds its own check digit; the last digit "0" was replaced by "7"
// Empty when every character is encoded as typed. Call with data the engine
// has accepted (a Code 128 byte it refuses is not described here).
std::vector<std::string> EncodingNotes(btCodeTypes type, std::string_view data);

// The types that draw an add-on after the main symbol.
constexpr bool HasAddon(btCodeTypes type) { return type == EAN_13 || type == UPC_A; }

// What the add-on rule made of `addon`, when it changed it, e.g.
//   an add-on has 2 or 5 digits; --addon "123" became "12"
std::optional<std::string> AddonNote(std::string_view addon);

// For a Code 128 type: the characters of `data` the engine refuses (a byte
// below 32 or above 138), named in one sentence; nothing when there are none.
std::optional<std::string> Code128Refusal(btCodeTypes type, std::string_view data);

}  // namespace vantor
