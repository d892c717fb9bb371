#include <gtest/gtest.h>

#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;

struct Row {
  const char* name;
  btCodeTypes type;
  std::string caption;
  std::string codeText;
  int count;
};

TEST(Postnet, LengthRuleAndCheckDigit) {
  const Row rows[] = {
      {"5 digits", Postnet, "12345", "123455", 32},
      {"9 digits", Postnet, "555551237", "5555512372", 52},
      {"10 digits keep 9", Postnet, "5555512370", "5555512372", 52},
      {"11 digits", Postnet, "12345678901", "123456789014", 62},
      {"13 digits keep 11", Postnet, "1234567890199", "123456789014", 62},
      {"7 digits cut to 5", Postnet, "1234567", "123455", 32},
      {"3 digits padded to 5", Postnet, "123", "123004", 32},
      {"letters become 0", Postnet, "1x345", "103457", 32},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, r.caption);
    EXPECT_EQ(e.codeText, r.codeText);
    EXPECT_EQ(e.count, r.count);
  }
}

TEST(Postnet, FrameBarsAndDigitBars) {
  // Frame, 1 = 00011, 2 = 00101, 3 = 00110, 4 = 01001, 5 = 01010, check 5, frame.
  EXPECT_EQ(EncodeCaption(Postnet, "12345").modules,
            "1"
            "00011"
            "00101"
            "00110"
            "01001"
            "01010"
            "01010"
            "1");
}

TEST(Postnet, FacingIdentificationMarks) {
  const Row rows[] = {
      {"A", Postnet_FIM, "A", "FIM-A", 9},    {"lower-case b", Postnet_FIM, "b", "FIM-B", 9},
      {"c", Postnet_FIM, "c", "FIM-C", 9},    {"x is filtered to 0", Postnet_FIM, "x", "FIM-C", 9},
      {"empty", Postnet_FIM, "", "FIM-C", 9}, {"only the first character counts", Postnet_FIM, "BA", "FIM-B", 9},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto e = EncodeCaption(r.type, r.caption);
    EXPECT_EQ(e.codeText, r.codeText);
    EXPECT_EQ(e.count, r.count);
  }
  EXPECT_EQ(EncodeCaption(Postnet_FIM, "a").modules, "110010011");
  EXPECT_EQ(EncodeCaption(Postnet_FIM, "B").modules, "101101101");
  EXPECT_EQ(EncodeCaption(Postnet_FIM, "").modules, "110101011");
}

}  // namespace
}  // namespace vantor
