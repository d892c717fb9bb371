// The recording surface: what it keeps and its fixed text metrics.
#include <gtest/gtest.h>

#include "surface/RecordingSurface.h"

namespace vantor {
namespace {

TEST(RecordingSurface, StartsLikeAFreshDeviceContext) {
  TRecordingSurface s(300, 600);
  EXPECT_EQ(s.DpiX(), 300);
  EXPECT_EQ(s.DpiY(), 600);
  EXPECT_EQ(s.BrushColor(), 0xFFFFFFu);
  EXPECT_EQ(s.BrushStyle(), TBrushStyle::Solid);
  EXPECT_EQ(s.PenWidth(), 1);
  EXPECT_EQ(s.TextAlign(), TTextAlign::TopLeft);
  EXPECT_EQ(s.BkMode(), TBkMode::Opaque);
  EXPECT_EQ(s.BkColor(), 0xFFFFFFu);
  EXPECT_EQ(s.MapMode(), TMapMode::Pixels);
  EXPECT_EQ(s.Origin(), (TPoint{0, 0}));
  EXPECT_EQ(s.Font().Face, "Arial");
  EXPECT_TRUE(s.Ops().empty());
}

TEST(RecordingSurface, FixedTextMetrics) {
  TRecordingSurface s(96, 96);
  TFontSpec f;
  f.Height = 13;
  s.SetFont(f);
  EXPECT_EQ(s.TextHeight("Ay"), 13);
  EXPECT_EQ(s.TextHeight(""), 13);
  EXPECT_EQ(s.TextWidth("Ay"), 2 * 7);  // ceil(13 / 2) per character
  EXPECT_EQ(s.TextWidth(""), 0);
  EXPECT_EQ(s.TextWidth("Gr\u00F6\u00DFe \u00E9"), 7 * 7) << "UTF-8: characters, not bytes";
  EXPECT_EQ(s.TextWidth("\u20AC\U0001F600"), 2 * 7);
  f.Height = 0;
  f.PointSize = 8;  // 8 pt at 96 dpi: 10.67 px em, x 1.15 = 12.27
  s.SetFont(f);
  EXPECT_EQ(s.TextHeight("x"), 12);
  s.SetDpi(600, 600);  // 76.67
  EXPECT_EQ(s.TextHeight("x"), 77);
  EXPECT_EQ(TRecordingSurface::CellHeight(f, 300), 38);  // 38.33
  s.SetDpi(0, 0);                                        // the screen's resolution
  EXPECT_EQ(s.TextHeight("x"), 12);
}

TEST(RecordingSurface, KeepsEveryOperationWithTheStateInForce) {
  TRecordingSurface s(300, 300);
  s.SetBrushColor(0x0000FF);
  s.FillRect(10, 20, 5, 2);
  s.SetBrushStyle(TBrushStyle::Clear);
  s.SetPenWidth(3);
  s.Rectangle(0, 0, 50, 40);
  s.Polygon({{0, 0}, {10, 0}, {5, 8}});
  TFontSpec f;
  f.Face = "Liberation Sans";
  f.Height = 20;
  f.Escapement = 900;
  f.Color = 0x00FF00;
  s.SetFont(f);
  s.SetTextAlign(TTextAlign::TopCenter);
  s.SetBkMode(TBkMode::Transparent);
  s.SetOrigin({7, 8});
  s.SetMapMode(TMapMode::LoMetric);
  s.TextOut(100, -200, "Ay");

  ASSERT_EQ(s.Ops().size(), 4u);
  const TRecordedOp& fill = s.Ops()[0];
  EXPECT_EQ(fill.Kind, TOpKind::FillRect);
  EXPECT_EQ(fill.P1, (TPoint{10, 20}));  // as given
  EXPECT_EQ(fill.Left(), 5);
  EXPECT_EQ(fill.Right(), 10);
  EXPECT_EQ(fill.Top(), 2);
  EXPECT_EQ(fill.Bottom(), 20);
  EXPECT_EQ(fill.BrushColor, 0x0000FFu);
  EXPECT_EQ(s.Ops()[1].BrushStyle, TBrushStyle::Clear);
  EXPECT_EQ(s.Ops()[1].PenWidth, 3);
  EXPECT_EQ(s.Ops()[2].Points.size(), 3u);
  const TRecordedOp& text = s.Ops()[3];
  EXPECT_EQ(text.Text, "Ay");
  EXPECT_EQ(text.P1, (TPoint{100, -200}));
  EXPECT_EQ(text.Font, f);
  EXPECT_EQ(text.Align, TTextAlign::TopCenter);
  EXPECT_EQ(text.BkMode, TBkMode::Transparent);
  EXPECT_EQ(text.Origin, (TPoint{7, 8}));
  EXPECT_EQ(text.MapMode, TMapMode::LoMetric);
  EXPECT_EQ(s.OpsOf(TOpKind::TextOut).size(), 1u);
  EXPECT_EQ(s.FontChanges(), 1);
  EXPECT_EQ(s.MapModeChanges(), 1);
  s.ClearOps();
  EXPECT_TRUE(s.Ops().empty());
}

TEST(RecordingSurface, EachOperationKeepsTheStateAtItsOwnCall) {
  TRecordingSurface s(300, 300);
  s.SetBrushColor(0);
  s.FillRect(10, 0, 15, 120);
  s.SetBrushColor(0x0000FF);
  s.SetPenWidth(2);
  s.Rectangle(0, 0, 4, 4);
  s.SetBrushStyle(TBrushStyle::Clear);
  s.Polygon({{1, 2}, {3, 4}});
  TFontSpec upright;
  upright.Height = 22;
  s.SetFont(upright);
  s.SetTextAlign(TTextAlign::TopCenter);
  s.SetBkMode(TBkMode::Transparent);
  s.TextOut(60, 121, "000000D");
  s.SetMapMode(TMapMode::LoMetric);
  s.SetOrigin({5, 6});
  s.SetBkMode(TBkMode::Opaque);
  s.SetBkColor(0x00FF00);
  TFontSpec turned;
  turned.Height = 0;
  turned.Escapement = 2700;
  turned.Bold = true;
  s.SetFont(turned);
  s.SetTextAlign(TTextAlign::TopLeft);
  s.TextOut(1, 2, "x");

  // From a fresh surface's state: white brush and background, opaque, pen 1.
  TRecordedOp fill;
  fill.BrushColor = fill.BkColor = 0xFFFFFF;
  fill.Kind = TOpKind::FillRect;
  fill.P1 = {10, 0};
  fill.P2 = {15, 120};
  fill.BrushColor = 0;
  TRecordedOp rect = fill;
  rect.Kind = TOpKind::Rectangle;
  rect.P1 = {0, 0};
  rect.P2 = {4, 4};
  rect.BrushColor = 0x0000FF;
  rect.PenWidth = 2;
  TRecordedOp poly = rect;
  poly.Kind = TOpKind::Polygon;
  poly.P1 = poly.P2 = {};
  poly.Points = {{1, 2}, {3, 4}};
  poly.BrushStyle = TBrushStyle::Clear;
  TRecordedOp text1 = poly;
  text1.Kind = TOpKind::TextOut;
  text1.Points.clear();
  text1.P1 = {60, 121};
  text1.Text = "000000D";
  text1.Font = upright;
  text1.Align = TTextAlign::TopCenter;
  text1.BkMode = TBkMode::Transparent;
  TRecordedOp text2 = text1;
  text2.P1 = {1, 2};
  text2.Text = "x";
  text2.Font = turned;
  text2.Align = TTextAlign::TopLeft;
  text2.BkMode = TBkMode::Opaque;
  text2.BkColor = 0x00FF00;
  text2.Origin = {5, 6};
  text2.MapMode = TMapMode::LoMetric;

  const std::vector<TRecordedOp> expected = {fill, rect, poly, text1, text2};
  ASSERT_EQ(s.Ops().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(s.Ops()[i] == expected[i]) << "operation " << i;
}

// States are stored once and operations expanded when read: reading part-way,
// a state set back to an earlier value, and a cleared surface must not mix them up.
TEST(RecordingSurface, ReadingPartWayAndClearingKeepEachOperationsState) {
  TRecordingSurface s(300, 300);
  s.SetBrushColor(0x111111);
  s.FillRect(0, 0, 1, 1);
  ASSERT_EQ(s.Ops().size(), 1u);  // read before drawing on
  s.SetBrushColor(0x222222);
  s.FillRect(1, 0, 2, 1);
  s.SetBrushColor(0x111111);  // back to the first state
  s.FillRect(2, 0, 3, 1);
  s.SetBrushColor(0x111111);  // set, not changed
  s.TextOut(3, 0, "a");
  ASSERT_EQ(s.OpCount(), 4u);
  const std::vector<TColor> brushes = {0x111111, 0x222222, 0x111111, 0x111111};
  ASSERT_EQ(s.Ops().size(), brushes.size());
  for (std::size_t i = 0; i < brushes.size(); ++i) EXPECT_EQ(s.Ops()[i].BrushColor, brushes[i]) << "operation " << i;
  EXPECT_EQ(s.Ops()[3].Text, "a");

  s.ClearOps();
  EXPECT_EQ(s.OpCount(), 0u);
  EXPECT_TRUE(s.Ops().empty());
  s.Polygon({{7, 8}});  // the state in force is kept across the clear
  ASSERT_EQ(s.Ops().size(), 1u);
  EXPECT_EQ(s.Ops()[0].BrushColor, 0x111111u);
  EXPECT_EQ(s.Ops()[0].Points, (std::vector<TPoint>{{7, 8}}));
}

}  // namespace
}  // namespace vantor
