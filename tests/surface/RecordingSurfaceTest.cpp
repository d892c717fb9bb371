// The recording surface: what it keeps, its fixed text metrics and its trace.
#include <gtest/gtest.h>

#include <sstream>

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
  EXPECT_EQ(s.TextWidth("Ay"), 2 * 7);  // ceil(13 / 2) per byte
  EXPECT_EQ(s.TextWidth(""), 0);
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

TEST(RecordingSurface, TraceOneLinePerOperation) {
  TRecordingSurface s(300, 300);
  s.SetBrushColor(0);
  s.FillRect(10, 0, 15, 120);
  s.SetBrushColor(0x0000FF);  // red in the low byte
  s.SetPenWidth(2);
  s.Rectangle(0, 0, 4, 4);
  s.SetBrushStyle(TBrushStyle::Clear);
  s.Polygon({{1, 2}, {3, 4}});
  TFontSpec f;
  f.Height = 22;
  s.SetFont(f);
  s.SetTextAlign(TTextAlign::TopCenter);
  s.SetBkMode(TBkMode::Transparent);
  s.TextOut(60, 121, "000000D");
  s.SetMapMode(TMapMode::LoMetric);
  s.SetOrigin({5, 6});
  s.SetBkMode(TBkMode::Opaque);
  s.SetBkColor(0xFFFFFF);
  f.Height = 0;
  f.Escapement = 2700;
  f.Bold = true;
  s.SetFont(f);
  s.SetTextAlign(TTextAlign::TopLeft);
  s.TextOut(1, 2, "x");
  std::ostringstream out;
  s.WriteTrace(out);
  EXPECT_EQ(out.str(),
            "FillRect 10,0 15,120 brush=#000000\n"
            "Rectangle 0,0 4,4 brush=#FF0000 pen=2\n"
            "Polygon 1,2 3,4 brush=clear pen=2\n"
            "TextOut 60,121 \"000000D\" font=\"Arial\" h=22 esc=0 color=#000000 align=top-center bk=transparent\n"
            "TextOut 1,2 \"x\" font=\"Arial\" h=0 pt=8 esc=2700 bold color=#000000 align=top-left bk=#FFFFFF"
            " origin=5,6 map=lometric\n");
}

}  // namespace
}  // namespace vantor
