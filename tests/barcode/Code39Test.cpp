#include <gtest/gtest.h>

#include <iterator>
#include <string>

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

// The 3:1 form of a 2:1 module string: every two-module (wide) element grows to three.
std::string Widen(const std::string& modules) {
  std::string out;
  for (std::size_t i = 0; i < modules.size();) {
    std::size_t run = 1;
    while (i + run < modules.size() && modules[i + run] == modules[i]) ++run;
    out.append(run == 2 ? 3 : run, modules[i]);
    i += run;
  }
  return out;
}

// Every data character's modules at 2:1 as the Code 39 character table gives
// them (the same as zint's), read from character 2 of "*c*"; the 3:1 form
// follows from it. A pattern moved to another character or a misplaced wide
// element fails its row.
TEST(Code39, EveryCharacterHasItsStandardModules) {
  struct Row {
    char c;
    const char* modules;
  };
  const Row rows[] = {
      {'0', "101001101101"}, {'1', "110100101011"}, {'2', "101100101011"}, {'3', "110110010101"}, {'4', "101001101011"},
      {'5', "110100110101"}, {'6', "101100110101"}, {'7', "101001011011"}, {'8', "110100101101"}, {'9', "101100101101"},
      {'A', "110101001011"}, {'B', "101101001011"}, {'C', "110110100101"}, {'D', "101011001011"}, {'E', "110101100101"},
      {'F', "101101100101"}, {'G', "101010011011"}, {'H', "110101001101"}, {'I', "101101001101"}, {'J', "101011001101"},
      {'K', "110101010011"}, {'L', "101101010011"}, {'M', "110110101001"}, {'N', "101011010011"}, {'O', "110101101001"},
      {'P', "101101101001"}, {'Q', "101010110011"}, {'R', "110101011001"}, {'S', "101101011001"}, {'T', "101011011001"},
      {'U', "110010101011"}, {'V', "100110101011"}, {'W', "110011010101"}, {'X', "100101101011"}, {'Y', "110010110101"},
      {'Z', "100110110101"}, {'-', "100101011011"}, {'.', "110010101101"}, {' ', "100110101101"}, {'$', "100100100101"},
      {'/', "100100101001"}, {'+', "100101001001"}, {'%', "101001001001"}};
  ASSERT_EQ(std::size(rows), 43u);
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string("'") + r.c + "'");
    const auto two = EncodeCaption(CODE39, std::string(1, r.c), Ratio_2);
    EXPECT_EQ(two.codeText, std::string("*") + r.c + "*");
    EXPECT_EQ(two.modules.substr(13, 13), std::string(r.modules) + "0");
    const auto three = EncodeCaption(CODE39, std::string(1, r.c), Ratio_3);
    EXPECT_EQ(three.modules.substr(16, 16), Widen(r.modules) + "0");
  }
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
