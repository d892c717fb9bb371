// Helpers for the renderer tests: draw a barcode on a recording surface and
// pick out what was drawn.
#pragma once

#include <string>
#include <vector>

#include "barcode/BarLL.h"
#include "barcode/BarProps.h"
#include "surface/RecordingSurface.h"

namespace vantor::testing {

struct Drawing {
  TPoint size;
  std::vector<TRecordedOp> fills;
  std::vector<TRecordedOp> texts;
};

inline Drawing DrawOn(TLLBarcode& bc, TRecordingSurface& s, int x0 = 0, int y0 = 0) {
  Drawing d;
  bc.Draw(s, x0, y0, d.size);
  d.fills = s.OpsOf(TOpKind::FillRect);
  d.texts = s.OpsOf(TOpKind::TextOut);
  return d;
}

inline Drawing DrawAt(TLLBarcode& bc, int dpi, int x0 = 0, int y0 = 0) {
  TRecordingSurface s(dpi, dpi);
  return DrawOn(bc, s, x0, y0);
}

inline TLLBarcode Make(btCodeTypes type, const std::string& caption) {
  TLLBarcode bc;
  bc.Params.CodeType = type;
  SetCaption(bc.Params, caption);
  return bc;
}

// Runs of dark modules in the module sequence: (first module from 1, length).
inline std::vector<std::pair<int, int>> DarkRuns(const TLLBarcode& bc) {
  std::vector<std::pair<int, int>> runs;
  for (int k = 1; k <= bc.ModuleCount;) {
    int n = 1;
    while (k + n <= bc.ModuleCount && bc.Modules[k + n - 1] == bc.Modules[k - 1]) ++n;
    if (bc.Modules[k - 1] == 1) runs.emplace_back(k, n);
    k += n;
  }
  return runs;
}

}  // namespace vantor::testing
