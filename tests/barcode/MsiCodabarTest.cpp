#include <gtest/gtest.h>

#include "barcode/Codabar.h"
#include "barcode/EncodeHelpers.h"
#include "barcode/MsiPlessey.h"

namespace vantor {
namespace {

using test::EncodeCaption;

struct Row {
  const char* name;
  btCodeTypes type;
  std::string caption;
  btCodeRatio ratio;
  std::string codeText;
  int count;
};

TEST(MsiPlessey, CheckDigitAndModuleCount) {
  const Row rows[] = {
      {"1234567: P=1357 doubled 2714, Q=246, sum 26", MSI_Plessey, "1234567", Ratio_3, "12345674", 35 * 4},
      {"empty: check digit 0", MSI_Plessey, "", Ratio_3, "0", (1 + 4 + 2) * 4},
      {"ratio 2: three modules a bit", MSI_Plessey, "1234567", Ratio_2, "12345674", 35 * 3},
      {"letters become 0: P=10 doubled 20, Q=2", MSI_Plessey, "12X", Ratio_3, "1206", (1 + 16 + 2) * 4},
      // P has 10 digits here (beyond 32 bits once doubled): 2 * 9999999999 =
      // 19999999998, digit sum 90, Q = ten 9s = 90, sum 180: check 0.
      {"twenty 9s", MSI_Plessey, std::string(20, '9'), Ratio_3, std::string(20, '9') + "0", (1 + 84 + 2) * 4},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, r.caption, r.ratio);
    EXPECT_EQ(e.codeText, r.codeText);
    EXPECT_EQ(e.count, r.count);
  }
}

TEST(MsiPlessey, BitsToModules) {
  // "0" gets check 0: start 1, digits 0000 0000, stop 00.
  EXPECT_EQ(EncodeCaption(MSI_Plessey, "", Ratio_3).modules,
            "1110"
            "1000"
            "1000"
            "1000"
            "1000"
            "1000"
            "1000");
  EXPECT_EQ(EncodeCaption(MSI_Plessey, "", Ratio_2).modules,
            "110"
            "100"
            "100"
            "100"
            "100"
            "100"
            "100");
}

TEST(MsiPlessey, FiftyDigitsKeepTheirStop) {
  // 51 digits with the check digit: 1 + 204 + 2 bits, all of them written.
  const auto e = EncodeCaption(MSI_Plessey, std::string(50, '5'), Ratio_3);
  EXPECT_EQ(e.count, 207 * 4);
  EXPECT_EQ(e.modules.substr(e.modules.size() - 8), "10001000") << "the two stop bits";
}

TEST(MsiPlessey, ProofcharRefusesOtherTypes) {
  char text[kCodeTextSize] = "123";
  try {
    AddMSIProofchar(text, CODE39);
    ADD_FAILURE();
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Wrong barcode type in procedure AddMSIProofchar");
  }
  EXPECT_STREQ(text, "123");
}

TEST(Codabar, Preparation) {
  const Row rows[] = {
      {"start and stop supplied", Codabar, "12", Ratio_3, "A12A", 12 + 12 + 14 + 14},
      {"lower case becomes start/stop", Codabar, "a12b", Ratio_3, "A12B", 0},
      {"inner letter becomes 0", Codabar, "1A2", Ratio_3, "A102A", 0},
      {"single start letter", Codabar, "B", Ratio_3, "BA", 0},
      {"empty", Codabar, "", Ratio_3, "AA", 28},
      {"empty ratio 2", Codabar, "", Ratio_2, "AA", 22},
      {"invalid characters dropped", Codabar, "1*2", Ratio_3, "A12A", 0},
      {"dropped last character still decides the stop", Codabar, "C1*", Ratio_3, "C1A", 0},
      {"punctuation", Codabar, "-$:/.+", Ratio_2, "A-$:/.+A", 11 + 10 + 10 + 11 + 11 + 11 + 11 + 11},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, r.caption, r.ratio);
    EXPECT_EQ(e.codeText, r.codeText);
    if (r.count) {
      EXPECT_EQ(e.count, r.count);
    }
  }
}

TEST(Codabar, UpperCasesTheStoredCaption) {
  TLLBarcode bc;
  std::strcpy(bc.Params.Caption, "a1b");
  bc.Params.CodeType = Codabar;
  bc.Encode();
  EXPECT_STREQ(bc.Params.Caption, "A1B");
}

TEST(Codabar, ModulesFromTheTwoWidthTable) {
  // "A" = 0011010: n n w w n w n, then the separator.
  const std::string a3 =
      "1"
      "0"
      "111"
      "000"
      "1"
      "000"
      "1"
      "0";
  EXPECT_EQ(EncodeCaption(Codabar, "", Ratio_3).modules, a3 + a3);
}

}  // namespace
}  // namespace vantor
