// Writing a barcode to a PNG, SVG or PDF file: white background, a quiet zone
// of ten modules on every side, the symbol drawn through the Qt surface at the
// requested resolution. Files appear complete or not at all (written to a
// temporary file beside the target and renamed).
#pragma once

#include <string>

#include "barcode/BarLL.h"
#include "surface/ImageFormat.h"
#include "surface/Surface.h"

namespace vantor {

// The quiet zone in pixels at `dpi`: ten module widths, at least 10 pixels.
int QuietZonePixels(const TLLBarcode& bc, int dpi);

struct TImageLayout {
  TPoint symbol;  // drawn size of the symbol, pixels
  int quiet = 0;  // quiet zone on every side, pixels
  TPoint image;   // symbol + 2 x quiet
};

// Encodes and measures without drawing anything. Raises what encoding raises.
TImageLayout MeasureBarcodeImage(TLLBarcode& bc, int dpi);

// Writes the file. Raises EOverflow when the engine refuses the data (nothing
// is written then); returns an empty string on success, else why the file could
// not be written (and nothing is left behind). Needs a QGuiApplication.
std::string WriteBarcodeImage(TLLBarcode& bc, const std::string& path, TImageFormat format, int dpi);

}  // namespace vantor
