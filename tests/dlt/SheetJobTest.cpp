// Jobs of sheets on the recording surface: a first sheet that starts part-way
// through, several sheets as one document, and the calibration correction.
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

using test::FakeJob;

struct TBox {
  int left, top, right, bottom;  // right and bottom exclusive
  bool Holds(TPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// The 30 label rectangles, row by row, as the outlines of a full sheet draw them.
THeadlessChoice Choice(TMediaMode mode, const std::string& serial, bool rotated = false) {
  THeadlessChoice c;
  c.mediaMode = mode;
  c.serial = serial;
  c.rotated = rotated;
  return c;
}

std::vector<TBox> LabelBoxes(int dpi) {
  THeadlessHost host(Choice(TMediaMode::Standard3of9, ""));
  FakeJob job(dpi);
  TSheetOptions options;
  options.outlines = true;
  PrintSheet(TSheetLayout::BreeceHill, host, job, options);  // outlines alone, no cells
  std::vector<TBox> boxes;
  for (const TRecordedOp& op : job.pages.at(0))
    if (op.Kind == TOpKind::Rectangle) boxes.push_back({op.Left(), op.Top(), op.Right(), op.Bottom()});
  return boxes;
}

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
  TSheetLayout layout;
  TMediaMode mode;
  bool rotated;
};

const TLayoutRow kLayouts[] = {
    {"StorageTek", TSheetLayout::StorageTek, TMediaMode::StkDltIV, false},
    {"StorageTek rotated", TSheetLayout::StorageTekRotated, TMediaMode::StkDltIV, true},
    {"Standard", TSheetLayout::Standard, TMediaMode::Standard3of9, false},
    {"Standard rotated", TSheetLayout::StandardRotated, TMediaMode::Standard3of9, true},
    {"Breece Hill", TSheetLayout::BreeceHill, TMediaMode::BreeceHill, false},
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
        THeadlessHost host(Choice(l.mode, first, l.rotated));
        FakeJob job(dpi);
        PrintSheet(l.layout, host, job, options);
        ASSERT_EQ(job.pages.size(), 1u);
        const std::vector<TRecordedOp>& ops = job.pages[0];

        options.startLabel = 1;
        THeadlessHost fullHost(Choice(l.mode, SerialPlus(first, 1 - k), l.rotated));
        FakeJob full(dpi);
        PrintSheet(l.layout, fullHost, full, options);
        std::vector<TRecordedOp> expected;
        for (const TRecordedOp& op : full.pages[0]) {
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
        EXPECT_EQ(host.State().Serial(), SerialPlus(first, 31 - k));
      }
    }
  }
}

TEST(StartLabel, FirstSerialLandsOnLabelKInFillOrder) {
  test::FakeHost full, part;
  full.Start(TMediaMode::StkDltIV, "000000");
  part.Start(TMediaMode::StkDltIV, "000500");
  FakeJob a, b;
  PrintSheet(TSheetLayout::StorageTek, full, a);
  TSheetOptions options;
  options.startLabel = 13;  // row 5, first column
  PrintSheet(TSheetLayout::StorageTek, part, b, options);
  ASSERT_EQ(part.barcodeTexts.size(), 18u);
  EXPECT_EQ(part.barcodeTexts.front(), "000500D");
  EXPECT_EQ(part.barcodeTexts.back(), "000517D");
  EXPECT_EQ(part.barcodePoints.front(), full.barcodePoints[12]);
  EXPECT_EQ(part.barcodePoints.back(), full.barcodePoints[29]);
  EXPECT_EQ(part.SerialText(), "000518");
  EXPECT_EQ(part.previewSerials.back(), "000518") << "the window's preview follows to the next serial";
}

// Three sheets from label 13: one document of three pages; the second and
// third start at label 1 and the serials run on across the pages.
TEST(SheetJob, SeveralSheetsAreOneDocumentAndTheSerialRunsOn) {
  test::FakeHost host;
  host.Start(TMediaMode::Standard3of9, "ABC100");
  FakeJob job;
  TSheetOptions options;
  options.sheets = 3;
  options.startLabel = 13;
  ASSERT_EQ(PrintSheet(TSheetLayout::Standard, host, job, options), TSheetResult::Printed);
  EXPECT_EQ(job.begun, 1);
  EXPECT_EQ(job.newPages, 2);
  EXPECT_EQ(job.ended, 1);
  ASSERT_EQ(job.pages.size(), 3u);
  ASSERT_EQ(host.barcodeTexts.size(), 18u + 30u + 30u);
  EXPECT_EQ(host.barcodeTexts[17], "ABC117");
  EXPECT_EQ(host.barcodeTexts[18], "ABC118") << "page 2, label 1";
  EXPECT_EQ(host.barcodeTexts.back(), "ABC177");
  EXPECT_EQ(host.SerialText(), "ABC178");
  // Page 2 holds a whole sheet: it draws what a full sheet from ABC118 draws.
  test::FakeHost ref;
  ref.Start(TMediaMode::Standard3of9, "ABC118");
  FakeJob refJob;
  PrintSheet(TSheetLayout::Standard, ref, refJob);
  EXPECT_EQ(TraceOf(job.pages[1]), TraceOf(refJob.pages[0]));
  EXPECT_EQ(host.barcodePoints[18], ref.barcodePoints[0]);
  EXPECT_EQ(host.barcodePoints[0], ref.barcodePoints[12]);
}

TEST(SheetJob, FailureOnALaterPageDropsTheWholeDocument) {
  test::FakeHost sized;
  sized.Start(TMediaMode::StkDltIV, "000100");
  FakeJob one;
  PrintSheet(TSheetLayout::StorageTek, sized, one);
  const int perPage = static_cast<int>(one.pages[0].size());

  test::FakeHost host;
  host.Start(TMediaMode::StkDltIV, "000100");
  FakeJob job;
  job.failAfterOps = perPage / 2;  // counted on each page; page 1 is whole before page 2 starts
  TSheetOptions options;
  options.sheets = 2;
  options.startLabel = 25;
  EXPECT_THROW(PrintSheet(TSheetLayout::StorageTek, host, job, options), std::runtime_error);
  EXPECT_EQ(job.aborted, 1);
  EXPECT_EQ(job.ended, 0);
  EXPECT_EQ(host.SerialText(), "000100");
  EXPECT_EQ(host.BarcodeText(), "000100D");
}

TEST(SheetJob, RefusalCountsTheLabelsOfTheWholeJob) {
  struct Row {
    const char* serial;
    int sheets, start;
    const char* refusal;  // nullptr: fits
  };
  const Row rows[] = {
      {"ABC971", 1, 1,
       "A sheet of 30 labels from ABC971 would need serials past ABC999. The last first serial that still fits is "
       "ABC970."},
      {"ABC971", 1, 2, nullptr},  // 29 labels end at ABC999
      {"ABC972", 1, 2,
       "A sheet of 29 labels from ABC972 would need serials past ABC999. The last first serial that still fits is "
       "ABC971."},
      {"ABC900", 3, 13, nullptr},  // 78 labels end at ABC977
      {"ABC930", 3, 13,
       "3 sheets (78 labels) from ABC930 would need serials past ABC999; only 2 sheets fit. The last first serial "
       "that still fits is ABC922."},
      {"ABC999", 1, 30, nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.serial) + " " + std::to_string(r.sheets) + " from " + std::to_string(r.start));
    const auto refusal = SheetRefusal(r.serial, r.sheets, r.start);
    if (r.refusal) {
      ASSERT_TRUE(refusal);
      EXPECT_EQ(*refusal, r.refusal);
    } else {
      EXPECT_FALSE(refusal) << *refusal;
    }
  }
}

// A count of labels (not whole sheets) past the counter's end: the run and
// the last first serial that still fits it.
TEST(SheetJob, ALabelCountPastTheCounterIsRefused) {
  struct Row {
    const char* serial;
    int labels;
    const char* refusal;  // nullptr: fits
  };
  const Row rows[] = {
      {"ABC990", 10, nullptr},
      {"ABC990", 11,
       "11 labels from ABC990 would need serials past ABC999. The last first serial that still fits is ABC989."},
      {"ABC999", 2,
       "2 labels from ABC999 would need serials past ABC999. The last first serial that still fits is "
       "ABC998."},
      {"ABC000", 1001, "1001 labels from ABC000 would need serials past ABC999."},  // no first serial fits
      {"12", 5000, nullptr},  // a serial that cannot print is refused for that, not here
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.serial) + " " + std::to_string(r.labels));
    const auto refusal = LabelRunRefusal(r.serial, r.labels);
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
      THeadlessHost host(Choice(l.mode, "AB1000", l.rotated));
      const bool turned = MediaSetupFor(l.mode).rotateBarcode.checked;
      FakeJob job(dpi);
      std::vector<std::string> texts;
      for (int i = 0; i < 30; ++i) {
        texts.push_back(host.State().BarcodeText());
        host.State().NextSequence();
      }
      host.State().SetSerial("AB1000");
      host.State().SetBarcodeText(host.State().ComposeBarcodeText());
      PrintSheet(l.layout, host, job);
      const std::vector<TBox> labels = LabelBoxes(dpi);
      std::vector<std::vector<TRecordedOp>> bars(30);
      for (const TRecordedOp& op : job.pages.at(0))
        if (op.Kind == TOpKind::FillRect && op.BrushColor == 0x000000)
          for (std::size_t k = 0; k < labels.size(); ++k)
            if (labels[k].Holds({op.Left(), op.Top()})) bars[k].push_back(op);
      const int quiet = TDots::FromDpi(dpi, dpi).X(Mm(1.5));
      for (std::size_t k = 0; k < 30; ++k) {
        SCOPED_TRACE("label " + std::to_string(k + 1));
        auto& b = bars[k];
        ASSERT_FALSE(b.empty());
        std::sort(b.begin(), b.end(), [](const auto& x, const auto& y) { return x.Left() < y.Left(); });
        std::vector<int> widths;  // bar, space, bar, ... across
        for (std::size_t i = 0; i < b.size(); ++i) {
          if (i > 0) widths.push_back(b[i].Left() - b[i - 1].Right());
          widths.push_back(b[i].Right() - b[i].Left());
        }
        const int narrow = *std::min_element(widths.begin(), widths.end());
        const int wide = *std::max_element(widths.begin(), widths.end());
        EXPECT_GE(narrow, 2);
        EXPECT_GE(wide * 10, narrow * 22);
        EXPECT_LE(wide, narrow * 3);
        std::vector<bool> elements = Code39Elements(texts[k]);
        if (turned) std::reverse(elements.begin(), elements.end());
        std::vector<int> expected;
        for (std::size_t i = 0; i < elements.size(); ++i) {
          if (i > 0 && i % 9 == 0) expected.push_back(narrow);
          expected.push_back(elements[i] ? wide : narrow);
        }
        EXPECT_EQ(widths, expected);
        EXPECT_GE(b.front().Left() - labels[k].left, quiet);
        EXPECT_GE(labels[k].right - b.back().Right(), quiet);
      }
    }
  }
}

// A page below 150 dpi is refused before anything is drawn, and the serial
// stays; at 150 the sheet prints.
TEST(WholeDotBars, PagesBelow150DpiAreRefused) {
  for (const int dpi : {72, 149, 150}) {
    SCOPED_TRACE(dpi);
    THeadlessHost host(Choice(TMediaMode::StkDltIV, "000100"));
    FakeJob job(dpi);
    if (dpi >= kMinSheetDpi) {
      PrintSheet(TSheetLayout::StorageTek, host, job);
      EXPECT_EQ(host.State().Serial(), "000130");
      continue;
    }
    try {
      PrintSheet(TSheetLayout::StorageTek, host, job);
      ADD_FAILURE() << "printed";
    } catch (const ESheetRefused& e) {
      EXPECT_EQ(std::string(e.what()), "At " + std::to_string(dpi) +
                                           " dpi the labels' barcodes cannot be printed: they need at least 150 dpi.");
    }
    EXPECT_TRUE(job.page.Ops().empty());
    EXPECT_EQ(job.aborted, 1);
    EXPECT_EQ(host.State().Serial(), "000100");
    EXPECT_EQ(host.BarcodeText(), "000100D");
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
      THeadlessHost plainHost(Choice(TMediaMode::StkDltIV, "000100"));
      TRecordingJob plain(dpi);
      PrintSheet(TSheetLayout::StorageTek, plainHost, plain, options);
      THeadlessHost host(Choice(TMediaMode::StkDltIV, "000100"));
      TRecordingJob corrected(dpi, r.c);
      PrintSheet(TSheetLayout::StorageTek, host, corrected, options);

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
    THeadlessHost host(Choice(TMediaMode::BreeceHill, "BH0001"));
    TRecordingJob job(300, TCalibration{});
    TSheetOptions options;
    options.startLabel = 1;
    PrintSheet(TSheetLayout::BreeceHill, host, job, i == 0 ? TSheetOptions{} : options);
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
