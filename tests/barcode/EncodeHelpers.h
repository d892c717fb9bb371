// Shared helpers for the encoder tests: encode one caption and read the results.
#pragma once

#include <cstring>
#include <string>

#include "barcode/BarLL.h"

namespace vantor::test {

struct Encoded {
  std::string codeText;
  std::string modules;  // '1' dark, '0' light (Postnet/FIM: the bytes as digits)
  int count = 0;
};

inline Encoded EncodeCaption(btCodeTypes type, const std::string& caption, btCodeRatio ratio = Ratio_3,
                             const std::string& addon = "") {
  TLLBarcode bc;
  std::memset(bc.Params.Caption, 0, sizeof bc.Params.Caption);
  std::memcpy(bc.Params.Caption, caption.data(), std::min(caption.size(), sizeof bc.Params.Caption));
  std::memset(bc.Params.CodeAddon, 0, sizeof bc.Params.CodeAddon);
  std::memcpy(bc.Params.CodeAddon, addon.data(), std::min(addon.size(), sizeof bc.Params.CodeAddon - 1));
  bc.Params.CodeType = type;
  bc.Params.Ratio = ratio;
  bc.Encode();
  return {bc.CodeText, bc.ModuleString(), bc.ModuleCount};
}

// Expands a width string ("2112...", bar first) to modules, for expectations
// written straight from a standard's width table.
inline std::string FromWidths(const std::string& widths) {
  std::string m;
  for (std::size_t i = 0; i < widths.size(); ++i)
    m.append(static_cast<std::size_t>(widths[i] - '0'), i % 2 == 0 ? '1' : '0');
  return m;
}

}  // namespace vantor::test
