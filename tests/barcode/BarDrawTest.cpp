// Sizes of the drawn linear symbols on a recording surface at 96, 300 and 600
// dpi: module width, nominal height, cut, box size, guard and data bars.
// Expected numbers are worked out by hand from the drawing rules (pixels per mm
// = dpi / 25.4, halves to even, the cut halves away from zero).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "barcode/DrawTestUtil.h"

namespace vantor {
namespace {

using testing::DarkRuns;
using testing::DrawAt;
using testing::Drawing;
using testing::DrawOn;
using testing::Make;

TEST(ModuleWidthMM, ClassTableAndHighDensity) {
  const double mm[10] = {0.27, 0.297, 0.33, 0.363, 0.396, 0.445, 0.495, 0.544, 0.61, 0.66};
  TLLBarcode bc;
  for (int sc = 0; sc <= 9; ++sc) {
    bc.Params.ModuleWidth = static_cast<btCodeSizes>(sc);
    bc.Params.HighDensity = false;
    EXPECT_DOUBLE_EQ(bc.ModuleWidthMM(), mm[sc]) << "SC" << sc;
    bc.Params.HighDensity = true;
    EXPECT_DOUBLE_EQ(bc.ModuleWidthMM(), mm[sc] / 2) << "SC" << sc << " high density";
  }
  bc.Params.HighDensity = false;
  bc.Params.ModuleWidth = static_cast<btCodeSizes>(12);  // only reachable around the setter
  EXPECT_DOUBLE_EQ(bc.ModuleWidthMM(), 0.33);
}

// The narrow bar of Code 39 (the first bar of "*") is one module wide.
TEST(DrawGeometry, ModuleWidthInPixels) {
  struct Row {
    int dpi;
    btCodeSizes sc;
    bool highDensity;
    int X;
  };
  const Row rows[] = {
      {96, SC0, false, 1},  {96, SC2, false, 1},   {96, SC5, false, 2},   // 0.445 mm x 3.78 = 1.68
      {96, SC5, true, 1},   {96, SC9, false, 2},   {300, SC0, false, 3},  // 0.2225 mm -> 0.84
      {300, SC2, false, 4}, {300, SC5, false, 5},  {300, SC9, false, 8},  {300, SC8, true, 4}, {600, SC0, false, 6},
      {600, SC2, false, 8}, {600, SC5, false, 11}, {600, SC9, false, 16}, {600, SC9, true, 8},
  };
  for (const Row& r : rows) {
    TLLBarcode bc = Make(CODE39, "1");
    bc.Params.ModuleWidth = r.sc;
    bc.Params.HighDensity = r.highDensity;
    const Drawing d = DrawAt(bc, r.dpi);
    ASSERT_FALSE(d.fills.empty());
    EXPECT_EQ(d.fills[0].Right() - d.fills[0].Left(), r.X)
        << r.dpi << " dpi SC" << int(r.sc) << " hd " << r.highDensity;
  }
}

// CODE39 *000000D*, Ratio_2 (117 modules), SC5, HeightPercent 50, no text.
TEST(DrawGeometry, Code39TapeLabelSymbol) {
  struct Row {
    int dpi;
    bool zoom;
    int W, Ht, barBottom;  // bars from y0 to y0 + barBottom; Ht = Hb - Cut + 1
    const char* note;
  };
  const Row rows[] = {
      {300, true, 616, 149, 148, "X 5, Hb 296, Cut 148 (the worked example)"},
      {300, false, 586, 141, 140, "Hb 281 = 56.24 modules of 5 px; Cut 140.5 -> 141"},
      {96, true, 198, 48, 47, "X 2, Hb 95, Cut 47.5 -> 48, pos(117) 195"},
      {96, false, 235, 57, 56, "X 2, Hb 112, Cut 56"},
      {600, true, 1231, 296, 295, "X 11, Hb 591, Cut 295.5 -> 296, pos(117) 1219"},
      {600, false, 1288, 310, 309, "X 11, Hb 619, Cut 309.5 -> 310"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.note);
    TLLBarcode bc = Make(CODE39, "000000D");
    bc.Params.Ratio = Ratio_2;
    bc.Params.ModuleWidth = SC5;
    bc.Params.HeightPercent = 50;
    bc.Params.HumanReadable = false;
    bc.Params.ZoomSize = r.zoom;
    const int x0 = 7, y0 = 11;
    const Drawing d = DrawAt(bc, r.dpi, x0, y0);
    ASSERT_EQ(bc.ModuleCount, 117);
    EXPECT_EQ(d.size, (TPoint{r.W, r.Ht}));
    EXPECT_TRUE(d.texts.empty());
    // One fill per run of dark modules, not per module.
    EXPECT_EQ(d.fills.size(), DarkRuns(bc).size());
    EXPECT_EQ(d.fills.front().Left(), x0);
    for (const TRecordedOp& f : d.fills) {
      EXPECT_EQ(f.Top(), y0);
      EXPECT_EQ(f.Bottom(), y0 + r.barBottom);
      EXPECT_EQ(f.BrushColor, 0u);
      EXPECT_EQ(f.BrushStyle, TBrushStyle::Solid);
    }
  }
}

TEST(DrawGeometry, Code39BarsFollowTheModules) {
  // Without zoom every run of n modules is n * X pixels at pos = x0 + (k - 1) * X.
  TLLBarcode bc = Make(CODE39, "000000D");
  bc.Params.Ratio = Ratio_2;
  bc.Params.ModuleWidth = SC5;
  const Drawing d = DrawAt(bc, 300, 3, 0);
  const auto runs = DarkRuns(bc);
  ASSERT_EQ(d.fills.size(), runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(d.fills[i].Left(), 3 + (runs[i].first - 1) * 5);
    EXPECT_EQ(d.fills[i].Right() - d.fills[i].Left(), runs[i].second * 5);
  }
}

// EAN-13 with SC2, HeightPercent 100, Fontscaling 100.
TEST(DrawGeometry, Ean13SizesAndText) {
  struct Row {
    int dpi;
    bool zoom;
    int X, Hb, W, dataBottom, font, textRows;  // Ht = font + textRows (TH is the cell height here)
    int pos25, pos72;
    const char* note;
  };
  const Row rows[] = {
      {96, false, 1, 74, 116, 68, 13, 70, 34, 81, "the worked example: LM 10, Ht = TH + 70"},
      {96, true, 1, 93, 139, 85, 17, 88, 40, 99, "zoom: Hb 93, W 139"},
      {300, false, 4, 297, 461, 272, 53, 278, 136, 324, "X 4, LM 40"},
      {300, true, 4, 289, 451, 265, 52, 271, 134, 317, "X 1.299 mm / 4 px"},
      {600, false, 8, 594, 921, 545, 107, 556, 272, 648, "X 8, LM 80"},
      {600, true, 8, 579, 902, 531, 104, 542, 267, 633, "zoom at 600"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.note);
    TLLBarcode bc = Make(EAN_13, "590123412345");
    bc.Params.ZoomSize = r.zoom;
    const int x0 = 20, y0 = 30;
    TRecordingSurface s(r.dpi, r.dpi);
    const Drawing d = DrawOn(bc, s, x0, y0);
    EXPECT_EQ(d.size, (TPoint{r.W, r.font + r.textRows}));
    EXPECT_EQ(s.Font().Height, r.font);  // the surface keeps the text font's height
    EXPECT_EQ(s.Font().Face, "Arial");
    // First guard bar at the left margin of ten modules.
    EXPECT_EQ(d.fills.front().Left(), x0 + 10 * r.X);
    ASSERT_EQ(d.texts.size(), 3u);
    EXPECT_EQ(d.texts[0].Text, "5");
    EXPECT_EQ(d.texts[0].P1, (TPoint{x0 + 5 * r.X, y0 + r.dataBottom}));
    EXPECT_EQ(d.texts[1].Text, "901234");
    EXPECT_EQ(d.texts[1].P1, (TPoint{x0 + r.pos25, y0 + r.dataBottom}));
    EXPECT_EQ(d.texts[2].Text, "123457");  // check digit 7 (GS1's example number)
    EXPECT_EQ(d.texts[2].P1, (TPoint{x0 + r.pos72, y0 + r.dataBottom}));
    for (const TRecordedOp& t : d.texts) {
      EXPECT_EQ(t.Font.Height, r.font);
      EXPECT_EQ(t.Font.Escapement, 0);
      EXPECT_EQ(t.Align, TTextAlign::TopCenter);
      EXPECT_EQ(t.BkMode, TBkMode::Transparent);
    }
    for (const TRecordedOp& f : d.fills) {
      const bool guard = f.Bottom() == y0 + r.Hb;
      EXPECT_TRUE(guard || f.Bottom() == y0 + r.dataBottom) << f.Left();
    }
  }
}

// Guard bars (and the centre guard) reach the nominal height, data bars stop
// at 0.917 of it. Module ranges of the data characters per symbology.
TEST(DrawGeometry, GuardAndDataBarHeights) {
  struct Row {
    btCodeTypes type;
    const char* caption;
    int Hb, dataBottom;  // at 96 dpi, SC2
    std::vector<std::pair<int, int>> data;
  };
  const Row rows[] = {
      {EAN_8, "9638507", 56, 51, {{4, 31}, {37, 64}}},
      {EAN_13, "590123412345", 74, 68, {{4, 45}, {51, 92}}},
      {UPC_A, "03600029145", 74, 68, {{4, 45}, {51, 92}}},
      {UPC_E, "123456", 56, 51, {{4, 45}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(CodeTypeName(r.type)));
    TLLBarcode bc = Make(r.type, r.caption);
    const Drawing d = DrawAt(bc, 96);
    const int lm = (r.type == EAN_13 || r.type == UPC_A) ? 10 : 0;
    const auto runs = DarkRuns(bc);
    ASSERT_EQ(d.fills.size(), runs.size());
    int guards = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const int s = runs[i].first;
      bool inData = false;
      for (auto [a, b] : r.data) inData = inData || (s >= a && s <= b);
      EXPECT_EQ(d.fills[i].Left(), lm + s - 1);
      EXPECT_EQ(d.fills[i].Top(), 0);
      EXPECT_EQ(d.fills[i].Bottom(), inData ? r.dataBottom : r.Hb) << "run at module " << s;
      guards += inData ? 0 : 1;
    }
    EXPECT_EQ(guards, r.type == UPC_E ? 5 : 6);  // 2 + 2 + 2, or 2 + 3 for UPC-E
  }
}

TEST(DrawGeometry, HeightPercentAboveHundredGrowsTheBarsAndTheBox) {
  TLLBarcode bc = Make(EAN_13, "590123412345");
  bc.Params.HeightPercent = 200;  // Cut = -74
  const Drawing d = DrawAt(bc, 96);
  EXPECT_EQ(d.fills.front().Bottom(), 148);  // guard: 74 + 74
  EXPECT_EQ(d.fills[2].Bottom(), 142);       // first data bar: 68 + 74
  EXPECT_EQ(d.size.y, 13 + 143 + 1);         // TH + round(74 * 0.9336 + 74) + 1
  EXPECT_EQ(d.texts[1].P1.y, 142);

  bc.Params.HeightPercent = 20;  // Cut = round(74 * 0.8) = 59.2 -> 59
  const Drawing low = DrawAt(bc, 96);
  EXPECT_EQ(low.fills.front().Bottom(), 15);
  EXPECT_EQ(low.size.y, 13 + 10 + 1);  // round(69.09 - 59)
}

// The properties refuse percentages outside 20..200, but the record can be
// written directly; drawing then uses the nearest allowed value, so no size
// overflows.
TEST(DrawGeometry, PercentagesOutsideTheirRangeDrawAsTheNearestAllowed) {
  struct Row {
    const char* name;
    btCodeTypes type;
    bool height;  // HeightPercent, else Fontscaling
    std::int32_t value;
    std::int32_t drawnAs;
  };
  const Row rows[] = {
      {"height INT32_MIN", EAN_13, true, INT32_MIN, 20},
      {"height 0", CODE39, true, 0, 20},
      {"height 201", CODE39, true, 201, 200},
      {"height INT32_MAX", UPC_A, true, INT32_MAX, 200},
      {"font -1", EAN_8, false, -1, 20},
      {"font INT32_MAX", CODE128_B, false, INT32_MAX, 200},
      {"postal font INT32_MIN", Postnet, false, INT32_MIN, 20},
      {"postal font 1000", Postnet, false, 1000, 200},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLLBarcode odd = Make(r.type, "1234567"), allowed = Make(r.type, "1234567");
    (r.height ? odd.Params.HeightPercent : odd.Params.Fontscaling) = r.value;
    (r.height ? allowed.Params.HeightPercent : allowed.Params.Fontscaling) = r.drawnAs;
    const Drawing a = DrawAt(odd, 600), b = DrawAt(allowed, 600);
    EXPECT_EQ(a.size, b.size);
    ASSERT_EQ(a.fills.size(), b.fills.size());
    for (std::size_t i = 0; i < a.fills.size(); ++i) {
      EXPECT_EQ(a.fills[i].P1, b.fills[i].P1) << i;
      EXPECT_EQ(a.fills[i].P2, b.fills[i].P2) << i;
    }
    ASSERT_EQ(a.texts.size(), b.texts.size());
    for (std::size_t i = 0; i < a.texts.size(); ++i) {
      EXPECT_EQ(a.texts[i].P1, b.texts[i].P1);
      EXPECT_EQ(a.texts[i].Font.Height, b.texts[i].Font.Height);
    }
  }
}

TEST(DrawGeometry, CutRoundsHalvesAwayFromZero) {
  // Hb 281 at 50 %: 140.5 -> 141 (halves to even would give 140).
  TLLBarcode bc = Make(CODE39, "1");
  bc.Params.ModuleWidth = SC5;
  bc.Params.HeightPercent = 50;
  EXPECT_EQ(DrawAt(bc, 300).fills.front().Bottom(), 140);
  // Hb 95 at 150 %: -47.5 -> -48, bars 143 tall.
  bc.Params.ZoomSize = true;
  bc.Params.HeightPercent = 150;
  EXPECT_EQ(DrawAt(bc, 96).fills.front().Bottom(), 143);
}

TEST(DrawGeometry, WidthReduce) {
  // All bars one pixel wide: nothing changes.
  TLLBarcode thin = Make(CODE39, "AB");
  thin.Params.ModuleWidth = SC0;
  thin.Params.Ratio = Ratio_2;
  const Drawing before = DrawAt(thin, 96);
  thin.Params.WidthReduce = true;
  const Drawing after = DrawAt(thin, 96);
  ASSERT_EQ(before.fills.size(), after.fills.size());
  bool anyOnePixel = false;
  for (std::size_t i = 0; i < before.fills.size(); ++i) {
    const int w = before.fills[i].Right() - before.fills[i].Left();
    anyOnePixel = anyOnePixel || w == 1;
    EXPECT_EQ(after.fills[i].Right() - after.fills[i].Left(), w == 1 ? 1 : w - 1);
  }
  EXPECT_TRUE(anyOnePixel);

  // Wider bars each lose one pixel on the right; the box stays.
  TLLBarcode wide = Make(CODE39, "AB");
  wide.Params.ModuleWidth = SC5;
  const Drawing w0 = DrawAt(wide, 300);
  wide.Params.WidthReduce = true;
  const Drawing w1 = DrawAt(wide, 300);
  EXPECT_EQ(w0.size, w1.size);
  for (std::size_t i = 0; i < w0.fills.size(); ++i) {
    EXPECT_EQ(w1.fills[i].Left(), w0.fills[i].Left());
    EXPECT_EQ(w1.fills[i].Right(), w0.fills[i].Right() - 1);
  }
}

TEST(DrawGeometry, ZeroResolutionDrawsAtTheScreensResolution) {
  TLLBarcode bc = Make(EAN_13, "590123412345");
  TRecordingSurface unknown(0, 0);
  const Drawing atScreen = DrawOn(bc, unknown);
  const Drawing at96 = DrawAt(bc, 96);
  EXPECT_EQ(atScreen.size, at96.size);
  EXPECT_EQ(atScreen.size, (TPoint{116, 83}));

  SetScreenDpi(300, 300);
  TRecordingSurface unknown2(0, 0);
  const Drawing atScreen300 = DrawOn(bc, unknown2);
  SetScreenDpi(96, 96);
  EXPECT_EQ(atScreen300.size, DrawAt(bc, 300).size);
}

TEST(DrawGeometry, UnequalResolutionsScaleTheHeight) {
  // 300 x 600 dpi without zoom: X = 4 across, Hb = round(74.24 * 0.33 * 23.62 * 4 / 3.90) = 594.
  TLLBarcode bc = Make(EAN_13, "1");
  TRecordingSurface s(300, 600);
  const Drawing d = DrawOn(bc, s);
  EXPECT_EQ(d.fills.front().Right() - d.fills.front().Left(), 4);
  EXPECT_EQ(d.fills.front().Bottom(), 594);
  EXPECT_EQ(d.size.x, 461);
}

TEST(DrawState, WhatSurvivesADrawing) {
  TRecordingSurface s(300, 300);
  s.SetBrushColor(0x123456);
  s.SetBrushStyle(TBrushStyle::Clear);
  s.SetTextAlign(TTextAlign::TopLeft);
  s.SetBkMode(TBkMode::Opaque);
  s.SetBkColor(0x0000FF);
  TFontSpec f;
  f.Face = "Courier New";
  f.Color = 0x00FF00;
  s.SetFont(f);
  TLLBarcode bc = Make(CODE39, "ABC");
  bc.Params.Fontname = "Liberation Serif";
  TPoint size;
  const int fontChangesBefore = s.FontChanges();
  bc.Draw(s, 0, 0, size);
  EXPECT_EQ(s.BrushColor(), 0x123456u);
  EXPECT_EQ(s.BrushStyle(), TBrushStyle::Clear);
  EXPECT_EQ(s.TextAlign(), TTextAlign::TopLeft);
  EXPECT_EQ(s.BkMode(), TBkMode::Transparent);
  EXPECT_EQ(s.BkColor(), 0xFFFFFFu);
  EXPECT_EQ(s.Font().Face, "Liberation Serif");
  EXPECT_EQ(s.Font().Height, 53);  // round(Hb 225 x 74.24 / 56.24 x 0.18) = round(53.46)
  EXPECT_EQ(s.Font().Color, 0x00FF00u);
  // Surface font once, then one font per text string and back.
  EXPECT_EQ(s.FontChanges() - fontChangesBefore, 1 + 2);
  const auto texts = s.OpsOf(TOpKind::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Font.Color, 0x00FF00u);  // the text colour in force
  EXPECT_FALSE(texts[0].Font.Bold);
}

TEST(DrawState, EncodingErrorRaisesAndLeavesBrushAndAlignment) {
  TRecordingSurface s(96, 96);
  s.SetBrushColor(0xABCDEF);
  TLLBarcode bc = Make(CODE128_B, "a\tb");
  TPoint size{-1, -1};
  try {
    bc.Draw(s, 0, 0, size);
    FAIL() << "expected EOverflow";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "ZurizID: Code128 error");
  }
  EXPECT_TRUE(s.Ops().empty());
  EXPECT_EQ(s.BrushColor(), 0xABCDEFu);
  EXPECT_EQ(s.BrushStyle(), TBrushStyle::Solid);
  EXPECT_EQ(s.TextAlign(), TTextAlign::TopLeft);
  EXPECT_EQ(size, (TPoint{-1, -1}));

  TLLBarcode addon = Make(EAN_13, "1");
  std::strcpy(addon.Params.CodeAddon, "123");  // around the setter
  EXPECT_THROW(addon.Draw(s, 0, 0, size), EOverflow);
}

TEST(DrawState, FontscalingScalesTheTextFont) {
  TLLBarcode bc = Make(EAN_13, "1");
  bc.Params.Fontscaling = 200;
  TRecordingSurface s(96, 96);
  const Drawing d = DrawOn(bc, s);
  EXPECT_EQ(d.texts[0].Font.Height, 27);  // round(74 x 0.18 x 2) = round(26.64)
  EXPECT_EQ(d.size.y, 27 + 70);
}

}  // namespace
}  // namespace vantor
