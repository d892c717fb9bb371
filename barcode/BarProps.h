// The published barcode properties' rules: range checks with their exact
// messages and the add-on rule. A refused value raises EOverflow and leaves the
// parameter record untouched. The control and the command-line tool share these.
#pragma once

#include <string>
#include <string_view>

#include "barcode/BarLL.h"

namespace vantor {

namespace msg {
inline constexpr const char* kCaptionLength = "String exceeds maximum length";
inline constexpr const char* kFontscaling = "Bar_Fontscaling must be in the range 20..200!";
inline constexpr const char* kHeightPercent = "Bar_HeightPercent must be in the range 20..200!";
inline constexpr const char* kModuleWidth = "Bar_SC_Size must be in the range 0..9!";
inline constexpr const char* kRatio = "Bar_Ratio must be in the range 0..1 (Ratio_3 or Ratio_2)!";
inline constexpr const char* kRotation = "Bar_Rotate must be in the range rotate_000..rotate_270!";
}  // namespace msg

// Digits only, in order; 5 or more keep 5, 2 to 4 keep 2, fewer keep none.
std::string AddonRule(std::string_view text);

void SetCaption(TBarcodeParams& p, std::string_view caption);  // at most 50 characters
void SetCodeAddon(TBarcodeParams& p, std::string_view addon);  // through AddonRule
void SetFontscaling(TBarcodeParams& p, long long percent);     // 20..200
void SetHeightPercent(TBarcodeParams& p, long long percent);   // 20..200
void SetModuleWidth(TBarcodeParams& p, long long size);        // 0..9
void SetRatio(TBarcodeParams& p, long long ratio);             // 0..1
void SetRotation(TBarcodeParams& p, long long rotation);       // 0..3

}  // namespace vantor
