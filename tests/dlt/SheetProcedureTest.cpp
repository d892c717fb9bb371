#include <gtest/gtest.h>

#include <algorithm>

#include "dlt/Sheet.h"
#include "dlt/SheetFakes.h"

namespace vantor {
namespace {

using test::FakeHost;
using test::FakeJob;
using test::kPaperJam;

TEST(SheetProcedure, SerialsRunRowByRowAndContinueOnTheNextSheet) {
  FakeHost host;
  host.Start(TMediaMode::StkDltIV, "000000");
  FakeJob job;
  ASSERT_EQ(PrintSheet(TSheetLayout::StorageTek, host, job), TSheetResult::Printed);
  ASSERT_EQ(host.barcodeTexts.size(), 30u);
  for (int i = 0; i < 30; ++i) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "%06dD", i);
    EXPECT_EQ(host.barcodeTexts[static_cast<std::size_t>(i)], expected) << "label " << i + 1;
  }
  // The preview follows label by label.
  EXPECT_EQ(host.previewSerials.front(), "000001");
  EXPECT_EQ(host.previewSerials.back(), "000030");
  EXPECT_EQ(host.SerialText(), "000030");
  EXPECT_EQ(host.BarcodeText(), "000030D");
  EXPECT_TRUE(job.portrait);
  EXPECT_EQ(job.title, "Vantor");
  EXPECT_EQ(job.copies, 1);
  EXPECT_EQ(job.begun, 1);
  EXPECT_EQ(job.ended, 1);

  FakeJob second;
  PrintSheet(TSheetLayout::StorageTek, host, second);
  EXPECT_EQ(host.barcodeTexts[30], "000030D");
  EXPECT_EQ(host.SerialText(), "000060");
}

TEST(SheetProcedure, FramePassPutsTheFirstSerialBack) {
  // The frame pass walks the 30 serials to choose cell colours; the content
  // pass must then start from the first serial again.
  FakeHost host;
  host.Start(TMediaMode::Standard3of9, "ABC100");
  FakeJob job;
  PrintSheet(TSheetLayout::Standard, host, job);
  EXPECT_EQ(host.barcodeTexts.front(), "ABC100");
  EXPECT_EQ(host.barcodeTexts.back(), "ABC129");
  // Colours of label 30's cells come from ABC129: its last cell is digit 9.
  const auto fills = job.page.OpsOf(TOpKind::FillRect);
  EXPECT_EQ(fills[3 * 29 + 2].BrushColor, host.state.Colors[9]);
}

TEST(SheetProcedure, CancelledDialogOnlyEnablesTheSerialField) {
  FakeHost host;
  host.Start(TMediaMode::StkDiagnostic, "DG 005");
  FakeJob job;
  job.confirm = false;
  EXPECT_EQ(PrintSheet(TSheetLayout::StorageTek, host, job), TSheetResult::Cancelled);
  EXPECT_TRUE(host.serialEnabled);
  EXPECT_EQ(host.SerialText(), "DG 005");
  EXPECT_EQ(job.begun, 0);
  EXPECT_TRUE(job.page.Ops().empty());
  EXPECT_TRUE(host.barcodePoints.empty());
}

TEST(SheetProcedure, PrintingOffsetMovesTheOrigin) {
  FakeHost host;
  host.Start(TMediaMode::StkDltIV, "000000");
  FakeJob job;
  job.page.SetPrintingOffset({50, 40});
  PrintSheet(TSheetLayout::StorageTek, host, job);
  const auto texts = job.page.OpsOf(TOpKind::TextOut);
  // Positions still count from the paper's corner; the origin does the shift.
  EXPECT_EQ(texts[0].P1, (TPoint{315, 429}));
  EXPECT_EQ(texts[0].Origin, (TPoint{-50, -40}));
  EXPECT_EQ(host.barcodePoints[0], (TPoint{283, 484}));
}

TEST(SheetProcedure, ClosingLines) {
  struct Row {
    TSheetLayout layout;
    TMediaMode mode;
    const char* credit;
    const char* name;
  };
  const Row rows[] = {
      {TSheetLayout::StorageTek, TMediaMode::StkDltIV, "Printed by Orlis Vantor Version 3.2", "StorageTek"},
      {TSheetLayout::StorageTekRotated, TMediaMode::StkDltIV, "Printed by Orlis Vantor Version 3.2",
       "StorageTek Rotated Text"},
      {TSheetLayout::Standard, TMediaMode::Standard3of9, "Printed by Orlis Vantor Version 3.0", "Standard 3 of 9"},
      {TSheetLayout::StandardRotated, TMediaMode::Standard3of9, "Printed by Orlis Vantor Version 3.2",
       "Standard 3 of 9 Rotate Text"},
      {TSheetLayout::BreeceHill, TMediaMode::BreeceHill, "Printed by Orlis Vantor Version 3.2", "Breece Hill"},
      {TSheetLayout::Other, TMediaMode::Other, "Printed by Orlis Vantor Version 3.0", "Other"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FakeHost host;
    host.Start(r.mode, "000000");
    FakeJob job;
    PrintSheet(r.layout, host, job);
    const auto texts = job.page.OpsOf(TOpKind::TextOut);
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

TEST(SheetProcedure, ClosingLinesStayBelowTheLastRowAt600Dpi) {
  FakeHost host;
  host.Start(TMediaMode::Standard3of9, "000000");
  FakeJob job(600);
  PrintSheet(TSheetLayout::Standard, host, job);
  const auto texts = job.page.OpsOf(TOpKind::TextOut);
  EXPECT_EQ(texts[texts.size() - 2].P1, (TPoint{1039, 538})) << "22.8 mm down, as at 300 dpi";
  const TPoint name = texts.back().P1;
  EXPECT_EQ(name, (TPoint{520, 5817}));
  EXPECT_GT(name.y, 244 * 600 / 25.4) << "below the last row, which ends 244 mm down";
}

TEST(SheetProcedure, OtherPrintsTheStandardSheet) {
  FakeHost other, standard;
  other.Start(TMediaMode::Other, "000000");
  standard.Start(TMediaMode::Standard3of9, "000000");
  FakeJob a, b;
  PrintSheet(LayoutFor(TMediaMode::Other, true), other, a);
  PrintSheet(LayoutFor(TMediaMode::Standard3of9, false), standard, b);
  const auto ta = a.page.OpsOf(TOpKind::TextOut), tb = b.page.OpsOf(TOpKind::TextOut);
  ASSERT_EQ(ta.size(), tb.size());
  for (std::size_t i = 0; i + 1 < ta.size(); ++i) EXPECT_EQ(ta[i].P1, tb[i].P1);
  EXPECT_EQ(other.barcodePoints, standard.barcodePoints);
}

TEST(SheetProcedure, LayoutChoice) {
  EXPECT_EQ(LayoutFor(TMediaMode::StkDltIV, false), TSheetLayout::StorageTek);
  EXPECT_EQ(LayoutFor(TMediaMode::StkCleaning, true), TSheetLayout::StorageTekRotated);
  EXPECT_EQ(LayoutFor(TMediaMode::Standard3of9, true), TSheetLayout::StandardRotated);
  EXPECT_EQ(LayoutFor(TMediaMode::BreeceHill, true), TSheetLayout::BreeceHill);
  EXPECT_EQ(LayoutFor(TMediaMode::Other, false), TSheetLayout::Other);
}

TEST(SheetProcedure, RefusalPastCounter999) {
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

TEST(SheetProcedure, SheetEndingAt999StaysThere) {
  FakeHost host;
  host.Start(TMediaMode::Standard3of9, "XYZ970");
  FakeJob job;
  PrintSheet(TSheetLayout::Standard, host, job);
  EXPECT_EQ(host.barcodeTexts.back(), "XYZ999");
  EXPECT_EQ(host.SerialText(), "XYZ999");
  EXPECT_TRUE(SheetRefusal(host.SerialText())) << "the next sheet is refused";
}

// A printer that fails at any point of the sheet: its message comes through
// unchanged, the document is aborted rather than ended (nothing half-printed
// is kept), and the serial and preview are back at the sheet's first label,
// so the next attempt prints the same labels.
TEST(SheetProcedure, PrinterFailureMidSheetLosesNoSerial) {
  struct Row {
    const char* name;
    TSheetLayout layout;
    TMediaMode mode;
    const char* serial;
    double failAt;  // share of the sheet's drawing operations done before the failure
    bool atEnd;
  };
  const Row rows[] = {
      {"first operation", TSheetLayout::StorageTek, TMediaMode::StkDltIV, "000100", 0.0, false},
      {"in the frame pass", TSheetLayout::StorageTek, TMediaMode::StkDltIV, "000100", 0.2, false},
      {"mid-sheet", TSheetLayout::StandardRotated, TMediaMode::Standard3of9, "ABC500", 0.5, false},
      {"last operation", TSheetLayout::BreeceHill, TMediaMode::BreeceHill, "BH0007", 1.0, false},
      {"when the document ends", TSheetLayout::StorageTek, TMediaMode::StkCleaning, "CLN010", 0.0, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    FakeHost sized;
    sized.Start(r.mode, r.serial);
    FakeJob whole;
    PrintSheet(r.layout, sized, whole);
    const int total = static_cast<int>(whole.page.Ops().size());

    FakeHost host;
    host.Start(r.mode, r.serial);
    const std::string barcode = host.BarcodeText();
    FakeJob job;
    job.failAtEnd = r.atEnd;
    if (!r.atEnd) job.failAfterOps = std::min(total - 1, static_cast<int>(r.failAt * total));
    try {
      PrintSheet(r.layout, host, job);
      ADD_FAILURE() << "the failure was not passed on";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), kPaperJam);
    }
    EXPECT_EQ(job.aborted, 1);
    EXPECT_EQ(job.ended, 0);
    EXPECT_EQ(host.SerialText(), r.serial);
    EXPECT_EQ(host.BarcodeText(), barcode);
    ASSERT_FALSE(host.previewSerials.empty());
    EXPECT_EQ(host.previewSerials.back(), r.serial) << "the preview shows the serial the sheet starts from";
  }
}

}  // namespace
}  // namespace vantor
