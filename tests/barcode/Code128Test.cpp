#include <gtest/gtest.h>

#include "barcode/Code128.h"
#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;
using test::FromWidths;

// Symbol values of a prepared code text (byte - 32).
std::vector<int> Values(const std::string& codeText) {
  std::vector<int> v;
  for (unsigned char c : codeText) v.push_back(c - 32);
  return v;
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

struct Row {
  const char* name;
  btCodeTypes type;
  std::string caption;
  std::vector<int> values;  // start .. check, stop
  std::string display;
};

TEST(Code128, StreamCheckAndDisplay) {
  const Row rows[] = {
      {"set B", CODE128_B, "AB12", {104, 33, 34, 17, 18, 19, 106}, "AB12"},
      {"set C with an odd digit flushed in set A", CODE128_C, "12345", {105, 12, 34, 101, 21, 57, 106}, "12345"},
      {"set C letter counts as 0", CODE128_C, "1A", {105, 10, (105 + 10) % 103, 106}, "10"},
      {"set A lower case", CODE128_A, "ab", {103, 65, 66, (103 + 65 + 2 * 66) % 103, 106}, "  "},
      {"switch B to C",
       CODE128_B,
       "\x83"
       "1234",
       {104, 99, 12, 34, (104 + 99 + 2 * 12 + 3 * 34) % 103, 106},
       "1234"},
      {"empty set B", CODE128_B, "", {104, 104 % 103, 106}, ""},
      {"FNC1 in set C",
       CODE128_C,
       "\x86"
       "12",
       {105, 102, 12, (105 + 102 + 2 * 12) % 103, 106},
       " 12"},
      {"redundant switch shows a space",
       CODE128_B,
       "A\x84"
       "B",
       {104, 33, 100, 34, (104 + 33 + 200 + 3 * 34) % 103, 106},
       "A B"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, r.caption);
    EXPECT_EQ(Values(e.codeText), r.values);
    EXPECT_EQ(e.count, 11 * static_cast<int>(r.values.size()) + 2);
    const char start = static_cast<char>(r.values.front() + 32);
    EXPECT_EQ(Code128Stream(std::string(1, start) + r.caption, TStreamForm::Display), r.display);
  }
}

TEST(Code128, ModulesFollowTheStandardWidths) {
  // Start B, "A", "B", "1", "2", check 19, stop: widths from the symbol table.
  const std::string expected = FromWidths(
      "211214"
      "111323"
      "131123"
      "123221"
      "223211"
      "221132"
      "2331112");
  EXPECT_EQ(EncodeCaption(CODE128_B, "AB12").modules, expected);
  for (int v = 0; v < 107; ++v) {
    int sum = 0;
    for (int e = 0; e < 6; ++e) sum += TBarCode128::Widths[v][e] - '0';
    EXPECT_EQ(sum, 11) << "value " << v;
  }
}

TEST(Code128, BytesOutsideTheMapAreRefused) {
  for (const std::string& caption : {std::string("A\tB"), Bytes({'A', 200}), Bytes({139})}) {
    try {
      EncodeCaption(CODE128_B, caption);
      ADD_FAILURE() << "accepted";
    } catch (const EOverflow& e) {
      EXPECT_STREQ(e.what(), "ZurizID: Code128 error");
    }
  }
  // In set C every non-digit counts as a digit 0, so even a high byte encodes.
  EXPECT_NO_THROW(EncodeCaption(CODE128_C, Bytes({200, '1'})));
}

TEST(Code128, PendingDigitIsFlushedAtASwitchNotDropped) {
  // "1" waits for a partner when the caption switches to set B; it is written
  // in set A right there instead of silently vanishing.
  const auto e = EncodeCaption(CODE128_C,
                               "1\x84"
                               "A");
  EXPECT_EQ(Values(e.codeText),
            (std::vector<int>{105, 101, 17, 100, 33, (105 + 101 + 2 * 17 + 3 * 100 + 4 * 33) % 103, 106}));
  EXPECT_EQ(Code128Stream(Bytes({137, '1', 132, 'A'}), TStreamForm::Display), "1A");
  // A switch to A completes the flush without a redundant marker.
  const auto a = EncodeCaption(CODE128_C,
                               "1\x85"
                               "A");
  EXPECT_EQ(Values(a.codeText), (std::vector<int>{105, 101, 17, 33, (105 + 101 + 2 * 17 + 3 * 33) % 103, 106}));
}

TEST(Code128, LongestCaptionsFit) {
  EXPECT_EQ(EncodeCaption(CODE128_B, std::string(50, 'Z')).count, 53 * 11 + 2);
  EXPECT_EQ(EncodeCaption(CODE128_A, std::string(50, 'Z')).codeText.size(), 53u);
  // Worst case for the flush: digit, switch to B, switch to C, repeated over
  // the whole 53-byte caption array with no terminator.
  TLLBarcode bc;
  for (std::size_t i = 0; i < sizeof bc.Params.Caption; ++i) bc.Params.Caption[i] = "1\x84\x83"[i % 3];
  bc.Params.CodeType = CODE128_C;
  EXPECT_NO_THROW(bc.Encode());
  EXPECT_LT(std::strlen(bc.CodeText), kCodeTextSize);
  EXPECT_EQ(bc.ModuleCount, 11 * static_cast<int>(std::strlen(bc.CodeText)) + 2);
}

}  // namespace
}  // namespace vantor
