#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <stdexcept>
#include <string_view>

#include "barcode/EncodeHelpers.h"
#include "barcode/Symbology.h"

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
          ASSERT_TRUE(type >= CODE128_A && type <= CODE128_C) << CodeTypeName(static_cast<btCodeTypes>(type));
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

// The build checks each row's type and name; the functions it cannot compare
// in a constant expression under the sanitizers are checked here.
TEST(Encode, EverySymbologyRowHasItsFunctions) {
  for (const TSymbology& row : kSymbologies) {
    EXPECT_NE(row.prepare, nullptr) << row.name;
    EXPECT_NE(row.check, nullptr) << row.name;
    EXPECT_NE(row.encode, nullptr) << row.name;
  }
}

TEST(Encode, CodeTypeNamesRoundTrip) {
  for (int t = 0; t < kCodeTypeCount; ++t) {
    const auto type = static_cast<btCodeTypes>(t);
    const std::string_view name = CodeTypeName(type);
    ASSERT_FALSE(name.empty()) << t;
    EXPECT_EQ(CodeTypeFromName(name), type) << name;
  }
  EXPECT_EQ(CodeTypeName(CODE39), "CODE39");
  EXPECT_EQ(CodeTypeName(Postnet_FIM), "Postnet_FIM");
  EXPECT_EQ(CodeTypeName(static_cast<btCodeTypes>(kCodeTypeCount)), "");
  for (const char* unknown : {"", "code39", "CODE39 ", "EAN", "QR"})
    EXPECT_EQ(CodeTypeFromName(unknown), std::nullopt) << unknown;
}

// The three ways the standards print a pattern, through the one expansion.
TEST(Encode, PatternForms) {
  struct Row {
    const char* name;
    const char* pattern;
    TPatternForm form;
    int wide;
    const char* modules;
  };
  const Row rows[] = {
      {"modules", "0001101", TPatternForm::Modules, 1, "0001101"},
      {"widths, dark first", "3211", TPatternForm::Widths, 1, "1110010"},
      {"narrow/wide at 2", "10010", TPatternForm::NarrowWide, 2, "1101001"},
      {"narrow/wide at 3", "01", TPatternForm::NarrowWide, 3, "1000"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLLBarcode bc;
    ModuleWriter out(bc);
    out.PutPattern(r.pattern, r.form, r.wide);
    out.Finish();
    EXPECT_EQ(bc.ModuleString(), r.modules);
  }
  static_assert(PatternModules<4>("31", TPatternForm::Widths) == std::array<std::uint8_t, 4>{1, 1, 1, 0});
  EXPECT_THROW(PatternModules<4>("21", TPatternForm::Widths), std::length_error) << "three modules for four";
  EXPECT_THROW(PatternModules<2>("21", TPatternForm::Widths), std::length_error) << "three modules for two";
}

TEST(Encode, PatternsStopAtTheModuleBuffer) {
  TLLBarcode bc;
  ModuleWriter out(bc, static_cast<int>(kModulesSize) - 1);  // two modules left
  out.PutPattern("11");
  EXPECT_THROW(out.PutPattern("1"), EOverflow);
  EXPECT_THROW(out.PutPattern("2", TPatternForm::Widths), EOverflow);
  EXPECT_EQ(out.Written(), static_cast<int>(kModulesSize));
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
