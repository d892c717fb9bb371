// Jobs of sheets as the print path draws a run: a first sheet that starts
// part-way through, several sheets as one document, and the calibration
// correction.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "barcode/DotBars.h"
#include "dlt/HeadlessHost.h"
#include "dlt/MediaSetup.h"
#include "dlt/Sheet.h"
#include "dlt/SheetFakes.h"
#include "dlt/SheetLayouts.h"
#include "printing/CalibrationPage.h"
#include "printing/PrintTrace.h"
#include "printing/RecordingJob.h"
#include "surface/Units.h"

namespace vantor {
namespace {

using namespace test;

std::vector<TPoint> PointsOf(const TRecordedOp& op) {
  if (op.Kind == TOpKind::Polygon) return op.Points;
  if (op.Kind == TOpKind::TextOut) return {op.P1};
  // Every corner of the covered area (right and bottom exclusive).
  return {{op.Left(), op.Top()},
          {op.Right() - 1, op.Top()},
          {op.Left(), op.Bottom() - 1},
          {op.Right() - 1, op.Bottom() - 1}};
}

// Operations as the trace writes them: what each kind of operation shows of
// the state in force (a fill's font, say, is left out).
std::string TraceOf(const std::vector<TRecordedOp>& ops) {
  std::ostringstream out;
  WritePrintTrace(out, 1, ops);
  return out.str();
}

std::string SerialPlus(const std::string& serial, int n) {
  char counter[8];
  std::snprintf(counter, sizeof counter, "%03d", std::stoi(serial.substr(3)) + n);
  return serial.substr(0, 3) + counter;
}

struct TLayoutRow {
  const char* name;
  TMediaMode mode;
  bool rotated;
};

const TLayoutRow kLayouts[] = {
    {"StorageTek", TMediaMode::StkDltIV, false},    {"StorageTek rotated", TMediaMode::StkDltIV, true},
    {"Standard", TMediaMode::Standard3of9, false},  {"Standard rotated", TMediaMode::Standard3of9, true},
    {"Breece Hill", TMediaMode::BreeceHill, false},
};

// A sheet from label K holds exactly what a full sheet started K - 1 serials
// earlier holds on labels K to 30: the same operations, in the same places,
// and nothing at all inside labels 1 to K - 1, outlines included.
TEST(StartLabel, LabelsBeforeKAreBlankAndTheRestIsTheFullSheet) {
  for (const int dpi : {300, 600}) {
    const std::vector<TBox> boxes = LabelBoxes(dpi);
    ASSERT_EQ(boxes.size(), 30u);
    for (const TLayoutRow& l : kLayouts) {
      for (const int k : {1, 2, 4, 13, 30}) {
        SCOPED_TRACE(std::string(l.name) + ", label " + std::to_string(k) + ", " + std::to_string(dpi) + " dpi");
        const std::string first = "AB0100";
        TSheetOptions options;
        options.outlines = true;
        options.startLabel = k;
        const TDrawnRun part(Choice(l.mode, first, l.rotated), options, dpi);
        ASSERT_EQ(part.job.pages.size(), 1u);
        const std::vector<TRecordedOp>& ops = part.Page();

        options.startLabel = 1;
        const TDrawnRun full(Choice(l.mode, SerialPlus(first, 1 - k), l.rotated), options, dpi);
        std::vector<TRecordedOp> expected;
        for (const TRecordedOp& op : full.Page()) {
          const std::vector<TPoint> points = PointsOf(op);
          const bool inUsedLabel = std::any_of(points.begin(), points.end(), [&](TPoint p) {
            return std::any_of(boxes.begin(), boxes.begin() + (k - 1), [&](const TBox& b) { return b.Holds(p); });
          });
          if (!inUsedLabel) expected.push_back(op);
        }
        EXPECT_EQ(TraceOf(ops), TraceOf(expected));
        for (const TRecordedOp& op : ops)
          for (const TPoint p : PointsOf(op))
            for (int i = 0; i + 1 < k; ++i)
              ASSERT_FALSE(boxes[static_cast<std::size_t>(i)].Holds(p)) << "label " << i + 1;

        // The serial continues after the last label printed, as after a full sheet.
        EXPECT_EQ(part.run.NextSerial(), SerialPlus(first, 31 - k));
      }
    }
  }
}

TEST(StartLabel, FirstSerialLandsOnLabelKInFillOrder) {
  const TDrawnRun full(Choice(TMediaMode::StkDltIV, "000000"));
  TSheetOptions options;
  options.startLabel = 13;  // row 5, first column
  const THeadlessChoice look = Choice(TMediaMode::StkDltIV, "000500");
  const TDrawnRun part(look, options);
  const std::vector<TBox> boxes = LabelBoxes(300);
  EXPECT_EQ(part.run.Labels(), 18);
  EXPECT_EQ(Characters(part.Page(), 0, 18), "000500");
  EXPECT_EQ(Characters(part.Page(), 17, 18), "000517");
  EXPECT_TRUE(BarsSpell(part.Page(), boxes[12], "000500D", Turned(look)));
  EXPECT_TRUE(BarsSpell(part.Page(), boxes[29], "000517D", Turned(look)));
  const auto partTexts = OfKind(part.Page(), TOpKind::TextOut), fullTexts = OfKind(full.Page(), TOpKind::TextOut);
  const std::size_t perLabel = 7;  // six characters and the suffix
  EXPECT_EQ(partTexts.front().P1, fullTexts[12 * perLabel].P1);
  EXPECT_EQ(partTexts[17 * perLabel].P1, fullTexts[29 * perLabel].P1);
  EXPECT_EQ(part.run.NextSerial(), "000518");
}

// Three sheets from label 13: one document of three pages; the second and
// third start at label 1 and the serials run on across the pages.
TEST(SheetJob, SeveralSheetsAreOneDocumentAndTheSerialRunsOn) {
  TSheetOptions options;
  options.sheets = 3;
  options.startLabel = 13;
  const TDrawnRun d(Choice(TMediaMode::Standard3of9, "ABC100"), options);
  EXPECT_EQ(d.job.begun, 1);
  EXPECT_EQ(d.job.newPages, 2);
  EXPECT_EQ(d.job.ended, 1);
  ASSERT_EQ(d.job.pages.size(), 3u);
  EXPECT_EQ(d.run.Labels(), 18 + 30 + 30);
  EXPECT_EQ(Characters(d.Page(0), 17, 18), "ABC117");
  EXPECT_EQ(Characters(d.Page(1), 0), "ABC118") << "page 2, label 1";
  EXPECT_EQ(Characters(d.Page(2), 29), "ABC177");
  EXPECT_EQ(d.run.NextSerial(), "ABC178");
  // Page 2 holds a whole sheet: it draws what a full sheet from ABC118 draws.
  const TDrawnRun ref(Choice(TMediaMode::Standard3of9, "ABC118"));
  EXPECT_EQ(TraceOf(d.Page(1)), TraceOf(ref.Page()));
}

// Whole sheets from a start label, and a count of labels however they fall
// on sheets: refused past the counter's end with the last first serial that
// still fits.
TEST(SheetJob, RefusalCountsTheLabelsOfTheWholeJob) {
  struct Row {
    const char* serial;
    int sheets, start;
    int labels;           // > 0: a count of labels, not sheets
    const char* refusal;  // nullptr: fits
  };
  const Row rows[] = {
      {"ABC971", 1, 1, 0,
       "A sheet of 30 labels from ABC971 would need serials past ABC999. The last first serial that still fits is "
       "ABC970."},
      {"ABC971", 1, 2, 0, nullptr},  // 29 labels end at ABC999
      {"ABC972", 1, 2, 0,
       "A sheet of 29 labels from ABC972 would need serials past ABC999. The last first serial that still fits is "
       "ABC971."},
      {"ABC900", 3, 13, 0, nullptr},  // 78 labels end at ABC977
      {"ABC930", 3, 13, 0,
       "3 sheets (78 labels) from ABC930 would need serials past ABC999; only 2 sheets fit. The last first serial "
       "that still fits is ABC922."},
      {"ABC999", 1, 30, 0, nullptr},
      {"ABC990", 0, 0, 10, nullptr},
      {"ABC990", 0, 0, 11,
       "11 labels from ABC990 would need serials past ABC999. The last first serial that still fits is ABC989."},
      {"ABC999", 0, 0, 2,
       "2 labels from ABC999 would need serials past ABC999. The last first serial that still fits is "
       "ABC998."},
      {"ABC000", 0, 0, 1001, "1001 labels from ABC000 would need serials past ABC999."},  // no first serial fits
      {"12", 0, 0, 5000, nullptr},  // a serial that cannot print is refused for that, not here
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.serial) + " " + std::to_string(r.sheets) + " from " + std::to_string(r.start) + ", " +
                 std::to_string(r.labels) + " labels");
    const auto refusal = r.labels > 0 ? LabelRunRefusal(r.serial, r.labels) : SheetRefusal(r.serial, r.sheets, r.start);
    if (r.refusal) {
      ASSERT_TRUE(refusal);
      EXPECT_EQ(*refusal, r.refusal);
    } else {
      EXPECT_FALSE(refusal) << *refusal;
    }
  }
}

// --- Printers of few dots ---------------------------------------------------

// Below 300 dpi each label's bars are whole-dot Code 39: one narrow and one
// wide width for bars and spaces alike, the ratio from 2.2 to 3, no element
// under two dots, the elements those of the label's text (reversed when the
// symbol is turned), and the symbol inside its label with a quiet zone.
TEST(WholeDotBars, EveryLayoutAtEveryResolutionFrom150To299) {
  for (const TLayoutRow& l : kLayouts) {
    for (int dpi = 150; dpi < 300; ++dpi) {
      SCOPED_TRACE(std::string(l.name) + " at " + std::to_string(dpi) + " dpi");
      const THeadlessChoice look = Choice(l.mode, "AB1000", l.rotated);
      const bool turned = MediaSetupFor(l.mode).rotateBarcode.checked;
      const std::vector<std::string> texts = BarcodeTexts(look, 30);
      const TDrawnRun d(look, TSheetOptions{}, dpi);
      const std::vector<TBox> labels = LabelBoxes(dpi);
      const int quiet = TDots::FromDpi(dpi, dpi).X(Mm(1.5));
      for (std::size_t k = 0; k < 30; ++k) {
        SCOPED_TRACE("label " + std::to_string(k + 1));
        const std::vector<TRecordedOp> b = BarsIn(d.Page(), labels[k]);
        ASSERT_FALSE(b.empty());
        const std::vector<int> widths = BarAndSpaceWidths(b);
        const int narrow = *std::min_element(widths.begin(), widths.end());
        const int wide = *std::max_element(widths.begin(), widths.end());
        EXPECT_GE(narrow, 2);
        EXPECT_GE(wide * 10, narrow * 22);
        EXPECT_LE(wide, narrow * 3);
        std::vector<int> expected;  // whole dots: each element exactly narrow or wide
        for (const bool isWide : Code39Pattern(texts[k], turned)) expected.push_back(isWide ? wide : narrow);
        EXPECT_EQ(widths, expected);
        EXPECT_GE(b.front().Left() - labels[k].left, quiet);
        EXPECT_GE(labels[k].right - b.back().Right(), quiet);
      }
    }
  }
}

// A page below 150 dpi is refused before anything is drawn, and the run
// stays as it was; at 150 the sheet prints.
TEST(WholeDotBars, PagesBelow150DpiAreRefused) {
  for (const int dpi : {72, 149, 150}) {
    SCOPED_TRACE(dpi);
    const THeadlessChoice look = Choice(TMediaMode::StkDltIV, "000100");
    const TDltLabelRun run(look, DefaultColors(look), {});
    FakeJob job(dpi);
    if (dpi >= kMinSheetDpi) {
      DrawRun(run, job);
      EXPECT_EQ(job.ended, 1);
      EXPECT_EQ(Characters(job.pages.at(0), 29), "000129");
      continue;
    }
    try {
      DrawRun(run, job);
      ADD_FAILURE() << "printed";
    } catch (const ESheetRefused& e) {
      EXPECT_EQ(std::string(e.what()), "At " + std::to_string(dpi) +
                                           " dpi the labels' barcodes cannot be printed: they need at least 150 dpi.");
    }
    EXPECT_TRUE(job.page.Ops().empty());
    EXPECT_EQ(job.aborted, 1);
    EXPECT_EQ(job.ended, 0);
    EXPECT_EQ(run.SerialOf(0), "000100");
    EXPECT_EQ(run.NextSerial(), "000130");
  }
}

// --- The correction ---------------------------------------------------------

struct TCalibrationRow {
  const char* name;
  TCalibration c;
};

const TCalibrationRow kCalibrations[] = {
    {"offsets", {1.5, -2.25, 1, 1}},
    {"scales", {0, 0, 1.013, 0.987}},
    {"both, at the limits", {-20, 20, 0.9, 1.1}},
    {"small", {0.04, 0.03, 1.0004, 0.9997}},
};

int Corrected(int v, double offsetMm, double scale, int dpi) { return RoundEven(offsetMm * dpi / 25.4 + scale * v); }

// Every coordinate of a corrected sheet is the uncorrected one moved and
// stretched, rounded once: never a rounded value rounded again.
TEST(Calibration, EveryCoordinateIsTheUncorrectedOneTransformed) {
  for (const int dpi : {300, 600}) {
    for (const TCalibrationRow& r : kCalibrations) {
      SCOPED_TRACE(std::string(r.name) + ", " + std::to_string(dpi) + " dpi");
      TSheetOptions options;
      options.outlines = true;
      const THeadlessChoice look = Choice(TMediaMode::StkDltIV, "000100");
      const TDltLabelRun run(look, DefaultColors(look), options);
      TRecordingJob plain(dpi);
      DrawRun(run, plain);
      TRecordingJob corrected(dpi, r.c);
      DrawRun(run, corrected);

      const auto& a = plain.Recording().Ops();
      const auto& b = corrected.Recording().Ops();
      ASSERT_EQ(a.size(), b.size());
      const auto x = [&](int v) { return Corrected(v, r.c.offsetXMm, r.c.scaleX, dpi); };
      const auto y = [&](int v) { return Corrected(v, r.c.offsetYMm, r.c.scaleY, dpi); };
      for (std::size_t i = 0; i < a.size(); ++i) {
        TRecordedOp expected = a[i];
        expected.P1 = TPoint{x(a[i].P1.x), y(a[i].P1.y)};
        if (a[i].Kind == TOpKind::FillRect || a[i].Kind == TOpKind::Rectangle)
          expected.P2 = TPoint{x(a[i].P2.x), y(a[i].P2.y)};
        for (TPoint& p : expected.Points) p = TPoint{x(p.x), y(p.y)};
        ASSERT_TRUE(b[i] == expected) << "operation " << i;
      }
    }
  }
}

TEST(Calibration, NoneLeavesTheTraceAsItWas) {
  std::string traces[2];
  for (int i = 0; i < 2; ++i) {
    const THeadlessChoice look = Choice(TMediaMode::BreeceHill, "BH0001");
    TRecordingJob job(300, TCalibration{});
    TSheetOptions options;
    options.startLabel = 1;
    DrawRun(TDltLabelRun(look, DefaultColors(look), i == 0 ? TSheetOptions{} : options), job);
    std::ostringstream out;
    WritePrintTrace(out, 1, job.Recording().Ops());
    traces[i] = out.str();
  }
  EXPECT_EQ(traces[0], traces[1]);
  EXPECT_GT(traces[0].size(), 1000u);
}

// The correction works on paper positions: the same whatever origin or
// mapping mode the caller draws in, and the caller's mode, pen and font are
// as they were afterwards.
TEST(Calibration, PaperPositionsWhateverTheOriginAndMappingMode) {
  const TCalibration c{2, -1, 1.02, 0.98};
  const int dpi = 600;
  struct Row {
    const char* name;
    TMapMode mode;
    TPoint origin;
    TPoint printingOffset;
    TPoint logical;
    double paperX, paperY;  // where the point is on paper, in dots, uncorrected
  };
  const Row rows[] = {
      {"pixels from the paper's corner", TMapMode::Pixels, {-50, -40}, {50, 40}, {1000, 2000}, 1000, 2000},
      {"pixels from a moved origin", TMapMode::Pixels, {300, 200}, {0, 0}, {10, 20}, 310, 220},
      {"0.1 mm, y up", TMapMode::LoMetric, {100, 3000}, {0, 0}, {254, -508}, 100 + 600, 3000 + 1200},
      {"0.01 mm, y up, printing offset", TMapMode::HiMetric, {0, 0}, {30, 30}, {2540, -2540}, 30 + 600, 30 + 600},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TRecordingSurface inner(dpi, dpi);
    inner.SetPrintingOffset(r.printingOffset);
    TCorrectedSurface s(inner, c);
    s.SetOrigin(r.origin);
    s.SetMapMode(r.mode);
    s.SetPenWidth(3);
    s.FillRect(r.logical.x, r.logical.y, r.logical.x, r.logical.y);
    s.TextOut(r.logical.x, r.logical.y, "x");
    EXPECT_EQ(inner.MapMode(), r.mode);
    EXPECT_EQ(inner.PenWidth(), 3);
    const auto& ops = inner.Ops();
    ASSERT_EQ(ops.size(), 2u);
    const int zeroX = r.origin.x + r.printingOffset.x, zeroY = r.origin.y + r.printingOffset.y;
    const int ex = RoundEven(2 * dpi / 25.4 + 1.02 * r.paperX) - zeroX;
    const int ey = RoundEven(-1 * dpi / 25.4 + 0.98 * r.paperY) - zeroY;
    for (const TRecordedOp& op : ops) {
      EXPECT_EQ(op.P1, (TPoint{ex, ey}));
      EXPECT_EQ(op.MapMode, TMapMode::Pixels) << "drawn in dots: a corrected dot is finer than a logical unit";
    }
  }
}

TEST(Calibration, FaultsNameTheFirstUnusableValue) {
  const double nan = std::nan("");
  struct Row {
    TCalibration c;
    TCalibrationField fault;
  };
  const Row rows[] = {
      {{0, 0, 1, 1}, TCalibrationField::None},        {{20, -20, 0.9, 1.1}, TCalibrationField::None},
      {{20.01, 0, 1, 1}, TCalibrationField::OffsetX}, {{0, -20.5, 1, 1}, TCalibrationField::OffsetY},
      {{0, 0, 0.89, 1}, TCalibrationField::ScaleX},   {{0, 0, 1, 1.11}, TCalibrationField::ScaleY},
      {{nan, 0, 1, 1}, TCalibrationField::OffsetX},   {{0, 0, 1, HUGE_VAL}, TCalibrationField::ScaleY},
      {{0, 0, -1, 1}, TCalibrationField::ScaleX},
  };
  for (const Row& r : rows) EXPECT_EQ(CalibrationFault(r.c), r.fault);
}

// --- The calibration page -----------------------------------------------------

TEST(CalibrationPage, SquareMeasures100MmAndCrossesSitOnItsCorners) {
  for (const int dpi : {300, 600}) {
    SCOPED_TRACE(dpi);
    TRecordingJob job(dpi);
    PrintCalibrationPage(job);
    const auto rects = job.Recording().OpsOf(TOpKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    const double dot = 25.4 / dpi;
    EXPECT_NEAR((rects[0].Right() - rects[0].Left()) * dot, 100.0, dot);
    EXPECT_NEAR((rects[0].Bottom() - rects[0].Top()) * dot, 100.0, dot);
    EXPECT_NEAR(rects[0].Left() * dot, kCalibrationLeftMm, dot);
    EXPECT_NEAR(rects[0].Top() * dot, kCalibrationTopMm, dot);
    // Each cross: a bar across and a bar down, centred on its point.
    const auto fills = job.Recording().OpsOf(TOpKind::FillRect);
    ASSERT_EQ(fills.size(), 10u);
    const double centres[5][2] = {{40, 60}, {140, 60}, {40, 160}, {140, 160}, {90, 110}};
    for (int i = 0; i < 5; ++i) {
      const TRecordedOp& across = fills[static_cast<std::size_t>(2 * i)];
      const TRecordedOp& down = fills[static_cast<std::size_t>(2 * i + 1)];
      EXPECT_NEAR((across.Left() + across.Right()) / 2.0 * dot, centres[i][0], dot);
      EXPECT_NEAR((across.Top() + across.Bottom()) / 2.0 * dot, centres[i][1], dot);
      EXPECT_NEAR((down.Left() + down.Right()) / 2.0 * dot, centres[i][0], dot);
      EXPECT_NEAR((down.Top() + down.Bottom()) / 2.0 * dot, centres[i][1], dot);
    }
    // The numbers to measure are printed on the page.
    std::ostringstream trace;
    WritePrintTrace(trace, 1, job.Recording().Ops());
    EXPECT_NE(trace.str().find("A to B (across): 100.0 mm"), std::string::npos);
    EXPECT_NE(trace.str().find("A from the left edge of the paper: 40.0 mm"), std::string::npos);
  }
}

// A printer that shifts by a and stretches by r puts a drawn position p at
// a + r * p. Measuring its calibration page and drawing through the result
// must bring every position back to where it belongs.
TEST(CalibrationPage, MeasurementsGiveTheCorrectionThatUndoesThePrinter) {
  struct Row {
    const char* name;
    double ax, rx, ay, ry;
  };
  const Row rows[] = {
      {"true printer", 0, 1, 0, 1},
      {"shifted", 1.8, 1, -2.4, 1},
      {"stretched", 0, 1.012, 0, 0.991},
      {"both", -3.1, 0.985, 4.2, 1.007},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto printedX = [&](double p) { return r.ax + r.rx * p; };
    const auto printedY = [&](double p) { return r.ay + r.ry * p; };
    TCalibrationMeasurement m;
    m.aFromLeftMm = printedX(kCalibrationLeftMm);
    m.aFromTopMm = printedY(kCalibrationTopMm);
    m.aToBMm = printedX(kCalibrationLeftMm + kCalibrationSideMm) - m.aFromLeftMm;
    m.aToCMm = printedY(kCalibrationTopMm + kCalibrationSideMm) - m.aFromTopMm;
    const TCalibration c = CalibrationFromMeasurement(m);
    ASSERT_EQ(CalibrationFault(c), TCalibrationField::None);
    for (const double p : {0.0, 22.0, 105.0, 210.0}) {
      EXPECT_NEAR(printedX(c.offsetXMm + c.scaleX * p), p, 1e-9);
      EXPECT_NEAR(printedY(c.offsetYMm + c.scaleY * p), p, 1e-9);
    }
  }
  TCalibrationMeasurement nonsense;
  nonsense.aToBMm = 0;
  EXPECT_NE(CalibrationFault(CalibrationFromMeasurement(nonsense)), TCalibrationField::None);
  nonsense = {};
  nonsense.aToCMm = 150;  // a scale of 0.67
  EXPECT_EQ(CalibrationFault(CalibrationFromMeasurement(nonsense)), TCalibrationField::ScaleY);
}

}  // namespace
}  // namespace vantor
