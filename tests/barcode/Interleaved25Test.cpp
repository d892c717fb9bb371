#include <gtest/gtest.h>

#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;
using test::FromWidths;

struct Row {
  const char* name;
  btCodeTypes type;
  std::string caption;
  btCodeRatio ratio;
  std::string codeText;
  int count;
};

TEST(Interleaved25, CheckDigitOnlyForOddCounts) {
  const Row rows[] = {
      {"odd count gets weights 3,1", CODE25i, "12345", Ratio_3, "123457", 9 * 6 + 9},
      {"even count unchanged", CODE25i, "1234", Ratio_3, "1234", 9 * 4 + 9},
      {"postal weights 4,9", CODE25iP, "123", Ratio_3, "1236", 9 * 4 + 9},
      {"letter becomes 0, no check digit", CODE25i, "12A4", Ratio_3, "1204", 45},
      {"empty: start and stop only", CODE25i, "", Ratio_3, "", 9},
      {"empty at ratio 2", CODE25i, "", Ratio_2, "", 8},
      {"ratio 2 count", CODE25i, "1234", Ratio_2, "1234", 7 * 4 + 8},
      {"50 digits", CODE25i, std::string(50, '7'), Ratio_3, std::string(50, '7'), 459},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, r.caption, r.ratio);
    EXPECT_EQ(e.codeText, r.codeText);
    EXPECT_EQ(e.count, r.count);
  }
}

TEST(Interleaved25, StartStopAndInterleaving) {
  EXPECT_EQ(EncodeCaption(CODE25i, "").modules, "101011101");
  // "12": bars from 1 (wnnnw), spaces from 2 (nwnnw), interleaved, then stop (wide bar).
  const std::string pair12 = FromWidths(
      "1111"
      "3113111133"
      "311");
  EXPECT_EQ(EncodeCaption(CODE25i, "12").modules, pair12);
}

TEST(Interleaved25, LongestCaptionArrayFits) {
  TLLBarcode bc;
  std::memset(bc.Params.Caption, '9', sizeof bc.Params.Caption);  // 53 digits, no terminator
  bc.Params.CodeType = CODE25iP;
  bc.Encode();
  EXPECT_EQ(std::strlen(bc.CodeText), 54u);
  EXPECT_EQ(bc.ModuleCount, 9 * 54 + 9);
}

}  // namespace
}  // namespace vantor
