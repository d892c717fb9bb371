#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <set>

#include "dlt/Sheet.h"
#include "dlt/SheetFakes.h"
#include "dlt/SheetPainter.h"

namespace vantor {

void PrintTo(const TPoint& p, std::ostream* os) { *os << '(' << p.x << ", " << p.y << ')'; }

namespace {

using namespace test;

std::vector<TRecordedOp> Texts(const FakeJob& job) { return job.page.OpsOf(TOpKind::TextOut); }
std::vector<TRecordedOp> Rects(const FakeJob& job) { return job.page.OpsOf(TOpKind::Rectangle); }

// One sheet of `layout` as the print path draws the run, and where the
// painter puts its barcodes.
struct Printed {
  THeadlessChoice look;
  TColorTable colors;
  TDrawnRun drawn;
  const FakeJob& job;
  std::vector<TPoint> barcodePoints;
  Printed(TSheetLayout layout, TMediaMode mode, const std::string& serial, int dpi = 300, TSheetOptions options = {})
      : look(
            Choice(mode, serial, layout == TSheetLayout::StorageTekRotated || layout == TSheetLayout::StandardRotated)),
        colors(DefaultColors(look)),
        drawn(look, colors, options, dpi),
        job(drawn.job),
        barcodePoints(BarcodePoints(layout, mode, dpi, options)) {
    EXPECT_EQ(LayoutFor(mode, THeadlessHost(look).Rotated()), layout);
  }
};

TEST(SheetFrames, GridAt300And600Dpi) {
  struct Row {
    int dpi;
    int outline[4];
    int cell[4];
  };
  const Row rows[] = {
      {300, {260, 402, 933, 650}, {274, 425, 380, 484}},
      {600, {520, 803, 1866, 1299}, {548, 850, 761, 968}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.dpi);
    Printed p(TSheetLayout::StorageTek, TMediaMode::StkDltIV, "000000", r.dpi, {.outlines = true});
    const auto rects = Rects(p.job);
    ASSERT_EQ(rects.size(), 30u + 180u);
    EXPECT_EQ((std::vector<int>{rects[0].P1.x, rects[0].P1.y, rects[0].P2.x, rects[0].P2.y}),
              (std::vector<int>(r.outline, r.outline + 4)));
    EXPECT_EQ((std::vector<int>{rects[1].P1.x, rects[1].P1.y, rects[1].P2.x, rects[1].P2.y}),
              (std::vector<int>(r.cell, r.cell + 4)));
    EXPECT_EQ(rects[0].PenWidth, 2);
  }
}

TEST(SheetFrames, CellStepsAndRows) {
  Printed p(TSheetLayout::StorageTek, TMediaMode::StkDltIV, "000000", 300, {.outlines = true});
  const auto rects = Rects(p.job);
  std::vector<int> cellLefts;
  for (int k = 1; k <= 6; ++k) cellLefts.push_back(rects[static_cast<std::size_t>(k)].P1.x);
  EXPECT_EQ(cellLefts, (std::vector<int>{274, 380, 486, 592, 698, 804}));
  EXPECT_EQ(rects[7].P1.x, 933) << "second label's outline";
  EXPECT_EQ(rects[8].P1.x, 947) << "second label's first cell";
  const auto& row2 = rects[21];  // outline of the first label of row 2
  EXPECT_EQ(row2.P1.y, 650);
  EXPECT_EQ(row2.P2.y, 898);
  EXPECT_EQ(rects[22].P1.y, 674);
  EXPECT_EQ(rects[22].P2.y, 733);
}

TEST(SheetFrames, OutlinesAreOffByDefault) {
  Printed p(TSheetLayout::StorageTek, TMediaMode::StkDltIV, "000000");
  const auto rects = Rects(p.job);
  EXPECT_EQ(rects.size(), 180u) << "cells only";
  EXPECT_EQ(rects[0].P1.x, 274);
  Printed breece(TSheetLayout::BreeceHill, TMediaMode::BreeceHill, "000000");
  EXPECT_TRUE(Rects(breece.job).empty());
  Printed breeceOutlined(TSheetLayout::BreeceHill, TMediaMode::BreeceHill, "000000", 300, {.outlines = true});
  EXPECT_EQ(Rects(breeceOutlined.job).size(), 30u);
}

TEST(SheetFrames, CellColorRule) {
  Printed p(TSheetLayout::Standard, TMediaMode::Standard3of9, "ABC123");
  const auto fills = CellFills(p.job.page.Ops());
  // Only the digit cells of each label are filled: 3 per label.
  ASSERT_EQ(fills.size(), 90u);
  EXPECT_EQ(fills[0].BrushColor, p.colors[1]);
  EXPECT_EQ(fills[1].BrushColor, p.colors[2]);
  EXPECT_EQ(fills[2].BrushColor, p.colors[3]);
  // Shrunk by 2 dots inside cell 4 (x 592..698).
  EXPECT_EQ(fills[0].P1.x, 594);
  EXPECT_EQ(fills[0].P2.x, 696);
  EXPECT_EQ(fills[0].P1.y, 427);
  EXPECT_EQ(fills[0].P2.y, 482);

  // The letter colour never reaches paper, even when set to a digit's colour.
  const THeadlessChoice look = Choice(TMediaMode::Standard3of9, "ABC123");
  TColorTable colors = DefaultColors(look);
  colors[10] = colors[5];
  const TDrawnRun letters(look, colors);
  for (const auto& t : Texts(letters.job)) {
    if (t.Text.size() == 1 && (t.Text[0] < '0' || t.Text[0] > '9')) {
      EXPECT_EQ(t.BkColor, 0xFFFFFFu) << t.Text;
    }
  }

  // "Colored sequence" clear: no fill at all, every character on white.
  const TDrawnRun plain(Choice(TMediaMode::Standard3of9, "000123", false, false));
  EXPECT_TRUE(CellFills(plain.job.page.Ops()).empty());
  EXPECT_FALSE(Bars(plain.job.page.Ops()).empty()) << "the bars are black whatever the colours";
  for (const auto& t : Texts(plain.job)) EXPECT_EQ(t.BkColor, 0xFFFFFFu);
}

TEST(SheetFrames, ReversedCellsHoldCharactersRightToLeft) {
  Printed p(TSheetLayout::StorageTekRotated, TMediaMode::StkDltIV, "000123");
  const auto fills = CellFills(p.job.page.Ops());
  // First label, cells left to right: 3, 2, 1, 0, 0, 0.
  const std::size_t expected[6] = {3, 2, 1, 0, 0, 0};
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(fills[k].BrushColor, p.colors[expected[k]]) << k;
}

struct TextRow {
  const char* name;
  TSheetLayout layout;
  TMediaMode mode;
  TPoint firstBarcode;
  std::vector<int> firstLabelX;  // characters in drawing order
  int y;
  int secondLabelX;
};

TEST(SheetContent, PositionsAt300Dpi) {
  const TextRow rows[] = {
      {"StorageTek",
       TSheetLayout::StorageTek,
       TMediaMode::StkDltIV,
       {283, 484},
       {315, 421, 527, 633, 739, 833, 863},
       429,
       987},
      {"Standard",
       TSheetLayout::Standard,
       TMediaMode::Standard3of9,
       {325, 484},
       {315, 421, 527, 633, 739, 833},
       429,
       987},
      {"Breece Hill",
       TSheetLayout::BreeceHill,
       TMediaMode::BreeceHill,
       {325, 429},
       {461, 508, 555, 602, 649, 696},
       579,
       1133},
      {"StorageTek rotated",
       TSheetLayout::StorageTekRotated,
       TMediaMode::StkDltIV,
       {283, 484},
       {363, 316, 463, 567, 671, 775, 879},
       437,
       1036},
      {"Standard rotated",
       TSheetLayout::StandardRotated,
       TMediaMode::Standard3of9,
       {319, 484},
       {363, 467, 571, 675, 779, 883},
       437,
       1040},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Printed p(r.layout, r.mode, "000000");
    ASSERT_EQ(p.job.ended, 1);
    ASSERT_EQ(p.barcodePoints.size(), 30u);
    EXPECT_EQ(p.barcodePoints[0], r.firstBarcode);
    const auto texts = Texts(p.job);
    const std::size_t perLabel = r.firstLabelX.size();
    ASSERT_EQ(texts.size(), 30 * perLabel + 2);
    std::vector<int> xs;
    for (std::size_t i = 0; i < perLabel; ++i) xs.push_back(texts[i].P1.x);
    EXPECT_EQ(xs, r.firstLabelX);
    EXPECT_EQ(texts[0].P1.y, r.y);
    EXPECT_EQ(texts[perLabel].P1.x, r.secondLabelX);
  }
}

TEST(SheetContent, SuffixesFontsAndRows) {
  Printed stk(TSheetLayout::StorageTek, TMediaMode::StkDltIV, "000123");
  auto texts = Texts(stk.job);
  EXPECT_EQ(texts[6].Text, "D");
  EXPECT_EQ(texts[6].P1, (TPoint{863, 447}));
  EXPECT_EQ(texts[6].Font.PointSize, 6);
  EXPECT_FALSE(texts[6].Font.Bold);
  EXPECT_EQ(texts[6].BkColor, stk.colors[3]) << "the fill that character 6 left";
  EXPECT_EQ(texts[0].Font.PointSize, 10);
  EXPECT_TRUE(texts[0].Font.Bold);
  EXPECT_EQ(texts[21].P1.y, 677) << "second row";

  Printed breece(TSheetLayout::BreeceHill, TMediaMode::BreeceHill, "000000");
  texts = Texts(breece.job);
  EXPECT_EQ(texts[18].P1.x, 476) << "rows 2 to 10 start at 40.3 mm, not 39";

  Printed rot(TSheetLayout::StorageTekRotated, TMediaMode::StkDltIIIXT, "000123");
  texts = Texts(rot.job);
  EXPECT_EQ(texts[1].Text, "C");
  EXPECT_EQ(texts[1].P1, (TPoint{316, 456}));
  EXPECT_EQ(texts[1].BkColor, rot.colors[3]);
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(texts[i].Font.Escapement, 2700) << i;
  // Third column: the suffix stands 2 dots further right relative to character 6.
  const int offset1 = texts[1].P1.x - texts[0].P1.x;
  const int offset3 = texts[15].P1.x - texts[14].P1.x;
  EXPECT_EQ(offset3, offset1 + 2);
  // The closing lines come out upright.
  EXPECT_EQ(texts[texts.size() - 1].Font.Escapement, 0);
  EXPECT_EQ(texts[texts.size() - 2].Font.Escapement, 0);

  Printed stdRot(TSheetLayout::StandardRotated, TMediaMode::Standard3of9, "000000");
  for (const auto& t : Texts(stdRot.job)) EXPECT_EQ(t.Font.Color, 0u) << "black characters";
}

// Rows 2 and 10 of every layout: each row steps 21 mm from the row above, so a
// wrong row pitch moves row 2 by a dot or so and row 10 by many. The first
// label of the row: its barcode point, its first drawn character, the top of
// its outline and of its cells, in dots from the millimetres (halves to even).
TEST(SheetRows, SecondAndTenthRowOfEveryLayout) {
  struct Row {
    const char* name;
    TSheetLayout layout;
    TMediaMode mode;
    int dpi;
    int row;
    TPoint barcode;
    TPoint firstCharacter;
    int labelTop;
    int cellTop;  // -1: no cells
  };
  using L = TSheetLayout;
  // clang-format off
  const Row rows[] = {
      {"StorageTek",         L::StorageTek,        TMediaMode::StkDltIV,     300,  2, {283, 732},  {315, 677},  650,  674},
      {"StorageTek",         L::StorageTek,        TMediaMode::StkDltIV,     300, 10, {283, 2716}, {315, 2661}, 2634, 2658},
      {"StorageTek",         L::StorageTek,        TMediaMode::StkDltIV,     600,  2, {567, 1465}, {631, 1353}, 1299, 1346},
      {"StorageTek",         L::StorageTek,        TMediaMode::StkDltIV,     600, 10, {567, 5433}, {631, 5321}, 5267, 5314},
      {"Standard",           L::Standard,          TMediaMode::Standard3of9, 300,  2, {325, 732},  {315, 677},  650,  674},
      {"Standard",           L::Standard,          TMediaMode::Standard3of9, 300, 10, {325, 2716}, {315, 2661}, 2634, 2658},
      {"Standard",           L::Standard,          TMediaMode::Standard3of9, 600,  2, {651, 1465}, {631, 1353}, 1299, 1346},
      {"Standard",           L::Standard,          TMediaMode::Standard3of9, 600, 10, {651, 5433}, {631, 5321}, 5267, 5314},
      {"Other",              L::Other,             TMediaMode::Other,        300,  2, {325, 732},  {315, 677},  650,  674},
      {"Other",              L::Other,             TMediaMode::Other,        300, 10, {325, 2716}, {315, 2661}, 2634, 2658},
      {"Other",              L::Other,             TMediaMode::Other,        600,  2, {651, 1465}, {631, 1353}, 1299, 1346},
      {"Other",              L::Other,             TMediaMode::Other,        600, 10, {651, 5433}, {631, 5321}, 5267, 5314},
      {"Breece Hill",        L::BreeceHill,        TMediaMode::BreeceHill,   300,  2, {325, 677},  {476, 827},  650,  -1},
      {"Breece Hill",        L::BreeceHill,        TMediaMode::BreeceHill,   300, 10, {325, 2661}, {476, 2811}, 2634, -1},
      {"Breece Hill",        L::BreeceHill,        TMediaMode::BreeceHill,   600,  2, {651, 1355}, {952, 1653}, 1299, -1},
      {"Breece Hill",        L::BreeceHill,        TMediaMode::BreeceHill,   600, 10, {651, 5323}, {952, 5621}, 5267, -1},
      {"StorageTek rotated", L::StorageTekRotated, TMediaMode::StkDltIV,     300,  2, {283, 732},  {363, 685},  650,  674},
      {"StorageTek rotated", L::StorageTekRotated, TMediaMode::StkDltIV,     300, 10, {283, 2716}, {363, 2669}, 2634, 2658},
      {"StorageTek rotated", L::StorageTekRotated, TMediaMode::StkDltIV,     600,  2, {567, 1465}, {725, 1370}, 1299, 1346},
      {"StorageTek rotated", L::StorageTekRotated, TMediaMode::StkDltIV,     600, 10, {567, 5433}, {725, 5338}, 5267, 5314},
      {"Standard rotated",   L::StandardRotated,   TMediaMode::Standard3of9, 300,  2, {319, 732},  {363, 685},  650,  674},
      {"Standard rotated",   L::StandardRotated,   TMediaMode::Standard3of9, 300, 10, {319, 2716}, {363, 2669}, 2634, 2658},
      {"Standard rotated",   L::StandardRotated,   TMediaMode::Standard3of9, 600,  2, {638, 1465}, {725, 1370}, 1299, 1346},
      {"Standard rotated",   L::StandardRotated,   TMediaMode::Standard3of9, 600, 10, {638, 5433}, {725, 5338}, 5267, 5314},
  };
  // clang-format on
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.name) + " at " + std::to_string(r.dpi) + " dpi, row " + std::to_string(r.row));
    Printed p(r.layout, r.mode, "000000", r.dpi, {.outlines = true});
    const std::size_t label = 3 * static_cast<std::size_t>(r.row - 1);
    ASSERT_EQ(p.barcodePoints.size(), 30u);
    EXPECT_EQ(p.barcodePoints[label], r.barcode);
    const auto texts = Texts(p.job);
    const std::size_t textsPerLabel = (texts.size() - 2) / 30;  // the closing lines are the last two
    EXPECT_EQ(texts[label * textsPerLabel].P1, r.firstCharacter);
    const auto rects = Rects(p.job);
    const std::size_t rectsPerLabel = rects.size() / 30;  // the outline, then the cells
    EXPECT_EQ(rects[label * rectsPerLabel].P1.y, r.labelTop);
    if (r.cellTop >= 0) {
      EXPECT_EQ(rects[label * rectsPerLabel + 1].P1.y, r.cellTop);
    }
  }
}

// At 127 dpi a millimetre is 5 dots, so several of the rotated StorageTek
// lengths end on a half dot (30.7, 8.5 and 13.3 mm: the first label's sixth
// character at 153.5 -> 154, its fifth at 154 + 42.5 -> 196). Every text and
// barcode position of the sheet, worked out here from the millimetres.
TEST(SheetRounding, HalfDotsAt127DpiRoundToEven) {
  // The nearest dot to `from` plus `mm`, halves to even; 0.01 mm is 1/20 dot.
  const auto step = [](int from, double mm) {
    const long twentieths = from * 20L + std::lround(mm * 100);
    long q = twentieths / 20, rest = twentieths % 20;
    if (rest < 0) {
      q -= 1;
      rest += 20;
    }
    if (rest > 10 || (rest == 10 && q % 2 != 0)) ++q;
    return static_cast<int>(q);
  };
  std::vector<TPoint> barcodes, texts;
  int y = step(0, 37), by = step(0, 41);
  for (int row = 0; row < 10; ++row) {
    int c6 = step(0, 30.7), bx = step(0, 24);
    for (int col = 0; col < 3; ++col) {
      barcodes.push_back({bx, by});
      texts.push_back({c6, y});                                            // character 6
      texts.push_back({step(c6, -4) + (col == 2 ? 2 : 0), step(y, 1.6)});  // the suffix
      int c = step(c6, 8.5);
      for (int k = 5; k >= 1; --k) {
        texts.push_back({c, y});
        if (k > 1) c = step(c, 8.8);
      }
      c6 = step(c, 13.3);
      bx = step(bx, 57);
    }
    y = step(y, 21);
    by = step(by, 21);
  }
  const int drop = step(0, 15.24);
  texts.push_back({step(0, 44), step(0, 7.55) + drop});
  texts.push_back({step(0, 22), step(0, 231) + drop});

  // Drawn by the sheet's painter itself: a job at 127 dpi is refused (its
  // barcodes need 150 dpi), but the layout's positions hold at any resolution.
  FakeHost host;
  host.Start(TMediaMode::StkDltIV, "000000");
  FakeJob job(127);
  TSheetPainter painter(host, job.page, {});
  painter.FramePass(LayoutSpec(TSheetLayout::StorageTekRotated));
  painter.ContentPass(LayoutSpec(TSheetLayout::StorageTekRotated));
  EXPECT_EQ(host.barcodePoints, barcodes);
  std::vector<TPoint> printed;
  for (const auto& t : Texts(job)) printed.push_back(t.P1);
  EXPECT_EQ(printed, texts);
}

}  // namespace
}  // namespace vantor
