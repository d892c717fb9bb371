// Names and serials compared and upper-cased the one way every caller uses.
#include "surface/Text.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(Text, CaseFoldsLettersOnly) {
  struct Row {
    const char* a;
    const char* b;
    bool equal;
    const char* upperA;
  };
  const Row rows[] = {
      {"Dataware OCR", "dataware ocr", true, "DATAWARE OCR"},
      {"lto-a4-3x17", "LTO-A4-3X17", true, "LTO-A4-3X17"},
      {"code39", "Code39 ", false, "CODE39"},  // a longer name is another name
      {"abc", "abd", false, "ABC"},
      {"a-1", "a_1", false, "A-1"},  // signs and digits compare as they are
      {"", "", true, ""},
      {"caf\xe9", "CAF\xe9", true, "CAF\xe9"},  // bytes past ASCII stay as typed
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.a);
    EXPECT_EQ(EqualNoCase(r.a, r.b), r.equal);
    EXPECT_EQ(EqualNoCase(r.b, r.a), r.equal);
    EXPECT_EQ(UpperCase(r.a), r.upperA);
  }
}

}  // namespace
}  // namespace vantor
