#include <gtest/gtest.h>

#include "barcode/CheckDigit.h"
#include "barcode/EanUpc.h"
#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;

struct CheckRow {
  const char* name;
  btCodeTypes type;
  std::string caption;
  std::string codeText;
};

TEST(EanUpc, LengthRuleAndCheckDigit) {
  const CheckRow rows[] = {
      {"EAN-13 padded with eleven zeros", EAN_13, "1", "1000000000009"},
      {"EAN-13 two digits padded", EAN_13, "12", "1200000000003"},
      {"EAN-13 of 15 digits keeps 12", EAN_13, "590123412345999", "5901234123457"},
      {"EAN-13 published example", EAN_13, "400638133393", "4006381333931"},
      {"EAN-13 empty", EAN_13, "", "0000000000000"},
      {"EAN-13 letters become 0", EAN_13, "4A0638133393", "4006381333931"},
      {"UPC-A padded with ten zeros", UPC_A, "3", "300000000001"},
      {"UPC-A published example", UPC_A, "03600029145", "036000291452"},
      {"EAN-8 padded with six zeros", EAN_8, "9", "90000003"},
      {"EAN-8 published example", EAN_8, "9638507", "96385074"},
      {"UPC-E d6 = 6", UPC_E, "123456", "1234565"},
      {"UPC-E d6 = 0", UPC_E, "042100", "0421001"},
      {"UPC-E d6 = 3", UPC_E, "123453", "1234531"},
      {"UPC-E d6 = 4", UPC_E, "123454", "1234543"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(EncodeCaption(r.type, r.caption).codeText, r.codeText);
  }
}

TEST(EanUpc, UpcEExpansionTemplates) {
  struct Row {
    const char* six;
    const char* expanded;
  };
  const Row rows[] = {
      {"123456", "01234500006"},  // d6 5..9
      {"042100", "00400000210"},  // d6 0..2: d1 d2 d6 0000 d3 d4 d5
      {"123453", "01230000045"},  // d6 3
      {"123454", "01234000005"},  // d6 4
  };
  for (const auto& r : rows) {
    const UpcEExpansion e = ExpandUPCE(r.six);
    EXPECT_EQ(std::string(e.digits, e.length), r.expanded) << r.six;
  }
  EXPECT_THROW(
      {
        try {
          ExpandUPCE("12345");
        } catch (const EOverflow& e) {
          EXPECT_STREQ(e.what(), "Decoded legth of UPC-E code is wrong!");
          throw;
        }
      },
      EOverflow);
}

// Patterns written out from the standard's sets, independently of our tables.
const std::string A0 = "0001101", B0 = "0100111", C0 = "1110010", C9 = "1110100";
const std::string A1 = "0011001", B1 = "0110011", C1 = "1100110";

TEST(EanUpc, Ean13ModulesFollowTheFirstDigitParity) {
  // 1000000000009: first digit 1 selects AABABB for digits 2..7.
  const std::string expected = "101" + A0 + A0 + B0 + A0 + B0 + B0 + "01010" + C0 + C0 + C0 + C0 + C0 + C9 + "101";
  const auto e = EncodeCaption(EAN_13, "1");
  EXPECT_EQ(e.count, 95);
  EXPECT_EQ(e.modules, expected);
}

// The standard's parity table for the ten first digits, written out here: with
// digits 2..7 all 0, each position shows A0 or B0.
TEST(EanUpc, Ean13ParityOfEveryFirstDigit) {
  struct Row {
    char first;
    const char* parity;
  };
  const Row rows[] = {{'0', "AAAAAA"}, {'1', "AABABB"}, {'2', "AABBAB"}, {'3', "AABBBA"}, {'4', "ABAABB"},
                      {'5', "ABBAAB"}, {'6', "ABBBAA"}, {'7', "ABABAB"}, {'8', "ABABBA"}, {'9', "ABBABA"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.first);
    std::string left;
    for (const char* p = r.parity; *p; ++p) left += *p == 'A' ? A0 : B0;
    const auto e = EncodeCaption(EAN_13, std::string(1, r.first));
    EXPECT_EQ(e.codeText.front(), r.first);
    EXPECT_EQ(e.modules.substr(3, 42), left);
  }
}

TEST(EanUpc, UpcAEan8AndUpcELayouts) {
  const auto upca = EncodeCaption(UPC_A, "1");  // 100000000007
  EXPECT_EQ(upca.count, 95);
  EXPECT_EQ(upca.modules.substr(0, 10), "101" + A1);
  EXPECT_EQ(upca.modules.substr(45, 5), "01010");

  const auto ean8 = EncodeCaption(EAN_8, "9");  // 90000003
  EXPECT_EQ(ean8.count, 67);
  EXPECT_EQ(ean8.modules.substr(31, 5), "01010");
  EXPECT_EQ(ean8.modules.substr(64), "101");

  // 1234565: check digit 5 selects BAABBA; the end guard is 010101.
  const auto upce = EncodeCaption(UPC_E, "123456");
  EXPECT_EQ(upce.count, 51);
  EXPECT_EQ(upce.modules.substr(0, 10), "101" + B1);
  EXPECT_EQ(upce.modules.substr(45), "010101");
}

TEST(EanUpc, AddOns) {
  struct Row {
    const char* name;
    btCodeTypes type;
    std::string addon;
    int count;
    std::string firstAddonDigit;  // modules 109..115
  };
  const Row rows[] = {
      {"5 digits 12345: checksum 1, parity BABAA", EAN_13, "12345", 152, B1},
      {"2 digits 34: 34 mod 4 = 2, parity BA", EAN_13, "34", 125, "0100001"},  // B3
      {"UPC-A with 2 digits 01: parity AB", UPC_A, "01", 125, A0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, "1", Ratio_3, r.addon);
    EXPECT_EQ(e.count, r.count);
    EXPECT_EQ(e.modules.substr(95, 9), "000000000") << "nine light modules of separation";
    EXPECT_EQ(e.modules.substr(104, 4), "1011") << "add-on start";
    EXPECT_EQ(e.modules.substr(108, 7), r.firstAddonDigit);
    EXPECT_EQ(e.modules.substr(115, 2), "01") << "separator after the first digit";
    EXPECT_EQ(e.modules.back(), '0');
  }
  EXPECT_EQ(Addon5Checksum("12345"), 1);
}

TEST(EanUpc, AddOnOnlyForEan13AndUpcA) {
  for (btCodeTypes t : {EAN_8, UPC_E}) {
    const auto with = EncodeCaption(t, "1", Ratio_3, "12345");
    const auto without = EncodeCaption(t, "1");
    EXPECT_EQ(with.modules, without.modules);
  }
}

TEST(EanUpc, WrongAddonLengthReachingEncodeIsRefused) {
  for (const char* addon : {"1", "123", "1234"}) {
    try {
      EncodeCaption(EAN_13, "1", Ratio_3, addon);
      ADD_FAILURE() << "no error for add-on " << addon;
    } catch (const EOverflow& e) {
      EXPECT_STREQ(e.what(), "BarLL: Wrong Addoncode");
    }
  }
  EXPECT_NO_THROW(EncodeCaption(EAN_8, "1", Ratio_3, "123"));
}

TEST(EanUpc, NonDigitAddonReachingEncodeStaysInBounds) {
  // The control's setter keeps digits only; a raw record may hold anything.
  const auto e = EncodeCaption(EAN_13, "1", Ratio_3, "\xFF\x01");
  EXPECT_EQ(e.count, 125);
}

TEST(CheckDigit, WeightedRoutineRefusesTypesWithoutWeights) {
  for (btCodeTypes t : {CODE39, CODE128_B, MSI_Plessey, Codabar, Postnet_FIM}) {
    try {
      WeightedCheckDigit("123", t);
      ADD_FAILURE() << "type " << int(t);
    } catch (const EOverflow& e) {
      EXPECT_STREQ(e.what(), "ZurizID: No check char with this barcode type");
    }
  }
}

}  // namespace
}  // namespace vantor
