#include "rotlabel/MyRotate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "rotlabel/FakeSurface.h"

namespace vantor {
namespace {

using test::TFakeSurface;

// Every character 9 px wide, lines 19 px high: "ABCDE" is 45 x 19.
constexpr int kCharWidth = 9;
constexpr int kLineHeight = 19;
constexpr TColor kTextColor = 0x0000FF;
constexpr TColor kLabelColor = 0x00C0FF;
const TFontSpec kLabelFont{"Arial", 16, 8, true, kTextColor, 0};

struct TGeometryRow {
  const char* name;
  int angle;
  const char* caption;
  int width, height;
  int x, y;
  int escapement;
};

// Control 101 x 31: centre (50, 15). Expected origins worked out by hand.
const TGeometryRow kGeometryRows[] = {
    {"0", 0, "ABCDE", 101, 31, 28, 6, 0},
    {"45 truncates each term before the sum", 45, "ABCDE", 101, 31, 29, 24, 450},
    {"90", 90, "ABCDE", 101, 31, 41, 37, 900},
    {"135 truncates toward zero", 135, "ABCDE", 101, 31, 59, 36, 1350},
    {"180", 180, "ABCDE", 101, 31, 72, 24, 1800},
    {"270 runs downwards", 270, "ABCDE", 101, 31, 59, -7, 2700},
    {"359 kept", 359, "ABCDE", 101, 31, 28, 6, 3590},
    {"360 is 0", 360, "ABCDE", 101, 31, 28, 6, 0},
    {"-90 is 0", -90, "ABCDE", 101, 31, 28, 6, 0},
    {"caption wider than the control stays centred", 0, "ABCDEFGHIJKLMNOPQRST", 101, 31, -40, 6, 0},
    {"odd control size divides down", 0, "ABCDE", 7, 5, -19, -7, 0},
};

TEST(MyRotate, PlacesTheTurnedTextBoxOnTheControlCentre) {
  for (const TGeometryRow& row : kGeometryRows) {
    SCOPED_TRACE(row.name);
    TFakeSurface surface(kCharWidth, kLineHeight);
    TLabelStyle style;
    style.SetAStyle3D(A3dNormal);
    style.SetAngle(row.angle);
    const TRotatedPaint painted =
        PaintRotatedLabel(surface, style, row.caption, kLabelFont, kLabelColor, row.width, row.height, true);

    ASSERT_EQ(surface.texts.size(), 1u);
    const auto& t = surface.texts[0];
    EXPECT_EQ(t.x, row.x);
    EXPECT_EQ(t.y, row.y);
    EXPECT_EQ(t.text, row.caption);
    EXPECT_EQ(t.font.Escapement, row.escapement);
    EXPECT_EQ(t.font.Face, "Arial");
    EXPECT_EQ(t.font.Height, 16);
    EXPECT_TRUE(t.font.Bold);
    EXPECT_EQ(t.font.Color, kTextColor);
    EXPECT_EQ(t.align, TTextAlign::TopLeft);
    EXPECT_EQ(t.bkMode, TBkMode::Transparent);
    EXPECT_TRUE(surface.polygons.empty());
    // Measured with the label font, not the turned one and not the surface's own.
    ASSERT_FALSE(surface.measuredWith.empty());
    for (const TFontSpec& f : surface.measuredWith) EXPECT_EQ(f, kLabelFont);
    EXPECT_EQ(painted.TextHeight, kLineHeight);
    EXPECT_EQ(painted.Origin, (TPoint{row.x, row.y}));
  }
}

struct TPlateRow {
  const char* name;
  int angle;
  std::vector<TPoint> corners;  // P1..P4
};

// Text 45 x 19, plate 55 x 26, centre (50, 15).
const TPlateRow kPlateRows[] = {
    {"0", 0, {{23, 2}, {77, 2}, {77, 28}, {23, 28}}},
    {"135", 135, {{60, 43}, {22, 5}, {40, -13}, {78, 25}}},
    {"270", 270, {{63, -12}, {63, 42}, {37, 42}, {37, -12}}},
};

TEST(MyRotate, OpaqueLabelDrawsATurnedPlateThenFlatTextOnIt) {
  for (const TPlateRow& row : kPlateRows) {
    SCOPED_TRACE(row.name);
    TFakeSurface surface(kCharWidth, kLineHeight);
    TLabelStyle style;  // raised
    style.SetAngle(row.angle);
    int notified = 0;
    style.SetOnChange([&](TLabelStyle&) { ++notified; });
    PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, false);

    EXPECT_EQ(surface.order, (std::vector<std::string>{"polygon", "text"}));
    ASSERT_EQ(surface.polygons.size(), 1u);
    EXPECT_EQ(surface.polygons[0].points, row.corners);
    EXPECT_EQ(surface.polygons[0].brushStyle, TBrushStyle::Solid);
    EXPECT_EQ(surface.polygons[0].brushColor, kLabelColor);
    ASSERT_EQ(surface.texts.size(), 1u);
    EXPECT_EQ(surface.texts[0].bkMode, TBkMode::Opaque);
    EXPECT_EQ(surface.texts[0].bkColor, kLabelColor);
    EXPECT_EQ(surface.texts[0].font.Color, kTextColor);
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
TEST(MyRotate, EffectPassesInOrderWithTheirColoursAndOffsets) {
  for (const TEffectRow& row : kEffectRows) {
    SCOPED_TRACE(row.name);
    TFakeSurface surface(kCharWidth, kLineHeight);
    TLabelStyle style;
    style.SetAngle(90);
    row.configure(style);
    PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, true);
    std::vector<TPass> passes;
    for (const auto& t : surface.texts) {
      passes.push_back({t.x - 41, t.y - 37, t.font.Color});
      EXPECT_EQ(t.font.Escapement, 900);
      EXPECT_EQ(t.bkMode, TBkMode::Transparent);
    }
    EXPECT_EQ(passes, row.passes);
  }
}

TEST(MyRotate, ExtremeShadowOffsetsDoNotOverflow) {
  TFakeSurface surface(kCharWidth, kLineHeight);
  TLabelStyle style;
  style.SetAngle(270);  // origin (59, -7)
  style.SetAStyle3D(A3dShadowed);
  style.SetAHShadeOffSet(INT32_MAX);
  style.SetAVShadeOffSet(INT32_MIN);
  PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, true);
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].x, INT32_MAX);
  EXPECT_EQ(surface.texts[0].y, INT32_MIN);
}

TEST(MyRotate, LeavesTheSurfaceAsItFoundIt) {
  TFakeSurface surface(kCharWidth, kLineHeight);
  const TFontSpec font = surface.Font();
  const TColor brush = surface.BrushColor();
  const TColor bk = surface.BkColor();
  TLabelStyle style;
  PaintRotatedLabel(surface, style, "ABCDE", kLabelFont, kLabelColor, 101, 31, false);
  EXPECT_EQ(surface.Font(), font);
  EXPECT_EQ(surface.BrushColor(), brush);
  EXPECT_EQ(surface.BrushStyle(), TBrushStyle::Solid);
  EXPECT_EQ(surface.BkMode(), TBkMode::Opaque);
  EXPECT_EQ(surface.BkColor(), bk);
  EXPECT_EQ(surface.TextAlign(), TTextAlign::TopCenter);
}

}  // namespace
}  // namespace vantor
