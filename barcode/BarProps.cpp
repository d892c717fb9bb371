#include "barcode/BarProps.h"

#include <cstring>

namespace vantor {

std::string AddonRule(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits.push_back(c);
  if (digits.size() >= 5) return digits.substr(0, 5);
  if (digits.size() >= 2) return digits.substr(0, 2);
  return {};
}

void SetCaption(TBarcodeParams& p, std::string_view caption) {
  if (caption.size() > kMaxControlCaption) throw EOverflow(msg::kCaptionLength);
  std::memset(p.Caption, 0, sizeof p.Caption);
  std::memcpy(p.Caption, caption.data(), caption.size());
}

void SetCodeAddon(TBarcodeParams& p, std::string_view addon) {
  const std::string kept = AddonRule(addon);
  std::memset(p.CodeAddon, 0, sizeof p.CodeAddon);
  std::memcpy(p.CodeAddon, kept.data(), kept.size());
}

namespace {
void CheckRange(long long value, long long lo, long long hi, const char* message) {
  if (value < lo || value > hi) throw EOverflow(message);
}
}  // namespace

void SetFontscaling(TBarcodeParams& p, long long percent) {
  CheckRange(percent, kMinPercent, kMaxPercent, msg::kFontscaling);
  p.Fontscaling = static_cast<std::int32_t>(percent);
}

void SetHeightPercent(TBarcodeParams& p, long long percent) {
  CheckRange(percent, kMinPercent, kMaxPercent, msg::kHeightPercent);
  p.HeightPercent = static_cast<std::int32_t>(percent);
}

void SetModuleWidth(TBarcodeParams& p, long long size) {
  CheckRange(size, 0, 9, msg::kModuleWidth);
  p.ModuleWidth = static_cast<btCodeSizes>(size);
}

void SetRatio(TBarcodeParams& p, long long ratio) {
  CheckRange(ratio, 0, 1, msg::kRatio);
  p.Ratio = static_cast<btCodeRatio>(ratio);
}

void SetRotation(TBarcodeParams& p, long long rotation) {
  CheckRange(rotation, 0, 3, msg::kRotation);
  p.Rotation = static_cast<btCodeRotate>(rotation);
}

}  // namespace vantor
