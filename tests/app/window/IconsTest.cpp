#include "app/window/Icons.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPixmap>
#include <QSet>

#include <functional>

namespace vantor {
namespace {

struct TIconRow {
  const char* name;
  std::function<QIcon()> make;
  bool twoState;
};

const TIconRow kIconRows[] = {
    {"main window", MainWindowIcon, false},
    {"Print", PrintButtonIcon, true},
    {"Colors", ColorsButtonIcon, true},
};

TEST(Icons, EachIconIsDrawnAndNotBlank) {
  for (const TIconRow& row : kIconRows) {
    SCOPED_TRACE(row.name);
    const QIcon icon = row.make();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32}) {
      const QImage img = icon.pixmap(size, size).toImage();
      ASSERT_EQ(img.size(), QSize(size, size));
      int opaque = 0;
      QSet<QRgb> colors;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          if (qAlpha(img.pixel(x, y)) > 128) {
            ++opaque;
            colors.insert(img.pixel(x, y));
          }
      EXPECT_GE(opaque, size * size / 4) << "size " << size;
      EXPECT_GE(colors.size(), 3) << "size " << size;
    }
    if (row.twoState) {
      const QImage normal = icon.pixmap(16, QIcon::Normal).toImage();
      const QImage disabled = icon.pixmap(16, QIcon::Disabled).toImage();
      EXPECT_NE(normal, disabled);
    }
  }
}

}  // namespace
}  // namespace vantor
