// Turns fuzz bytes into a barcode parameter record. Enumerations are mostly
// valid but take any byte value now and then, because Encode and Draw are
// public and can be reached without the control's range checks.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "barcode/BarLL.h"

namespace vantor::fuzz {

// Mostly 0..count-1; one value in four is any byte.
template <class Enum>
Enum AnyEnum(FuzzedDataProvider& in, int count) {
  const auto b = in.ConsumeIntegral<std::uint8_t>();
  return static_cast<Enum>(b < 192 ? b % count : b);
}

// Fills a fixed text array: up to its whole size, with or without a
// terminator (a full array has none).
inline void FillText(FuzzedDataProvider& in, char* array, std::size_t size) {
  const bool full = in.ConsumeBool();
  const std::string text = in.ConsumeRandomLengthString(size);
  std::memset(array, 0, size);
  if (full && !text.empty()) {
    for (std::size_t i = 0; i < size; ++i) array[i] = text[i % text.size()];
  } else {
    std::memcpy(array, text.data(), std::min(text.size(), size));
  }
}

// A percentage: mostly the control's range 20..200, sometimes any 32-bit value.
inline std::int32_t Percent(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int32_t>(20, 200) : in.ConsumeIntegral<std::int32_t>();
}

inline void FillEncodeParams(FuzzedDataProvider& in, TBarcodeParams& p) {
  p.CodeType = AnyEnum<btCodeTypes>(in, kCodeTypeCount);
  p.Ratio = AnyEnum<btCodeRatio>(in, 2);
  FillText(in, p.CodeAddon, sizeof p.CodeAddon);
  FillText(in, p.Caption, sizeof p.Caption);
}

inline void FillDrawParams(FuzzedDataProvider& in, TBarcodeParams& p) {
  p.ModuleWidth = AnyEnum<btCodeSizes>(in, 10);
  p.Rotation = AnyEnum<btCodeRotate>(in, 4);
  p.HeightPercent = Percent(in);
  p.Fontscaling = Percent(in);
  p.WidthReduce = in.ConsumeBool();
  p.HighDensity = in.ConsumeBool();
  p.ZoomSize = in.ConsumeBool();
  p.HumanReadable = in.ConsumeBool();
  p.IdentSplit = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::int32_t>(0, 14) : in.ConsumeIntegral<std::int32_t>();
  FillEncodeParams(in, p);
}

}  // namespace vantor::fuzz

namespace vantor::fuzz {

// The record in words, for reports of broken invariants.
inline std::string Describe(const TBarcodeParams& p) {
  std::string caption;
  for (std::size_t i = 0; i < kCaptionSize && p.Caption[i]; ++i) {
    const auto c = static_cast<unsigned char>(p.Caption[i]);
    char buf[8];
    std::snprintf(buf, sizeof buf, c >= 32 && c < 127 ? "%c" : "\\x%02x", c);
    caption += buf;
  }
  return "type=" + std::to_string(p.CodeType) + " caption=\"" + caption + "\" addon=\"" +
         std::string(p.CodeAddon, BoundedLength(p.CodeAddon, kAddonSize)) + "\" ratio=" + std::to_string(p.Ratio) +
         " module=" + std::to_string(p.ModuleWidth) + " rotation=" + std::to_string(p.Rotation) +
         " height=" + std::to_string(p.HeightPercent) + "% font=" + std::to_string(p.Fontscaling) +
         "% reduce=" + std::to_string(p.WidthReduce) + " hd=" + std::to_string(p.HighDensity) +
         " zoom=" + std::to_string(p.ZoomSize) + " text=" + std::to_string(p.HumanReadable);
}

}  // namespace vantor::fuzz
