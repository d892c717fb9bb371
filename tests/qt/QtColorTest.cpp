// The one conversion between toolkit colour values (red in the low byte) and QColor.
#include "qt/QtColor.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(QtColor, ToolkitValueAndQColorConvertBothWays) {
  struct TRow {
    const char* name;
    TColor toolkit;
    QColor color;
  };
  const TRow rows[] = {
      {"red in the low byte", 0x0000FF, QColor(255, 0, 0)},
      {"green in the middle", 0x00FF00, QColor(0, 255, 0)},
      {"blue in the third byte", 0xFF0000, QColor(0, 0, 255)},
      {"mixed", 0x123456, QColor(0x56, 0x34, 0x12)},
      {"maroon", 0x000080, QColor(0x80, 0, 0)},
      {"white", 0xFFFFFF, QColor(255, 255, 255)},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToQColor(row.toolkit), row.color);
    EXPECT_EQ(FromQColor(row.color), row.toolkit);
  }
  EXPECT_EQ(ToQColor(0xAB0000FFu), QColor(255, 0, 0)) << "the top byte is not a colour";
  EXPECT_EQ(FromQColor(QColor(255, 0, 0, 40)), 0x0000FFu) << "the alpha channel is dropped";
}

}  // namespace
}  // namespace vantor
