#include <gtest/gtest.h>

#include <algorithm>

#include "dlt/Sheet.h"
#include "dlt/SheetFakes.h"
#include "dlt/SheetLayouts.h"

namespace vantor {
namespace {

using namespace test;

// Two sheets of StorageTek labels: every label carries the next serial, in
// its characters and in its bars, and the second sheet goes on from the first.
TEST(SheetRun, SerialsRunRowByRowAndContinueOnTheNextSheet) {
  const THeadlessChoice look = Choice(TMediaMode::StkDltIV, "000000");
  TSheetOptions options;
  options.sheets = 2;
  const TDrawnRun d(look, options);
  ASSERT_EQ(d.job.pages.size(), 2u);
  const std::vector<TBox> boxes = LabelBoxes(300);
  for (std::size_t i = 0; i < 60; ++i) {
    char serial[8];
    std::snprintf(serial, sizeof serial, "%06zu", i);
    SCOPED_TRACE(serial);
    const std::vector<TRecordedOp>& page = d.Page(i / 30);
    EXPECT_EQ(d.run.SerialOf(static_cast<int>(i)), serial);
    EXPECT_EQ(Characters(page, i % 30), serial);
    EXPECT_TRUE(BarsSpell(page, boxes[i % 30], std::string(serial) + "D", Turned(look)));
  }
  EXPECT_EQ(d.run.NextSerial(), "000060");
  EXPECT_EQ(TDltLabelRun(look, DefaultColors(look), {}).NextSerial(), "000030");
  EXPECT_EQ(d.job.begun, 1);
  EXPECT_EQ(d.job.ended, 1);
}

TEST(SheetRun, FramePassPutsTheFirstSerialBack) {
  // The frame pass walks the 30 serials to choose cell colours; the content
  // pass must then start from the first serial again.
  const THeadlessChoice look = Choice(TMediaMode::Standard3of9, "ABC100");
  const TDrawnRun d(look);
  const std::vector<TBox> boxes = LabelBoxes(300);
  EXPECT_EQ(Characters(d.Page(), 0), "ABC100");
  EXPECT_EQ(Characters(d.Page(), 29), "ABC129");
  EXPECT_TRUE(BarsSpell(d.Page(), boxes[0], "ABC100", Turned(look)));
  EXPECT_TRUE(BarsSpell(d.Page(), boxes[29], "ABC129", Turned(look)));
  // Colours of label 30's cells come from ABC129: its last cell is digit 9.
  const auto fills = CellFills(d.Page());
  ASSERT_EQ(fills.size(), 90u);
  EXPECT_EQ(fills[3 * 29 + 2].BrushColor, DefaultColors(look)[9]);
}

TEST(SheetRun, PrintingOffsetMovesTheOrigin) {
  const THeadlessChoice look = Choice(TMediaMode::StkDltIV, "000000");
  const TDltLabelRun run(look, DefaultColors(look), {});
  FakeJob job;
  job.page.SetPrintingOffset({50, 40});
  DrawRun(run, job);
  const TDrawnRun plain(look);
  const auto texts = OfKind(job.pages.at(0), TOpKind::TextOut);
  // Positions still count from the paper's corner; the origin does the shift.
  EXPECT_EQ(texts[0].P1, (TPoint{315, 429}));
  EXPECT_EQ(texts[0].Origin, (TPoint{-50, -40}));
  const auto bars = Bars(job.pages.at(0)), plainBars = Bars(plain.Page());
  ASSERT_EQ(bars.size(), plainBars.size());
  ASSERT_FALSE(bars.empty());
  for (std::size_t i = 0; i < bars.size(); ++i) {
    EXPECT_EQ(bars[i].P1, plainBars[i].P1) << "bar " << i;
    EXPECT_EQ(bars[i].P2, plainBars[i].P2) << "bar " << i;
    EXPECT_EQ(bars[i].Origin, (TPoint{-50, -40})) << "bar " << i;
  }
  EXPECT_EQ(BarcodePoints(TSheetLayout::StorageTek, TMediaMode::StkDltIV)[0], (TPoint{283, 484}));
}

TEST(SheetRun, ClosingLines) {
  struct Row {
    TMediaMode mode;
    bool rotated;
    const char* credit;
    const char* name;
  };
  const Row rows[] = {
      {TMediaMode::StkDltIV, false, "Printed by Orlis Vantor Version 3.2", "StorageTek"},
      {TMediaMode::StkDltIV, true, "Printed by Orlis Vantor Version 3.2", "StorageTek Rotated Text"},
      {TMediaMode::Standard3of9, false, "Printed by Orlis Vantor Version 3.0", "Standard 3 of 9"},
      {TMediaMode::Standard3of9, true, "Printed by Orlis Vantor Version 3.2", "Standard 3 of 9 Rotate Text"},
      {TMediaMode::BreeceHill, false, "Printed by Orlis Vantor Version 3.2", "Breece Hill"},
      {TMediaMode::Other, false, "Printed by Orlis Vantor Version 3.0", "Other"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const TDrawnRun d(Choice(r.mode, "000000", r.rotated));
    const auto texts = OfKind(d.Page(), TOpKind::TextOut);
    const auto& credit = texts[texts.size() - 2];
    const auto& name = texts.back();
    EXPECT_EQ(credit.Text, r.credit);
    EXPECT_EQ(credit.P1, (TPoint{520, 269}));
    EXPECT_EQ(name.Text, r.name);
    EXPECT_EQ(name.P1, (TPoint{260, 2908}));
    EXPECT_EQ(name.Font.PointSize, 16);
    EXPECT_TRUE(name.Font.Bold);
    EXPECT_EQ(name.BkColor, 0xFFFFFFu);
  }
}

TEST(SheetRun, ClosingLinesStayBelowTheLastRowAt600Dpi) {
  const TDrawnRun d(Choice(TMediaMode::Standard3of9, "000000"), TSheetOptions{}, 600);
  const auto texts = OfKind(d.Page(), TOpKind::TextOut);
  EXPECT_EQ(texts[texts.size() - 2].P1, (TPoint{1039, 538})) << "22.8 mm down, as at 300 dpi";
  const TPoint name = texts.back().P1;
  EXPECT_EQ(name, (TPoint{520, 5817}));
  EXPECT_GT(name.y, 244 * 600 / 25.4) << "below the last row, which ends 244 mm down";
}

TEST(SheetRun, OtherPrintsTheStandardSheet) {
  const TDrawnRun other(Choice(TMediaMode::Other, "000000", true));
  const TDrawnRun standard(Choice(TMediaMode::Standard3of9, "000000", false));
  const auto ta = OfKind(other.Page(), TOpKind::TextOut), tb = OfKind(standard.Page(), TOpKind::TextOut);
  ASSERT_EQ(ta.size(), tb.size());
  for (std::size_t i = 0; i + 1 < ta.size(); ++i) EXPECT_EQ(ta[i].P1, tb[i].P1);
  EXPECT_EQ(BarcodePoints(LayoutFor(TMediaMode::Other, true), TMediaMode::Other),
            BarcodePoints(LayoutFor(TMediaMode::Standard3of9, false), TMediaMode::Standard3of9));
}

TEST(SheetRun, LayoutChoice) {
  EXPECT_EQ(LayoutFor(TMediaMode::StkDltIV, false), TSheetLayout::StorageTek);
  EXPECT_EQ(LayoutFor(TMediaMode::StkCleaning, true), TSheetLayout::StorageTekRotated);
  EXPECT_EQ(LayoutFor(TMediaMode::Standard3of9, true), TSheetLayout::StandardRotated);
  EXPECT_EQ(LayoutFor(TMediaMode::BreeceHill, true), TSheetLayout::BreeceHill);
  EXPECT_EQ(LayoutFor(TMediaMode::Other, false), TSheetLayout::Other);
}

TEST(SheetRun, RefusalPastCounter999) {
  EXPECT_FALSE(SheetRefusal("ABC970"));
  EXPECT_FALSE(SheetRefusal("000000"));
  const auto refused = SheetRefusal("ABC971");
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused,
            "A sheet of 30 labels from ABC971 would need serials past ABC999. "
            "The last first serial that still fits is ABC970.");
  EXPECT_EQ(*SheetRefusal("DG 990", 2),
            "2 sheets (60 labels) from DG 990 would need serials past DG 999; not one sheet fits. "
            "The last first serial that still fits is DG 940.");
  EXPECT_EQ(*SheetRefusal("CAL300", 1000),
            "1000 sheets (30000 labels) from CAL300 would need serials past CAL999; only 23 sheets fit.");
  EXPECT_EQ(*SheetRefusal("ABC950", 3, 13),
            "3 sheets (78 labels) from ABC950 would need serials past ABC999; only 2 sheets fit. "
            "The last first serial that still fits is ABC922.");
  EXPECT_FALSE(SheetRefusal("000940", 2));
}

TEST(SheetRun, SheetEndingAt999StaysThere) {
  const TDrawnRun d(Choice(TMediaMode::Standard3of9, "XYZ970"));
  EXPECT_EQ(Characters(d.Page(), 29), "XYZ999");
  EXPECT_EQ(d.run.NextSerial(), "XYZ999");
  EXPECT_TRUE(SheetRefusal(d.run.NextSerial())) << "the next sheet is refused";
}

// A printer that fails at any point of a job: its message comes through
// unchanged, the document is aborted rather than ended (nothing half-printed
// is kept), and the run is as it was, so drawing it again prints the same
// labels a fresh run prints.
TEST(SheetRun, APrinterFailureLeavesTheRunAsItWas) {
  struct Row {
    const char* name;
    TMediaMode mode;
    bool rotated;
    const char* serial;
    int sheets, startLabel;
    double failAt;  // share of a page's drawing operations done before the failure
    bool atEnd;
  };
  const Row rows[] = {
      {"first operation", TMediaMode::StkDltIV, false, "000100", 1, 1, 0.0, false},
      {"in the frame pass", TMediaMode::StkDltIV, false, "000100", 1, 1, 0.2, false},
      {"mid-sheet", TMediaMode::Standard3of9, true, "ABC500", 1, 1, 0.5, false},
      {"last operation", TMediaMode::BreeceHill, false, "BH0007", 1, 1, 1.0, false},
      {"when the document ends", TMediaMode::StkCleaning, false, "CLN010", 1, 1, 0.0, true},
      // Counted on each page: page 1 (6 labels) is whole before page 2 fails.
      {"on a later page", TMediaMode::StkDltIV, false, "000100", 2, 25, 0.5, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const THeadlessChoice look = Choice(r.mode, r.serial, r.rotated);
    TSheetOptions options;
    options.sheets = r.sheets;
    options.startLabel = r.startLabel;
    const TDrawnRun clean(look, options);
    const int total = static_cast<int>(clean.job.pages.back().size());

    const TDltLabelRun run(look, DefaultColors(look), options);
    FakeJob job;
    job.failAtEnd = r.atEnd;
    if (!r.atEnd) job.failAfterOps = std::min(total - 1, static_cast<int>(r.failAt * total));
    try {
      DrawRun(run, job);
      ADD_FAILURE() << "the failure was not passed on";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), kPaperJam);
    }
    EXPECT_EQ(job.aborted, 1);
    EXPECT_EQ(job.ended, 0);
    EXPECT_EQ(run.NextSerial(), clean.run.NextSerial());
    FakeJob again;
    DrawRun(run, again);
    EXPECT_EQ(again.Traces(), clean.job.Traces()) << "the next attempt prints the same labels";
  }
}

}  // namespace
}  // namespace vantor
