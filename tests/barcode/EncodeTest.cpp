#include <gtest/gtest.h>

#include <random>

#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;

TEST(Encode, UnknownCodeTypeIsRefused) {
  TLLBarcode bc;
  bc.Params.CodeType = static_cast<btCodeTypes>(14);
  try {
    bc.Encode();
    ADD_FAILURE();
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Barcode: Unknown Type of Barcode");
  }
  EXPECT_EQ(bc.ModuleCount, 0);
  EXPECT_STREQ(bc.Params.Caption, "4711") << "a refusal changes nothing in the parameters";
}

TEST(Encode, StartValuesOfTheParameterRecord) {
  const TBarcodeParams p;
  EXPECT_STREQ(p.Caption, "4711");
  EXPECT_STREQ(p.CodeAddon, "");
  EXPECT_EQ(p.CodeType, EAN_8);
  EXPECT_EQ(p.ModuleWidth, SC2);
  EXPECT_EQ(p.Ratio, Ratio_3);
  EXPECT_EQ(p.HeightPercent, 100);
  EXPECT_EQ(p.Fontname, "Arial");
  EXPECT_EQ(p.Fontscaling, 100);
  EXPECT_FALSE(p.WidthReduce || p.HighDensity || p.ZoomSize);
  EXPECT_EQ(p.Rotation, rotate_000);
  EXPECT_TRUE(p.HumanReadable);
  EXPECT_EQ(p.IdentSplit, 7);
  TLLBarcode bc;
  bc.Encode();  // EAN-8 of 4711 by default
  EXPECT_STREQ(bc.CodeText, "47110007");
  EXPECT_EQ(bc.ModuleCount, 67);
}

TEST(Encode, ModulesAreClearedBetweenEncodings) {
  TLLBarcode bc;
  bc.Params.CodeType = CODE39;
  std::strcpy(bc.Params.Caption, "LONG CAPTION");
  bc.Encode();
  std::strcpy(bc.Params.Caption, "A");
  bc.Encode();
  for (std::size_t k = static_cast<std::size_t>(bc.ModuleCount); k < kModulesSize; ++k)
    ASSERT_EQ(bc.Modules[k], 0) << "module " << k + 1;
}

// Every type, with the worst captions the buffers must take: 50 characters of
// every byte kind through the control, and the full 53-byte array with no
// terminator, at both ratios.
TEST(Encode, NoTypeWritesPastItsBuffers) {
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<int> byte(1, 255);
  for (int type = 0; type < kCodeTypeCount; ++type) {
    for (btCodeRatio ratio : {Ratio_3, Ratio_2}) {
      for (int trial = 0; trial < 50; ++trial) {
        TLLBarcode bc;
        const std::size_t len = trial % 2 ? sizeof bc.Params.Caption : 50;
        std::memset(bc.Params.Caption, 0, sizeof bc.Params.Caption);
        for (std::size_t i = 0; i < len; ++i)
          bc.Params.Caption[i] = static_cast<char>(trial < 10 ? "0123456789"[i % 10] : byte(rng));
        bc.Params.CodeType = static_cast<btCodeTypes>(type);
        bc.Params.Ratio = ratio;
        try {
          bc.Encode();
        } catch (const EOverflow& e) {
          // Only Code 128 may refuse arbitrary bytes, and only with its own message.
          ASSERT_TRUE(type >= CODE128_A && type <= CODE128_C) << kCodeTypeNames[type];
          ASSERT_STREQ(e.what(), "ZurizID: Code128 error");
          continue;
        }
        ASSERT_GT(bc.ModuleCount, 0);
        ASSERT_LE(bc.ModuleCount, static_cast<int>(kModulesSize));
        ASSERT_LT(std::strlen(bc.CodeText), kCodeTextSize);
      }
    }
  }
}

TEST(Encode, OutOfRangeRatioReachingEncodeActsAsRatio3) {
  TLLBarcode bc;
  bc.Params.CodeType = CODE39;
  bc.Params.Ratio = static_cast<btCodeRatio>(7);
  std::strcpy(bc.Params.Caption, "");
  bc.Encode();
  EXPECT_EQ(bc.ModuleCount, 32);
}

}  // namespace
}  // namespace vantor
