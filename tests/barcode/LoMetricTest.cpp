// Drawing at a position in the surface's logical units: pixel mode, 0.1 mm and
// 0.01 mm modes (y up), the refused modes, and the mode restored afterwards.
#include <gtest/gtest.h>

#include "barcode/DrawTestUtil.h"
#include "barcode/LoMetric.h"

namespace vantor {
namespace {

using testing::Make;

// CODE39 *000000D*, Ratio_2, SC5, 50 %, zoom, no text: 1231 x 296 px at 600 dpi.
TLLBarcode TapeLabelSymbol() {
  TLLBarcode bc = Make(CODE39, "000000D");
  bc.Params.Ratio = Ratio_2;
  bc.Params.ModuleWidth = SC5;
  bc.Params.HeightPercent = 50;
  bc.Params.ZoomSize = true;
  bc.Params.HumanReadable = false;
  return bc;
}

TEST(LogicalScale, MetricModesOnly) {
  const auto lo = LogicalScale(TMapMode::LoMetric, 600, 300);
  ASSERT_TRUE(lo);
  EXPECT_DOUBLE_EQ(lo->kx, 600.0 / 254);
  EXPECT_DOUBLE_EQ(lo->ky, 300.0 / 254);
  const auto hi = LogicalScale(TMapMode::HiMetric, 600, 600);
  ASSERT_TRUE(hi);
  EXPECT_DOUBLE_EQ(hi->kx, 600.0 / 2540);
  EXPECT_FALSE(LogicalScale(TMapMode::Pixels, 600, 600));
  EXPECT_FALSE(LogicalScale(TMapMode::Other, 600, 600));
  const auto screen = LogicalScale(TMapMode::LoMetric, 0, 0);  // the screen's 96 dpi
  ASSERT_TRUE(screen);
  EXPECT_DOUBLE_EQ(screen->kx, 96.0 / 254);
}

TEST(LogicalScale, WorkedExampleAt600Dpi) {
  // 10 mm right, 20 mm down on a 600-dpi printer in 0.1 mm units.
  const TLogicalScale k = *LogicalScale(TMapMode::LoMetric, 600, 600);
  EXPECT_EQ(LogicalToDevice(k, 100, -200), (TPoint{236, 472}));
  // A symbol 616 pixels wide is 26.1 mm.
  EXPECT_EQ(DeviceToLogicalSize(k, {616, 149}).x, 261);
  EXPECT_EQ(DeviceToLogicalSize(k, {616, 149}).y, 63);  // 149 / 2.3622 = 63.08
  // Halves to even: 127 units x 600 / 254 = 300 exactly; 0.5 px cases round to even.
  const TLogicalScale k254 = *LogicalScale(TMapMode::LoMetric, 254, 254);  // 1 px per unit
  EXPECT_EQ(LogicalToDevice(k254, 3, -5), (TPoint{3, 5}));
  const TLogicalScale half = *LogicalScale(TMapMode::LoMetric, 127, 127);  // 0.5 px per unit
  EXPECT_EQ(LogicalToDevice(half, 5, -7), (TPoint{2, 4}));                 // 2.5 -> 2, 3.5 -> 4
}

TEST(LoMetricPrint, PixelModeDrawsWhatDrawToDraws) {
  TLLBarcode a = TapeLabelSymbol();
  TLLBarcode b = TapeLabelSymbol();
  TRecordingSurface direct(300, 300), viaPrint(300, 300);
  TPoint drawn, printed;
  a.Draw(direct, 40, 50, drawn);
  LoMetricPrint(b, viaPrint, 40, 50, &printed);
  EXPECT_EQ(printed, drawn);
  EXPECT_EQ(printed, (TPoint{616, 149}));
  ASSERT_EQ(viaPrint.Ops().size(), direct.Ops().size());
  for (std::size_t i = 0; i < direct.Ops().size(); ++i) {
    EXPECT_EQ(viaPrint.Ops()[i].P1, direct.Ops()[i].P1);
    EXPECT_EQ(viaPrint.Ops()[i].P2, direct.Ops()[i].P2);
  }
  EXPECT_EQ(viaPrint.MapModeChanges(), 0);
  LoMetricPrint(b, viaPrint, 0, 0, nullptr);  // the size place is optional
}

TEST(LoMetricPrint, MetricModesDrawInPixelsAndReportLogicalUnits) {
  struct Row {
    TMapMode mode;
    int x, y;
    TPoint size;
  };
  const Row rows[] = {
      {TMapMode::LoMetric, 100, -200, {521, 125}},  // 1231 / 2.3622, 296 / 2.3622
      {TMapMode::HiMetric, 1000, -2000, {5211, 1253}},
  };
  for (const Row& r : rows) {
    TLLBarcode bc = TapeLabelSymbol();
    TRecordingSurface s(600, 600);
    s.SetMapMode(r.mode);
    s.SetOrigin({30, 40});
    s.SetBrushColor(0x00FF00);
    s.SetTextAlign(TTextAlign::TopLeft);
    TPoint size;
    LoMetricPrint(bc, s, r.x, r.y, &size);
    EXPECT_EQ(size, r.size);
    EXPECT_EQ(s.MapMode(), r.mode);
    EXPECT_EQ(s.BrushColor(), 0x00FF00u);
    EXPECT_EQ(s.TextAlign(), TTextAlign::TopLeft);
    EXPECT_EQ(s.BkMode(), TBkMode::Transparent);
    EXPECT_EQ(s.BkColor(), 0xFFFFFFu);
    const auto fills = s.OpsOf(TOpKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().P1, (TPoint{236, 472}));
    EXPECT_EQ(fills.back().Right(), 236 + 1220);  // last bar at pos(116) = 1209, 11 px wide
    for (const TRecordedOp& f : fills) {
      EXPECT_EQ(f.MapMode, TMapMode::Pixels);
      EXPECT_EQ(f.Origin, (TPoint{30, 40}));  // the origin is not touched
    }
  }
}

TEST(LoMetricPrint, OtherModesAreRefused) {
  TLLBarcode bc = TapeLabelSymbol();
  TRecordingSurface s(600, 600);
  s.SetMapMode(TMapMode::Other);
  TPoint size{-1, -1};
  try {
    LoMetricPrint(bc, s, 0, 0, &size);
    FAIL() << "expected EOverflow";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Barcode: Wrong mapmode in \"LoMetricPrint\"");
  }
  EXPECT_TRUE(s.Ops().empty());
  EXPECT_EQ(s.MapMode(), TMapMode::Other);
  EXPECT_EQ(size, (TPoint{-1, -1}));
}

TEST(LoMetricPrint, ModeRestoredWhenDrawingRaises) {
  TLLBarcode bc = Make(CODE128_B, "tab\there");
  TRecordingSurface s(600, 600);
  s.SetMapMode(TMapMode::LoMetric);
  EXPECT_THROW(LoMetricPrint(bc, s, 100, -200, nullptr), EOverflow);
  EXPECT_EQ(s.MapMode(), TMapMode::LoMetric);
  EXPECT_TRUE(s.Ops().empty());
}

TEST(LoMetricPrint, PropertyChangesAffectOnlyLaterCalls) {
  TLLBarcode bc = TapeLabelSymbol();
  TRecordingSurface s(600, 600);
  s.SetMapMode(TMapMode::LoMetric);
  TPoint first, second;
  LoMetricPrint(bc, s, 0, 0, &first);
  SetCaption(bc.Params, "000001D");
  LoMetricPrint(bc, s, 0, 0, &second);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(bc.CodeText, "*000001D*");
}

}  // namespace
}  // namespace vantor
