#include "rotlabel/MyRotate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "surface/RecordingSurface.h"

namespace vantor {
namespace {

// The recording surface's metrics for an 18-pixel cell: every character 9 px
// wide, lines 18 px high, so "ABCDE" is 45 x 18. The surface's own font (8 pt)
// would measure 6 x 12, so placing by any font but the label's shows.
constexpr int kLineHeight = 18;
constexpr TColor kTextColor = 0x0000FF;
constexpr TColor kLabelColor = 0x00C0FF;
const TFontSpec kLabelFont{"Arial", kLineHeight, 8, true, kTextColor, 0};

std::vector<TOpKind> Kinds(const TRecordingSurface& s) {
  std::vector<TOpKind> kinds;
  for (const TRecordedOp& op : s.Ops()) kinds.push_back(op.Kind);
  return kinds;
}

struct TGeometryRow {
  const char* name;
  int angle;
  const char* caption;
  int width, height;
  int x, y;
  int escapement;
};

// Control 101 x 31: centre (50, 15). Expected origins worked out by hand:
// x = cx - trunc(w/2 cos) - trunc(h/2 sin), y = cy + trunc(w/2 sin) - trunc(h/2 cos).
const TGeometryRow kGeometryRows[] = {
    {"0", 0, "ABCDE", 101, 31, 28, 6, 0},
    {"45 truncates each term before the sum", 45, "ABCDE", 101, 31, 29, 24, 450},
    {"90", 90, "ABCDE", 101, 31, 41, 37, 900},
    {"135 truncates toward zero", 135, "ABCDE", 101, 31, 59, 36, 1350},
    {"180", 180, "ABCDE", 101, 31, 72, 24, 1800},
    {"270 runs downwards", 270, "ABCDE", 101, 31, 59, -7, 2700},
    {"359 kept: 9 cos 359 truncates to 8", 359, "ABCDE", 101, 31, 28, 7, 3590},
    {"360 is 0", 360, "ABCDE", 101, 31, 28, 6, 0},
    {"-90 is 0", -90, "ABCDE", 101, 31, 28, 6, 0},
    {"caption wider than the control stays centred", 0, "ABCDEFGHIJKLMNOPQRST", 101, 31, -40, 6, 0},
    {"odd control size divides down", 0, "ABCDE", 7, 5, -19, -7, 0},
    // 7 characters in 10 bytes: centred on 63 pixels, the width of the text itself.
    {"UTF-8 caption centred on its characters", 0, "Gr\u00F6\u00DFe \u00E9", 101, 31, 19, 6, 0},
};

TEST(MyRotate, PlacesTheTurnedTextBoxOnTheControlCentre) {
  for (const TGeometryRow& row : kGeometryRows) {
    SCOPED_TRACE(row.name);
    TRecordingSurface surface;
    TLabelStyle style;
    style.SetAStyle3D(A3dNormal);
    style.SetAngle(row.angle);
    const TRotatedPaint painted =
        PaintRotatedLabel(surface, style, row.caption, kLabelFont, kLabelColor, row.width, row.height, true);

    ASSERT_EQ(Kinds(surface), std::vector<TOpKind>{TOpKind::TextOut});
    const TRecordedOp& t = surface.Ops()[0];
    EXPECT_EQ(t.P1, (TPoint{row.x, row.y}));
    EXPECT_EQ(t.Text, row.caption) << "the caption reaches the surface as it was given";
    EXPECT_EQ(t.Font.Escapement, row.escapement);
    EXPECT_EQ(t.Font.Face, "Arial");
    EXPECT_EQ(t.Font.Height, kLineHeight);
    EXPECT_TRUE(t.Font.Bold);
    EXPECT_EQ(t.Font.Color, kTextColor);
    EXPECT_EQ(t.Align, TTextAlign::TopLeft);
    EXPECT_EQ(t.BkMode, TBkMode::Transparent);
    EXPECT_EQ(painted.TextHeight, kLineHeight);
    EXPECT_EQ(painted.Origin, (TPoint{row.x, row.y}));
  }
}

struct TPlateRow {
  const char* name;
  int angle;
  std::vector<TPoint> corners;  // P1..P4
};

// Text 45 x 18, plate 55 x 25, centre (50, 15).
const TPlateRow kPlateRows[] = {
    {"0", 0, {{23, 3}, {77, 3}, {77, 27}, {23, 27}}},
    {"135", 135, {{61, 42}, {23, 4}, {39, -12}, {77, 26}}},
    {"270", 270, {{62, -12}, {62, 42}, {38, 42}, {38, -12}}},
};

TEST(MyRotate, OpaqueLabelDrawsATurnedPlateThenFlatTextOnIt) {
  for (const TPlateRow& row : kPlateRows) {
    SCOPED_TRACE(row.name);
    TRecordingSurface surface;
    TLabelStyle style;  // raised
    style.SetAngle(row.angle);
    int notified = 0;
    style.SetOnChange([&](TLabelStyle&) { ++notified; });
    PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, false);

    ASSERT_EQ(Kinds(surface), (std::vector<TOpKind>{TOpKind::Polygon, TOpKind::TextOut}));
    const TRecordedOp& plate = surface.Ops()[0];
    EXPECT_EQ(plate.Points, row.corners);
    EXPECT_EQ(plate.BrushStyle, TBrushStyle::Solid);
    EXPECT_EQ(plate.BrushColor, kLabelColor);
    const TRecordedOp& text = surface.Ops()[1];
    EXPECT_EQ(text.BkMode, TBkMode::Opaque);
    EXPECT_EQ(text.BkColor, kLabelColor);
    EXPECT_EQ(text.Font.Color, kTextColor);
    EXPECT_EQ(style.AStyle3D(), A3dNormal) << "an opaque label stays flat";
    EXPECT_EQ(notified, 0);
  }
}

struct TPass {
  int dx, dy;
  TColor color;
  friend bool operator==(const TPass&, const TPass&) = default;
};

void PrintTo(const TPass& p, std::ostream* os) {
  *os << "(" << p.dx << ", " << p.dy << ", 0x" << std::hex << p.color << std::dec << ")";
}

struct TEffectRow {
  const char* name;
  std::function<void(TLabelStyle&)> configure;
  std::vector<TPass> passes;
};

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kGrey = 0x808080;

const TEffectRow kEffectRows[] = {
    {"raised: white up-left, grey down-right, text",
     [](TLabelStyle&) {},
     {{-1, -1, kWhite}, {1, 1, kGrey}, {0, 0, kTextColor}}},
    {"sunken swaps the sides",
     [](TLabelStyle& s) { s.SetAStyle3D(A3dResit); },
     {{1, 1, kWhite}, {-1, -1, kGrey}, {0, 0, kTextColor}}},
    {"raised in own colours",
     [](TLabelStyle& s) {
       s.SetAShadeLeftTop(0x00FFFF);
       s.SetAShadeRightBottom(0x800000);
     },
     {{-1, -1, 0x00FFFF}, {1, 1, 0x800000}, {0, 0, kTextColor}}},
    {"forced white highlight",
     [](TLabelStyle& s) {
       s.SetAShadeLeftTop(0x00FFFF);
       s.SetAShadeLTSet(true);
     },
     {{-1, -1, kWhite}, {1, 1, kGrey}, {0, 0, kTextColor}}},
    {"shadow 5 right, 5 up", [](TLabelStyle& s) { s.SetAStyle3D(A3dShadowed); }, {{5, -5, kGrey}, {0, 0, kTextColor}}},
    {"shadow with own offsets and colour",
     [](TLabelStyle& s) {
       s.SetAStyle3D(A3dShadowed);
       s.SetAHShadeOffSet(-3);
       s.SetAVShadeOffSet(7);
       s.SetAShadeRightBottom(0x00FF00);
     },
     {{-3, 7, 0x00FF00}, {0, 0, kTextColor}}},
    {"flat", [](TLabelStyle& s) { s.SetAStyle3D(A3dNormal); }, {{0, 0, kTextColor}}},
};

// At 90 degrees the origin is (41, 37); the offsets stay in screen axes.
TEST(MyRotate, EffectPassesInOrderWithTheirColorsAndOffsets) {
  for (const TEffectRow& row : kEffectRows) {
    SCOPED_TRACE(row.name);
    TRecordingSurface surface;
    TLabelStyle style;
    style.SetAngle(90);
    row.configure(style);
    PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, true);
    std::vector<TPass> passes;
    for (const TRecordedOp& t : surface.Ops()) {
      ASSERT_EQ(t.Kind, TOpKind::TextOut);
      passes.push_back({t.P1.x - 41, t.P1.y - 37, t.Font.Color});
      EXPECT_EQ(t.Font.Escapement, 900);
      EXPECT_EQ(t.BkMode, TBkMode::Transparent);
    }
    EXPECT_EQ(passes, row.passes);
  }
}

TEST(MyRotate, ExtremeShadowOffsetsDoNotOverflow) {
  TRecordingSurface surface;
  TLabelStyle style;
  style.SetAngle(270);  // origin (59, -7)
  style.SetAStyle3D(A3dShadowed);
  style.SetAHShadeOffSet(INT32_MAX);
  style.SetAVShadeOffSet(INT32_MIN);
  PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, true);
  ASSERT_EQ(surface.Ops().size(), 2u);
  EXPECT_EQ(surface.Ops()[0].P1, (TPoint{INT32_MAX, INT32_MIN}));
}

TEST(MyRotate, LeavesTheSurfaceAsItFoundIt) {
  TRecordingSurface surface;
  // A page's state, none of it what the label paints with.
  const TFontSpec font{"Courier", 9, 8, false, 0x00FF00, 0};
  surface.SetFont(font);
  surface.SetBrushColor(0x123456);
  surface.SetBkColor(0xABCDEF);
  surface.SetTextAlign(TTextAlign::TopCenter);
  TLabelStyle style;
  PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, false);
  EXPECT_EQ(surface.Font(), font);
  EXPECT_EQ(surface.BrushColor(), 0x123456u);
  EXPECT_EQ(surface.BrushStyle(), TBrushStyle::Solid);
  EXPECT_EQ(surface.BkMode(), TBkMode::Opaque);
  EXPECT_EQ(surface.BkColor(), 0xABCDEFu);
  EXPECT_EQ(surface.TextAlign(), TTextAlign::TopCenter);
}

}  // namespace
}  // namespace vantor
