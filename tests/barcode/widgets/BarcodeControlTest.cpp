// The barcode control: published properties with their range checks, repaint
// requests, painting and sizing, drawing on other surfaces, the click signal.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPixmap>
#include <functional>

#include "barcode/widgets/Barcode.h"
#include "qt/QtTestApp.h"
#include "surface/RecordingSurface.h"

namespace vantor {
namespace {

TEST(BarcodeControl, StartValues) {
  TBarcode b;
  EXPECT_EQ(b.width(), 69);
  EXPECT_EQ(b.height(), 66);
  EXPECT_EQ(b.Bar_Caption(), "4711");
  EXPECT_EQ(b.Bar_CodeAddon(), "");
  EXPECT_EQ(b.Bar_CodeType(), EAN_8);
  EXPECT_EQ(b.Bar_Fontname(), "Arial");
  EXPECT_EQ(b.Bar_Fontscaling(), 100);
  EXPECT_EQ(b.Bar_HeightPercent(), 100);
  EXPECT_FALSE(b.Bar_HighDensity());
  EXPECT_TRUE(b.Bar_HumanReadable());
  EXPECT_EQ(b.Bar_ModuleWidth(), SC2);
  EXPECT_EQ(b.Bar_Ratio(), Ratio_3);
  EXPECT_EQ(b.Bar_Rotation(), rotate_000);
  EXPECT_FALSE(b.Bar_WidthReduce());
  EXPECT_FALSE(b.Bar_ZoomSize());
  EXPECT_TRUE(b.AutoSize());
  EXPECT_EQ(b.RepaintRequests(), 0);
}

// The range-checked properties: limits inclusive, exact messages, a refused
// value keeps the old one and requests no repaint.
TEST(BarcodeControl, RangeChecks) {
  struct Row {
    const char* name;
    std::function<void(TBarcode&, long long)> set;
    std::function<long long(const TBarcode&)> get;
    long long start, lo, hi;
    const char* message;
  };
  const std::vector<Row> rows = {
      {"Bar_Fontscaling", [](TBarcode& b, long long v) { b.SetBar_Fontscaling(v); },
       [](const TBarcode& b) { return b.Bar_Fontscaling(); }, 100, 20, 200,
       "Bar_Fontscaling must be in the range 20..200!"},
      {"Bar_HeightPercent", [](TBarcode& b, long long v) { b.SetBar_HeightPercent(v); },
       [](const TBarcode& b) { return b.Bar_HeightPercent(); }, 100, 20, 200,
       "Bar_HeightPercent must be in the range 20..200!"},
      {"Bar_ModuleWidth", [](TBarcode& b, long long v) { b.SetBar_ModuleWidth(v); },
       [](const TBarcode& b) { return static_cast<long long>(b.Bar_ModuleWidth()); }, 2, 0, 9,
       "Bar_SC_Size must be in the range 0..9!"},
      {"Bar_Ratio", [](TBarcode& b, long long v) { b.SetBar_Ratio(v); },
       [](const TBarcode& b) { return static_cast<long long>(b.Bar_Ratio()); }, 0, 0, 1,
       "Bar_Ratio must be in the range 0..1 (Ratio_3 or Ratio_2)!"},
      {"Bar_Rotation", [](TBarcode& b, long long v) { b.SetBar_Rotation(v); },
       [](const TBarcode& b) { return static_cast<long long>(b.Bar_Rotation()); }, 0, 0, 3,
       "Bar_Rotate must be in the range rotate_000..rotate_270!"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TBarcode b;
    EXPECT_EQ(r.get(b), r.start);
    for (long long ok : {r.lo, r.hi}) {
      const int before = b.RepaintRequests();
      r.set(b, ok);
      EXPECT_EQ(r.get(b), ok);
      EXPECT_EQ(b.RepaintRequests(), before + 1);
    }
    for (long long bad : {r.lo - 1, r.hi + 1, 1000LL, -1000000LL}) {
      if (bad >= r.lo && bad <= r.hi) continue;
      const int before = b.RepaintRequests();
      try {
        r.set(b, bad);
        ADD_FAILURE() << bad << " was accepted";
      } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), r.message);
      }
      EXPECT_EQ(r.get(b), r.hi) << "the old value stays";
      EXPECT_EQ(b.RepaintRequests(), before) << "no repaint for a refused value";
    }
  }
}

TEST(BarcodeControl, CaptionLength) {
  TBarcode b;
  const std::string fifty(50, '7');
  b.SetBar_Caption(fifty);
  EXPECT_EQ(b.Bar_Caption(), fifty);
  EXPECT_EQ(b.RepaintRequests(), 1);
  try {
    b.SetBar_Caption(std::string(51, '8'));
    ADD_FAILURE() << "51 characters accepted";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "String exceeds maximum length");
  }
  EXPECT_EQ(b.Bar_Caption(), fifty);
  EXPECT_EQ(b.RepaintRequests(), 1);
  b.SetBar_Caption("");
  EXPECT_EQ(b.Bar_Caption(), "");
}

TEST(BarcodeControl, AddonRule) {
  struct Row {
    const char* given;
    const char* kept;
  };
  const Row rows[] = {{"1234", "12"}, {"a1b2c3d4e5f6", "12345"}, {"7", ""},     {"", ""}, {"12", "12"},
                      {"123", "12"},  {"12345", "12345"},        {"x9y8", "98"}};
  TBarcode b;
  int requests = 0;
  for (const Row& r : rows) {
    b.SetBar_CodeAddon(r.given);
    EXPECT_EQ(b.Bar_CodeAddon(), r.kept) << r.given;
    EXPECT_EQ(b.RepaintRequests(), ++requests);
  }
}

TEST(BarcodeControl, UncheckedPropertiesStoreAndRequestARepaint) {
  TBarcode b;
  const std::vector<std::function<void()>> setters = {
      [&] { b.SetBar_CodeType(CODE39); },  [&] { b.SetBar_Fontname("Courier New"); },
      [&] { b.SetBar_HighDensity(true); }, [&] { b.SetBar_HumanReadable(false); },
      [&] { b.SetBar_WidthReduce(true); }, [&] { b.SetBar_ZoomSize(true); },
  };
  for (std::size_t i = 0; i < setters.size(); ++i) {
    setters[i]();
    EXPECT_EQ(b.RepaintRequests(), static_cast<int>(i) + 1);
  }
  EXPECT_EQ(b.Bar_CodeType(), CODE39);
  EXPECT_EQ(b.Bar_Fontname(), "Courier New");
  EXPECT_TRUE(b.Bar_HighDensity());
  EXPECT_FALSE(b.Bar_HumanReadable());
  EXPECT_TRUE(b.Bar_WidthReduce());
  EXPECT_TRUE(b.Bar_ZoomSize());
}

TEST(BarcodeControl, AutoSizeRequestsARepaintOnlyWhenItChanges) {
  TBarcode b;
  b.SetAutoSize(true);
  EXPECT_EQ(b.RepaintRequests(), 0);
  b.SetAutoSize(false);
  EXPECT_FALSE(b.AutoSize());
  EXPECT_EQ(b.RepaintRequests(), 1);
  b.SetAutoSize(false);
  EXPECT_EQ(b.RepaintRequests(), 1);
}

TEST(BarcodeControl, PaintFitsTheControlToTheDrawing) {
  // EAN-8 "4711" at 96 dpi, SC2: 67 modules + 1 = 68 wide; Ht = 13 + 52 + 1.
  TCustomBarcode base;
  TRecordingSurface canvas(96, 96);
  base.Paint(canvas);
  EXPECT_EQ(base.width(), 68);
  EXPECT_EQ(base.height(), 66);

  TBarcode b;
  b.SetBar_CodeType(CODE39);
  b.SetBar_Caption("000000D");
  b.Paint(canvas);
  EXPECT_EQ(b.width(), 145);  // 144 modules + 1
  EXPECT_EQ(b.height(), 13 + 56 + 1);
  b.SetBar_Rotation(rotate_090);
  b.Paint(canvas);
  EXPECT_EQ(b.width(), 70);
  EXPECT_EQ(b.height(), 145);

  b.SetAutoSize(false);
  b.resize(40, 30);
  b.SetBar_Rotation(rotate_000);
  b.Paint(canvas);
  EXPECT_EQ(b.width(), 40);
  EXPECT_EQ(b.height(), 30);
}

TEST(BarcodeControl, PaintingTheWidgetSizesIt) {
  TBarcode b;
  b.SetBar_CodeType(CODE39);
  b.SetBar_Caption("000000D");
  b.SetBar_ModuleWidth(SC5);
  TRecordingSurface atWidgetDpi(b.logicalDpiX(), b.logicalDpiY());
  TPoint expected;
  b.DrawTo(atWidgetDpi, 0, 0, &expected);
  const QPixmap shot = b.grab();
  EXPECT_FALSE(shot.isNull());
  EXPECT_EQ(b.LastPaintError(), "");
  EXPECT_EQ(b.width(), expected.x);
  EXPECT_EQ(b.height(), expected.y);
}

TEST(BarcodeControl, PaintErrorsAreReportedNotThrown) {
  TBarcode b;
  b.SetBar_CodeType(CODE128_B);
  b.SetBar_Caption("tab\there");
  int failures = 0;
  QObject::connect(&b, &TCustomBarcode::paintFailed, [&](const QString& m) {
    ++failures;
    EXPECT_EQ(m, "ZurizID: Code128 error");
  });
  b.grab();
  b.grab();
  EXPECT_EQ(b.LastPaintError(), "ZurizID: Code128 error");
  EXPECT_EQ(failures, 1);  // once per new message
  TRecordingSurface canvas(96, 96);
  EXPECT_THROW(b.Paint(canvas), EOverflow);  // the paint operation itself raises
  b.SetBar_Caption("fine");
  b.grab();
  EXPECT_EQ(b.LastPaintError(), "");
}

TEST(BarcodeControl, DrawToAnotherSurface) {
  TBarcode b;
  b.SetBar_CodeType(EAN_13);
  b.SetBar_Caption("590123412345");
  TRecordingSurface canvas(96, 96);
  TPoint size;
  b.DrawTo(canvas, 100, 50, &size);
  EXPECT_EQ(size, (TPoint{116, 83}));
  EXPECT_EQ(canvas.OpsOf(TOpKind::FillRect).front().P1, (TPoint{110, 50}));
  b.DrawTo(canvas, 0, 0);    // no size place
  EXPECT_EQ(b.width(), 69);  // drawing elsewhere does not resize the control
}

TEST(BarcodeControl, LoMetricPrint) {
  TBarcode b;
  b.SetBar_CodeType(CODE39);
  b.SetBar_Caption("000000D");
  b.SetBar_ModuleWidth(SC5);
  b.SetBar_Ratio(Ratio_2);
  b.SetBar_HeightPercent(50);
  b.SetBar_HumanReadable(false);
  b.SetBar_ZoomSize(true);
  b.SetBar_Rotation(rotate_180);

  TRecordingSurface printer(600, 600);
  printer.SetMapMode(TMapMode::LoMetric);
  TPoint size;
  b.LoMetricPrint(printer, 100, -200, &size);
  EXPECT_EQ(size, (TPoint{521, 125}));
  EXPECT_EQ(printer.MapMode(), TMapMode::LoMetric);
  const auto fills = printer.OpsOf(TOpKind::FillRect);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.front().Right(), 236 + 1231);  // turned: the first bar at the right edge
  EXPECT_EQ(fills.front().Bottom(), 472 + 296);

  TRecordingSurface pixels(300, 300);
  b.LoMetricPrint(pixels, 0, 0, &size);
  EXPECT_EQ(size, (TPoint{616, 149}));

  TRecordingSurface other(600, 600);
  other.SetMapMode(TMapMode::Other);
  try {
    b.LoMetricPrint(other, 0, 0, &size);
    ADD_FAILURE() << "drew in an unknown mapping mode";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Barcode: Wrong mapmode in \"LoMetricPrint\"");
  }
}

TEST(BarcodeControl, ClickSignal) {
  TBarcode b;
  int clicks = 0;
  QObject::connect(&b, &TBarcode::clicked, [&] { ++clicks; });
  auto send = [&](QEvent::Type type, QPointF at) {
    QMouseEvent e(type, at, b.mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &e);
  };
  send(QEvent::MouseButtonPress, {5, 5});
  send(QEvent::MouseButtonRelease, {6, 6});
  EXPECT_EQ(clicks, 1);
  send(QEvent::MouseButtonPress, {5, 5});
  send(QEvent::MouseButtonRelease, {500, 500});  // released outside
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace vantor
