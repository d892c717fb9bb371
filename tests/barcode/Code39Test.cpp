#include <gtest/gtest.h>

#include "barcode/Code39.h"
#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;

// "*" is n w n n w n w n n (bar first); with a 2:1 ratio and the trailing gap:
// 1 00 1 0 11 0 11 0 1 + 0.
constexpr const char* kStar2 = "1001011011010";
constexpr const char* kStar3 = "1000101110111010";

struct Code39Row {
  const char* name;
  std::string caption;
  btCodeRatio ratio;
  std::string codeText;
  int count;
};

TEST(Code39, PreparesTextAndCountsModules) {
  const Code39Row rows[] = {
      {"empty ratio 3", "", Ratio_3, "**", 32},
      {"empty ratio 2", "", Ratio_2, "**", 26},
      {"tape label ratio 2", "000000D", Ratio_2, "*000000D*", 117},
      {"tape label ratio 3", "000000D", Ratio_3, "*000000D*", 144},
      {"lower case and # become 0", "ab#1", Ratio_3, "*0001*", 96},
      {"all specials", "-. $/+%", Ratio_2, "*-. $/+%*", 9 * 13},
      {"an asterisk inside stays", "A*B", Ratio_3, "*A*B*", 80},
      {"bytes above 127 become 0", "\xC3\xA9", Ratio_3, "*00*", 64},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(CODE39, r.caption, r.ratio);
    EXPECT_EQ(e.codeText, r.codeText);
    EXPECT_EQ(e.count, r.count);
    EXPECT_EQ(e.modules.front(), '1') << "module 1 is the first bar of the start character";
    EXPECT_EQ(e.modules.back(), '0') << "the trailing gap is light";
  }
}

TEST(Code39, EmptyCaptionIsTwoStartStopCharacters) {
  EXPECT_EQ(EncodeCaption(CODE39, "", Ratio_2).modules, std::string(kStar2) + kStar2);
  EXPECT_EQ(EncodeCaption(CODE39, "", Ratio_3).modules, std::string(kStar3) + kStar3);
}

TEST(Code39, EveryPatternHasThreeWideElementsAndTheStandardWidth) {
  for (std::size_t i = 0; i < TBarCode39::kCount; ++i) {
    SCOPED_TRACE(TBarCode39::Chars[i]);
    const std::string p = TBarCode39::Patterns[i];
    EXPECT_EQ(std::count(p.begin(), p.end(), '1'), 3);
    // Two of the wide elements are bars and one a space, except for the four
    // characters $ / + % whose three wide elements are all spaces.
    int wideBars = 0;
    for (int e = 0; e < 9; e += 2) wideBars += p[static_cast<std::size_t>(e)] == '1';
    const char c = TBarCode39::Chars[i];
    EXPECT_EQ(wideBars, (c == '$' || c == '/' || c == '+' || c == '%') ? 0 : 2);
  }
}

TEST(Code39, ElementsHoldNinePatternFlagsPerCharacter) {
  TLLBarcode bc;
  std::strcpy(bc.Params.Caption, "D");
  bc.Params.CodeType = CODE39;
  bc.Encode();
  // Character 1 is "D": 000011001.
  const std::uint8_t expected[9] = {0, 0, 0, 0, 1, 1, 0, 0, 1};
  EXPECT_TRUE(std::equal(expected, expected + 9, bc.Elements + 9));
}

TEST(Code39, LongestCaptionFitsTheBuffers) {
  // 50 characters through the control; 53 when the caption array holds no terminator.
  EXPECT_EQ(EncodeCaption(CODE39, std::string(50, 'W'), Ratio_3).count, 52 * 16);
  TLLBarcode bc;
  std::memset(bc.Params.Caption, 'M', sizeof bc.Params.Caption);
  bc.Params.CodeType = CODE39;
  bc.Encode();
  EXPECT_EQ(bc.ModuleCount, 55 * 16);
  EXPECT_EQ(std::strlen(bc.CodeText), 55u);
}

}  // namespace
}  // namespace vantor
