// The vantor-barcode command: encode one barcode, print what came out and/or
// draw it into an image file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

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

// Exit status: 0 done; 1 the engine or a property range check refused the data,
// or the file could not be written; 2 bad command line. `exporter` serves --out;
// without one, --out is refused as a bad command line.
int RunBarcodeCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  TImageExporter* exporter = nullptr);

// The code text with bytes outside printable ASCII written as \xNN (and "\" as "\\"),
// so Code 128's marker bytes stay readable on one line.
std::string PrintableCodeText(const char* codeText);

}  // namespace vantor
