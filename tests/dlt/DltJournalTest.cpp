// The serials of DLT jobs page by page, as the journal reserves them.
#include <gtest/gtest.h>

#include "dlt/DltJournal.h"

namespace vantor {
namespace {

using journal::TSerialRange;

TEST(DltJournal, SerialsPageByPage) {
  struct Row {
    const char* name;
    std::string first;
    TSheetOptions options;
    std::optional<TPageSerials> pages;
  };
  const auto page = [](int first, int last) { return std::vector<TSerialRange>{{"ABC", 3, first, last}}; };
  const Row rows[] = {
      {"one sheet", "ABC100", {}, TPageSerials{page(100, 129)}},
      {"two sheets from label 13", "ABC100", {false, 2, 13, 0}, TPageSerials{page(100, 117), page(118, 147)}},
      {"one label at 7", "ABC105", {false, 1, 7, 1}, TPageSerials{page(105, 105)}},
      {"a range over two sheets", "ABC100", {false, 2, 29, 5}, TPageSerials{page(100, 101), page(102, 104)}},
      {"past the counter", "ABC990", {}, std::nullopt},
      {"no DLT serial", "ABC10", {}, std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(DltPageSerials(r.first, r.options), r.pages);
  }
  EXPECT_EQ(DltPageSerials("DG 100", {}), (TPageSerials{{{"DG ", 3, 100, 129}}}));
  EXPECT_EQ(DltPageSerials("AB1234", {}), (TPageSerials{{{"AB", 4, 1234, 1263}}}));
}

}  // namespace
}  // namespace vantor
