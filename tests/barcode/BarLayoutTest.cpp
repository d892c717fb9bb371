// Where things land: the four rotations, the EAN/UPC add-on, the text line of
// every symbology, and the postal symbols' fixed dimensions.
#include <gtest/gtest.h>

#include "barcode/DrawTestUtil.h"

namespace vantor {
namespace {

using testing::DarkRuns;
using testing::DrawAt;
using testing::Drawing;
using testing::DrawOn;
using testing::Make;

// The unrotated rectangle turned inside the box at (x0, y0), normalised.
TRecordedOp Turned(const TRecordedOp& f, btCodeRotate rot, int W, int Ht, int x0, int y0) {
  const int dl = f.Left() - x0, dr = f.Right() - x0, dt = f.Top() - y0, db = f.Bottom() - y0;
  TRecordedOp t;
  switch (rot) {
    case rotate_090:
      t.P1 = {x0 + dt, y0 + W - dr};
      t.P2 = {x0 + db, y0 + W - dl};
      break;
    case rotate_180:
      t.P1 = {x0 + W - dr, y0 + Ht - db};
      t.P2 = {x0 + W - dl, y0 + Ht - dt};
      break;
    case rotate_270:
      t.P1 = {x0 + Ht - db, y0 + dl};
      t.P2 = {x0 + Ht - dt, y0 + dr};
      break;
    default: t = f; break;
  }
  return t;
}

struct RotationCase {
  btCodeTypes type;
  const char* caption;
  const char* addon;
  int dpi;
};

class Rotation : public ::testing::TestWithParam<RotationCase> {};

TEST_P(Rotation, BarsAndTextTurnInsideTheBox) {
  const RotationCase& c = GetParam();
  const int x0 = 13, y0 = 17;
  TLLBarcode bc = Make(c.type, c.caption);
  SetCodeAddon(bc.Params, c.addon);
  const Drawing up = DrawAt(bc, c.dpi, x0, y0);
  const int W = up.size.x, Ht = up.size.y;
  for (btCodeRotate rot : {rotate_090, rotate_180, rotate_270}) {
    SCOPED_TRACE(::testing::Message() << "rotation " << int(rot));
    bc.Params.Rotation = rot;
    const Drawing d = DrawAt(bc, c.dpi, x0, y0);
    const bool quarter = rot != rotate_180;
    EXPECT_EQ(d.size, quarter ? (TPoint{Ht, W}) : (TPoint{W, Ht}));
    ASSERT_EQ(d.fills.size(), up.fills.size());
    for (std::size_t i = 0; i < d.fills.size(); ++i) {
      const TRecordedOp want = Turned(up.fills[i], rot, W, Ht, x0, y0);
      EXPECT_EQ(d.fills[i].Left(), want.Left()) << i;
      EXPECT_EQ(d.fills[i].Right(), want.Right()) << i;
      EXPECT_EQ(d.fills[i].Top(), want.Top()) << i;
      EXPECT_EQ(d.fills[i].Bottom(), want.Bottom()) << i;
      EXPECT_GE(d.fills[i].Left(), x0);
      EXPECT_GE(d.fills[i].Top(), y0);
      EXPECT_LE(d.fills[i].Right(), x0 + d.size.x);
      EXPECT_LE(d.fills[i].Bottom(), y0 + d.size.y);
    }
    ASSERT_EQ(d.texts.size(), up.texts.size());
    for (std::size_t i = 0; i < d.texts.size(); ++i) {
      const int dx = up.texts[i].P1.x - x0, dy = up.texts[i].P1.y - y0;
      const TPoint want = rot == rotate_090   ? TPoint{x0 + dy, y0 + W - dx}
                          : rot == rotate_180 ? TPoint{x0 + W - dx, y0 + Ht - dy}
                                              : TPoint{x0 + Ht - dy, y0 + dx};
      EXPECT_EQ(d.texts[i].P1, want) << d.texts[i].Text;
      EXPECT_EQ(d.texts[i].Font.Escapement, 900 * int(rot));
      EXPECT_EQ(d.texts[i].Text, up.texts[i].Text);
    }
    // Where the first module ends up: at the bottom for a quarter turn
    // counter-clockwise, at the right for a half turn, at the top clockwise;
    // the tops of the main bars face left, down and right.
    const TRecordedOp& first = d.fills.front();
    if (rot == rotate_090) {
      EXPECT_EQ(first.Bottom(), y0 + W - (up.fills.front().Left() - x0));
      EXPECT_EQ(first.Left(), x0);
    } else if (rot == rotate_180) {
      EXPECT_EQ(first.Right(), x0 + W - (up.fills.front().Left() - x0));
      EXPECT_EQ(first.Bottom(), y0 + Ht);
    } else {
      EXPECT_EQ(first.Top(), y0 + (up.fills.front().Left() - x0));
      EXPECT_EQ(first.Right(), x0 + Ht);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, Rotation,
    ::testing::Values(RotationCase{CODE39, "000000D", "", 96}, RotationCase{CODE39, "000000D", "", 300},
                      RotationCase{CODE39, "000000D", "", 600}, RotationCase{EAN_13, "590123412345", "12345", 300},
                      RotationCase{UPC_A, "03600029145", "12", 600}, RotationCase{Postnet, "12345", "", 300},
                      RotationCase{Postnet_FIM, "a", "", 300}, RotationCase{Postnet_FIM, "b", "", 600}));

// At the extremes the properties allow, and with resolutions far apart across
// and down, every bar stays inside the reported box in every rotation, and no
// bar is drawn upside down.
TEST(BoxLimits, EveryBarInsideTheBoxTheRightWayUp) {
  struct Row {
    const char* name;
    btCodeTypes type;
    const char* caption;
    const char* addon;
    int dpiX, dpiY, height, font;
  };
  const Row rows[] = {
      // Guard bars reach 0.0664 Hb below the text top: more than a 20 % text is tall.
      {"EAN-8, small text", EAN_8, "9638507", "", 300, 300, 100, 20},
      {"EAN-13, small text", EAN_13, "590123412345", "", 300, 300, 100, 20},
      {"UPC-A, small text, tall bars", UPC_A, "03600029145", "", 600, 600, 200, 20},
      {"UPC-E, small text, 300 x 600 dpi", UPC_E, "123456", "", 300, 600, 40, 20},
      {"add-on digits taller than the short bars", EAN_13, "590123412345", "12345", 300, 300, 20, 200},
      {"add-on at 1 dpi down", EAN_13, "590123412345", "12345", 389, 1, 100, 100},
      {"Code 39 at 2400 x 72 dpi", CODE39, "000000D", "", 2400, 72, 200, 200},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TLLBarcode bc = Make(r.type, r.caption);
    SetCodeAddon(bc.Params, r.addon);
    bc.Params.HeightPercent = r.height;
    bc.Params.Fontscaling = r.font;
    for (btCodeRotate rot : {rotate_000, rotate_090, rotate_180, rotate_270}) {
      SCOPED_TRACE(::testing::Message() << "rotation " << int(rot));
      bc.Params.Rotation = rot;
      const int x0 = 7, y0 = 11;
      TRecordingSurface s(r.dpiX, r.dpiY);
      const Drawing d = DrawOn(bc, s, x0, y0);
      for (const TRecordedOp& f : d.fills) {
        EXPECT_GE(f.Left(), x0);
        EXPECT_GE(f.Top(), y0);
        EXPECT_LE(f.Right(), x0 + d.size.x);
        EXPECT_LE(f.Bottom(), y0 + d.size.y);
        if (rot == rotate_000) {
          EXPECT_LE(f.P1.y, f.P2.y) << "bar from " << f.P1.y << " up to " << f.P2.y;
        }
      }
    }
  }
}

TEST(AddOn, BarsStartBelowTheirDigits) {
  struct Row {
    btCodeTypes type;
    const char* addon;
    int dpi;
    int X, TH, fullBottom, W, digitsX, firstAddonBarLeft;
    const char* note;
  };
  const Row rows[] = {
      {EAN_13, "12345", 300, 4, 53, 297, 689, 548, 456, "pos(128) = 40 + 127 x 4"},
      {EAN_13, "12", 300, 4, 53, 297, 581, 496, 456, "pos(115) = 40 + 114 x 4"},
      {EAN_13, "12345", 96, 1, 13, 74, 173, 137, 114, "the 96-dpi screen"},
      {UPC_A, "12345", 600, 8, 107, 594, 1377, 1096, 912, "pos(128) = 80 + 127 x 8"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.note);
    const int x0 = 5, y0 = 9;
    TLLBarcode bc = Make(r.type, r.type == EAN_13 ? "590123412345" : "03600029145");
    SetCodeAddon(bc.Params, r.addon);
    const Drawing d = DrawAt(bc, r.dpi, x0, y0);
    EXPECT_EQ(d.size.x, r.W);
    const auto runs = DarkRuns(bc);
    ASSERT_EQ(d.fills.size(), runs.size());
    bool sawAddon = false;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      if (runs[i].first >= 101) {
        if (!sawAddon) {
          EXPECT_EQ(d.fills[i].Left(), x0 + r.firstAddonBarLeft);
        }
        sawAddon = true;
        EXPECT_EQ(d.fills[i].Top(), y0 + r.TH + r.X) << "module " << runs[i].first;
        EXPECT_EQ(d.fills[i].Bottom(), y0 + r.fullBottom);
      } else {
        EXPECT_EQ(d.fills[i].Top(), y0);
      }
    }
    EXPECT_TRUE(sawAddon);
    ASSERT_FALSE(d.texts.empty());
    EXPECT_EQ(d.texts.back().Text, r.addon);
    EXPECT_EQ(d.texts.back().P1, (TPoint{x0 + r.digitsX, y0}));
  }
}

TEST(AddOn, NotDrawnForEan8OrUpcE) {
  for (btCodeTypes type : {EAN_8, UPC_E}) {
    TLLBarcode bc = Make(type, "123456");
    SetCodeAddon(bc.Params, "12345");
    const Drawing d = DrawAt(bc, 96);
    for (const TRecordedOp& t : d.texts) EXPECT_NE(t.Text, "12345");
    EXPECT_EQ(bc.ModuleCount, type == EAN_8 ? 67 : 51);
  }
}

// The human-readable line at 96 dpi, SC2 (X = 1): characters, centre x, top y.
TEST(TextLine, BySymbology) {
  struct Text {
    std::string text;
    int x, y;
  };
  struct Row {
    btCodeTypes type;
    const char* caption;
    std::vector<Text> texts;
    const char* note;
  };
  const std::vector<Row> rows = {
      {EAN_8, "9638507", {{"9638", 17, 51}, {"5074", 49, 51}}, "check digit 4; pos(18), pos(50); Hb 56, 0.917 Hb = 51"},
      {UPC_A,
       "03600029145",
       {{"0", 5, 68}, {"36000", 34, 68}, {"29145", 81, 68}, {"2", 110, 68}},
       "check digit 2; LM/2, pos(25), pos(72), pos(95) + X + LM/2"},
      {UPC_E, "123456", {{"123456", 24, 51}}, "the check digit 5 is not shown; mid = pos(25)"},
      {CODE39, "000000D", {{"000000D", 71, 56}}, "no asterisks; 144 modules, mid = pos(72)"},
      {Codabar, "12345", {{"12345", 43, 56}}, "A12345A without start and stop; 88 modules"},
      {CODE128_B, "AB12", {{"AB12", 38, 56}}, "79 modules"},
      {CODE128_A, "ab", {{"  ", 27, 56}}, "lower case has no display form in set A; 57 modules"},
      {CODE128_C, "12345", {{"12345", 38, 56}}, "start, 12, 34, switch to A, 5, check, stop: 79 modules"},
      {CODE25i, "1234", {{"1234", 21, 56}}, "even: no check digit; 45 modules"},
      {CODE25iP, "12345678901234", {{"12345.678.901.23   4", 66, 56}}, "14 digits grouped"},
      {MSI_Plessey, "1234567", {{"12345674", 69, 56}}, "check digit 4; 140 modules"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.note);
    TLLBarcode bc = Make(r.type, r.caption);
    const Drawing d = DrawAt(bc, 96);
    ASSERT_EQ(d.texts.size(), r.texts.size());
    for (std::size_t i = 0; i < r.texts.size(); ++i) {
      EXPECT_EQ(d.texts[i].Text, r.texts[i].text);
      EXPECT_EQ(d.texts[i].P1, (TPoint{r.texts[i].x, r.texts[i].y})) << r.texts[i].text;
      EXPECT_EQ(d.texts[i].Align, TTextAlign::TopCenter);
      EXPECT_EQ(d.texts[i].Font.Face, "Arial");
    }
  }
}

TEST(TextLine, DrawingLeavesTheDisplayFormInTheCodeText) {
  TLLBarcode upce = Make(UPC_E, "123456");
  DrawAt(upce, 96);
  EXPECT_STREQ(upce.CodeText, "123456");
  TLLBarcode ident = Make(CODE25iP, "123456789012");
  DrawAt(ident, 96);
  EXPECT_STREQ(ident.CodeText, "12.34567   8901   2");
}

TEST(TextLine, NoTextWhenNotHumanReadable) {
  TLLBarcode bc = Make(EAN_13, "590123412345");
  SetCodeAddon(bc.Params, "12");
  bc.Params.HumanReadable = false;
  const Drawing d = DrawAt(bc, 96);
  EXPECT_TRUE(d.texts.empty());
  EXPECT_EQ(d.size.y, 74 + 1);
}

TEST(FormatIdentText, Groupings) {
  TLLBarcode bc;
  EXPECT_EQ(bc.FormatIdentText("12345678901234"), "12345.678.901.23   4");
  EXPECT_EQ(bc.FormatIdentText("123456789012"), "12.34567   8901   2");
  EXPECT_EQ(bc.FormatIdentText("1234567890123"), "1234567890123");
  EXPECT_EQ(bc.FormatIdentText(""), "");
  bc.Params.IdentSplit = 5;
  EXPECT_EQ(bc.FormatIdentText("123456789012"), "12.345   678901   2");
}

// Postnet: 0.508 mm bars on a 25.4/22 mm pitch, 3.175 / 1.27 mm tall.
TEST(Postal, PostnetDimensions) {
  struct Row {
    int dpi;
    int Bw, Hl, Hs, pos2, pos11, pos32, W, font, textX;
    const char* note;
  };
  const Row rows[] = {
      {96, 2, 12, 5, 4, 44, 135, 138, 14, 67, "pitch 4.36 px"},
      {300, 6, 38, 15, 14, 136, 423, 430, 45, 211, "3.175 mm = 37.5 px exactly: halves to even give 38"},
      {600, 12, 75, 30, 27, 273, 845, 858, 89, 422, "pitch 27.27 px"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.note);
    const int x0 = 4, y0 = 6;
    TRecordingSurface s(r.dpi, r.dpi);
    TFontSpec f;
    f.Face = "Courier New";
    s.SetFont(f);
    TLLBarcode bc = Make(Postnet, "12345");
    const Drawing d = DrawOn(bc, s, x0, y0);
    ASSERT_EQ(bc.ModuleCount, 32);
    ASSERT_EQ(d.fills.size(), 32u);  // every position has a bar
    EXPECT_EQ(d.size, (TPoint{r.W, r.font + r.Hl + 1}));
    for (int k = 1; k <= 32; ++k) {
      const TRecordedOp& b = d.fills[k - 1];
      EXPECT_EQ(b.Right() - b.Left(), r.Bw);
      EXPECT_EQ(b.Bottom(), y0 + r.Hl);
      EXPECT_EQ(b.Top(), bc.Modules[k - 1] == 1 ? y0 : y0 + r.Hl - r.Hs) << k;
    }
    EXPECT_EQ(d.fills[0].Left(), x0);
    EXPECT_EQ(d.fills[1].Left(), x0 + r.pos2);
    EXPECT_EQ(d.fills[10].Left(), x0 + r.pos11);
    EXPECT_EQ(d.fills[31].Left(), x0 + r.pos32);
    // Frame bars tall, digit 1 = 00011 short short short tall tall.
    EXPECT_EQ(d.fills[0].Top(), y0);
    EXPECT_EQ(d.fills[1].Top(), y0 + r.Hl - r.Hs);
    EXPECT_EQ(d.fills[4].Top(), y0);
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].Text, "123455");
    EXPECT_EQ(d.texts[0].P1, (TPoint{x0 + r.textX, y0 + r.Hl}));
    EXPECT_EQ(d.texts[0].Font.Height, r.font);
    // The surface font gets the height only; no background change here.
    EXPECT_EQ(s.Font().Face, "Courier New");
    EXPECT_EQ(s.Font().Height, r.font);
    EXPECT_EQ(s.BkMode(), TBkMode::Opaque);
  }
}

// FIM: 1/32 in bars every 1/16 in, 5/8 in tall; bars only where the pattern has one.
TEST(Postal, FimDimensions) {
  struct Row {
    int dpi;
    int Bw, Pr, Hl, W, font, textX;
  };
  // W holds the last bar: 8 x Pr + Bw + 1 (the unrounded pitch alone would give
  // 160 at 300 dpi and cut the last bar, which starts at 152, off the box).
  const Row rows[] = {{96, 3, 6, 60, 52, 14, 24}, {300, 9, 19, 188, 162, 45, 75}, {600, 19, 38, 375, 324, 89, 150}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.dpi);
    TLLBarcode bc = Make(Postnet_FIM, "a");  // FIM-A 110010011
    const Drawing d = DrawAt(bc, r.dpi);
    const int bars[] = {1, 2, 5, 8, 9};
    ASSERT_EQ(d.fills.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(d.fills[i].Left(), (bars[i] - 1) * r.Pr);
      EXPECT_EQ(d.fills[i].Right() - d.fills[i].Left(), r.Bw);
      EXPECT_EQ(d.fills[i].Top(), 0);
      EXPECT_EQ(d.fills[i].Bottom(), r.Hl);
    }
    EXPECT_EQ(d.size, (TPoint{r.W, r.font + r.Hl + 1}));
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].Text, "FIM-A");
    EXPECT_EQ(d.texts[0].P1, (TPoint{r.textX, r.Hl}));
  }
}

TEST(Postal, NoTextAndQuarterTurn) {
  TLLBarcode bc = Make(Postnet, "12345");
  bc.Params.HumanReadable = false;
  bc.Params.Rotation = rotate_270;
  const Drawing d = DrawAt(bc, 300);
  EXPECT_TRUE(d.texts.empty());
  EXPECT_EQ(d.size, (TPoint{38 + 1, 430}));
}

}  // namespace
}  // namespace vantor
