// The LTO label's rules on their own: media IDs, volser runs, bars on printer
// dots; and whole sheets on the recording surface, read back bar by bar.
#include <gtest/gtest.h>

#include <map>

#include "barcode/Code39.h"
#include "lto/LtoSheet.h"
#include "lto/MediaId.h"
#include "printing/RecordingJob.h"

namespace vantor {
namespace {

TEST(MediaId, TableAndCustomIds) {
  struct Row {
    const char* id;
    TMediaKind kind;
    int generation;
  };
  const Row rows[] = {
      {"L1", TMediaKind::Data, 1},   {"L5", TMediaKind::Data, 5},     {"L9", TMediaKind::Data, 9},
      {"LT", TMediaKind::Worm, 3},   {"LW", TMediaKind::Worm, 6},     {"LZ", TMediaKind::Worm, 9},
      {"M8", TMediaKind::TypeM, 7},  {"CU", TMediaKind::Cleaning, 0}, {"LA", TMediaKind::Custom, 0},
      {"X9", TMediaKind::Custom, 0}, {"00", TMediaKind::Custom, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.id);
    const auto m = FindMediaId(r.id);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->kind, r.kind);
    EXPECT_EQ(m->generation, r.generation);
  }
  EXPECT_EQ(MediaIdTable().size(), 18u);  // L1..L9, LT..LZ, M8, CU
  const std::pair<const char*, const char*> bad[] = {
      {"L", "has 1 characters; it needs two"},
      {"L8X", "has 3 characters"},
      {"", "has 0 characters"},
      {"l8", "holds \"l\""},
      {"L-", "holds \"-\""},
      {"L ", "holds \" \""},
  };
  for (const auto& [id, says] : bad) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(FindMediaId(id));
    ASSERT_TRUE(MediaIdProblem(id));
    EXPECT_NE(MediaIdProblem(id)->find(says), std::string::npos) << *MediaIdProblem(id);
  }
}

TEST(Volser, BadVolsersSayWhy) {
  const std::pair<const char*, const char*> rows[] = {
      {"ABC10", "has 5 characters; it needs six"},
      {"ABC1000", "has 7 characters"},
      {"", "has 0 characters"},
      {"ABC-00", "holds \"-\" at position 4; only A-Z and 0-9"},
      {"abc100", "holds \"a\" at position 1; letters must be upper case"},
      {"AB C00", "holds \" \" at position 3"},
  };
  for (const auto& [volser, says] : rows) {
    SCOPED_TRACE(volser);
    ASSERT_TRUE(VolserProblem(volser));
    EXPECT_NE(VolserProblem(volser)->find(says), std::string::npos) << *VolserProblem(volser);
    EXPECT_FALSE(VolserRunByCount(volser, 1).run);
  }
  EXPECT_FALSE(VolserProblem("ABC100"));
  EXPECT_FALSE(VolserProblem("CLN001"));
}

TEST(Volser, RunsCountTheTrailingDigits) {
  struct Row {
    const char* first;
    int count;
    const char* second;
    const char* last;
  };
  const Row rows[] = {
      {"ABC100", 900, "ABC101", "ABC999"}, {"TAPE01", 99, "TAPE02", "TAPE99"}, {"A00000", 100000, "A00001", "A99999"},
      {"000000", 3, "000001", "000002"},   {"AB1C09", 2, "AB1C10", "AB1C10"},  {"ABCDEF", 1, "ABCDEF", "ABCDEF"},
      {"CLN001", 30, "CLN002", "CLN030"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.first);
    const TVolserRunResult res = VolserRunByCount(r.first, r.count);
    ASSERT_TRUE(res.run) << res.refusal;
    EXPECT_EQ(res.run->First(), r.first);
    EXPECT_EQ(res.run->At(1), r.second);
    EXPECT_EQ(res.run->Last(), r.last);
    // The same run named by its last volser.
    const TVolserRunResult byLast = VolserRunByLast(r.first, r.last);
    ASSERT_TRUE(byLast.run) << byLast.refusal;
    EXPECT_EQ(byLast.run->count, r.count);
  }
}

TEST(Volser, CarryIsRefusedNamingTheLastFirstThatFits) {
  struct Row {
    const char* first;
    int count;
    const char* says;
  };
  const Row rows[] = {
      {"ABC980", 30,
       "A run of 30 labels from ABC980 would need volsers past ABC999. The last first volser that still fits is "
       "ABC970."},
      {"TAPE90", 11, "past TAPE99. The last first volser that still fits is TAPE89."},
      {"ABCDE9", 2, "past ABCDE9. The last first volser that still fits is ABCDE8."},
      {"ABC100", 1001, "past ABC999."},  // no first volser fits 1001 labels
      {"ABCDEF", 2,
       "The volser ABCDEF has no digits at the end to count, so a run of 2 labels cannot start from it; give a first "
       "volser that ends in digits."},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.first);
    const TVolserRunResult res = VolserRunByCount(r.first, r.count);
    EXPECT_FALSE(res.run);
    EXPECT_NE(res.refusal.find(r.says), std::string::npos) << res.refusal;
  }
  EXPECT_EQ(VolserRunByCount("ABC100", 1001).refusal.find("still fits"), std::string::npos);
  EXPECT_TRUE(VolserRunByCount("ABC970", 30).run);  // the named volser does fit
}

TEST(Volser, LastMustFollowTheFirst) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"ABC100", "ABD100", "does not follow ABC100: only the digits at the end count, ABC stays as it is."},
      {"ABC100", "ABC0A9", "does not follow"},
      {"ABC100", "ABC099", "comes before the first, ABC100."},
      {"ABC100", "abc200", "letters must be upper case"},
  };
  for (const auto& [first, last, says] : rows) {
    SCOPED_TRACE(last);
    const TVolserRunResult res = VolserRunByLast(first, last);
    EXPECT_FALSE(res.run);
    EXPECT_NE(res.refusal.find(says), std::string::npos) << res.refusal;
  }
  EXPECT_EQ(VolserRunByLast("ABC100", "ABC100").run->count, 1);
}

TEST(SnapBars, WholeDotsNearestTheNominalThatFit) {
  struct Row {
    int dpi;
    double labelMm;
    int narrow, wide;
  };
  const Row rows[] = {
      {300, 79, 5, 14},
      {600, 79, 10, 28},
      {203, 79, 3, 8},
      // Narrower labels take the widest narrow element that still fits.
      {300, 70, 4, 11},
      {600, 70, 9, 25},
      {203, 70, 3, 8},
      {300, 57, 3, 8},
      {600, 57, 7, 19},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.dpi) + " dpi, " + std::to_string(r.labelMm) + " mm");
    const int dots = TDots::FromDpi(r.dpi, r.dpi).X(Mm(r.labelMm));
    const auto bars = SnapBars(kLtoLabelLayout, r.dpi, dots);
    ASSERT_TRUE(bars);
    EXPECT_EQ(bars->narrow, r.narrow);
    EXPECT_EQ(bars->wide, r.wide);
  }
  // 40 mm would need narrow bars of 2 dots (0.17 mm) at 300 dpi.
  EXPECT_FALSE(SnapBars(kLtoLabelLayout, 300, TDots::FromDpi(300, 300).X(Mm(40))));
}

// Over every resolution: whatever is chosen keeps the rules, and one dot more
// would not have fitted (or would leave the nominal width further behind).
TEST(SnapBars, RulesHoldAtEveryResolution) {
  for (int dpi = 72; dpi <= 2400; ++dpi) {
    for (const double mm : {57.0, 70.0, 79.0}) {
      const int dots = TDots::FromDpi(dpi, dpi).X(Mm(mm));
      const auto bars = SnapBars(kLtoLabelLayout, dpi, dots);
      if (!bars) continue;
      SCOPED_TRACE(std::to_string(dpi) + " dpi " + std::to_string(mm) + " mm");
      const double narrowMm = bars->narrow * 25.4 / dpi;
      ASSERT_GE(narrowMm, 0.254 - 1e-9);
      ASSERT_GE(bars->wide * 100, bars->narrow * 250);
      ASSERT_LE(bars->wide * 100, bars->narrow * 300);
      ASSERT_GE(bars->quiet, 10 * bars->narrow);
      ASSERT_GE(bars->quiet * 25.4 / dpi, 5.0 - 1e-9);
      ASSERT_LE(bars->Symbol() + 2 * bars->quiet, dots);
      ASSERT_EQ(bars->Symbol(), 10 * (3 * bars->wide + 6 * bars->narrow) + 9 * bars->narrow);
      ASSERT_LE(std::abs(bars->wide * 100 - 275 * bars->narrow), 50) << "wide not the closest to 2.75 narrow";
      const int nominal = static_cast<int>(0.423 * dpi / 25.4 + 0.5);
      EXPECT_LE(bars->narrow, std::max(1, nominal));
      if (bars->narrow < nominal) {
        // The next whole dot up, with its wide element closest to 2.75 times it, must not fit.
        const int n = bars->narrow + 1;
        const int q = 275 * n / 100, r = 275 * n % 100;
        const int w = q + (r > 50 || (r == 50 && q % 2 == 1));  // a half goes to the even count (27.5 -> 28)
        const int quiet = std::max(10 * n, static_cast<int>(std::ceil(5.0 * dpi / 25.4 - 1e-9)));
        EXPECT_GT(10 * (3 * w + 6 * n) + 9 * n + 2 * quiet, dots);
      }
    }
  }
}

// --- Sheets on the recording surface -----------------------------------------

const TSheetTemplate& BuiltIn(const std::string& name) {
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == name) return t;
  throw std::runtime_error("no template " + name);
}

TLtoRun MakeRun(const std::string& templ, const std::string& first, int count, const std::string& mediaId = "L8",
                const std::string& palette = "lto") {
  const TVolserRunResult v = VolserRunByCount(first, count);
  if (!v.run) throw std::runtime_error(v.refusal);
  return TLtoRun{BuiltIn(templ), mediaId, *v.run, *FindLtoPalette(palette)};
}

// A job that keeps every page's operations.
class TPagesJob : public TRecordingJob {
 public:
  using TRecordingJob::TRecordingJob;
  void EndDoc() override { pages.push_back(Recording().Ops()); }
  void AbortDoc() override { ++aborted; }
  std::vector<std::vector<TRecordedOp>> pages;
  int aborted = 0;
};

struct TBox {
  int left, top, right, bottom;
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool HoldsRect(const TRecordedOp& op) const {
    return op.Left() >= left && op.Right() <= right && op.Top() >= top && op.Bottom() <= bottom;
  }
  bool Meets(const TRecordedOp& op) const {
    return op.Left() < right && left < op.Right() && op.Top() < bottom && top < op.Bottom();
  }
};

TBox LabelBox(const TLabelRect& r, int dpi) {
  const TDots d = TDots::FromDpi(dpi, dpi);
  return {d.X(r.x), d.Y(r.y), d.X(r.x + r.width), d.Y(r.y + r.height)};
}

// The Code 39 text of bars read left to right (start and stop included), from
// the bar and space widths alone.
std::string ReadBars(const std::vector<TRecordedOp>& bars, int narrow, int wide) {
  std::vector<int> widths;  // bar, space, bar, ...
  for (std::size_t i = 0; i < bars.size(); ++i) {
    if (i > 0) widths.push_back(bars[i].Left() - bars[i - 1].Right());
    widths.push_back(bars[i].Right() - bars[i].Left());
  }
  std::string text;
  for (std::size_t c = 0; c + 9 <= widths.size(); c += 10) {  // nine elements and the gap
    std::string pattern;
    for (std::size_t e = 0; e < 9; ++e) pattern += widths[c + e] == wide ? '1' : widths[c + e] == narrow ? '0' : '?';
    if (c + 9 < widths.size() && widths[c + 9] != narrow) return text + "<gap?>";
    char found = '?';
    for (std::size_t k = 0; k < TBarCode39::kCount; ++k)
      if (pattern == TBarCode39::Patterns[k]) found = TBarCode39::Chars[k];
    text += found;
  }
  return text;
}

// Every label of the page against what the trace must show: bars only narrow
// or wide, at least 11.1 mm high, nothing in either quiet zone, nothing
// outside the label, the bars reading back to the label's text.
void CheckPage(const std::vector<TRecordedOp>& ops, const TLtoRun& run, int page, int dpi) {
  const TLtoBarPlan plan = PlanLtoBars(run.layout, dpi, dpi, run.sheet.labels);
  ASSERT_TRUE(plan.bars) << plan.refusal;
  const TBarWidths b = *plan.bars;
  const int quiet = std::max(10 * b.narrow, static_cast<int>(std::ceil(5.0 * dpi / 25.4 - 1e-9)));
  std::vector<bool> used(ops.size());
  int labels = 0;
  for (int i = 0; i < run.volsers.count; ++i) {
    if (run.PageOf(i) != page) continue;
    ++labels;
    const TBox box = LabelBox(run.sheet.labels[static_cast<std::size_t>(run.PlaceOf(i))], dpi);
    const std::string text = run.volsers.At(i) + run.mediaId;
    SCOPED_TRACE("label " + text);
    std::vector<TRecordedOp> bars;
    for (std::size_t k = 0; k < ops.size(); ++k) {
      const TRecordedOp& op = ops[k];
      const bool inside = op.Kind == TOpKind::TextOut ? box.Holds(op.P1.x, op.P1.y) : box.HoldsRect(op);
      if (!inside) continue;
      used[k] = true;
      if (op.Kind == TOpKind::FillRect && op.BrushColor == 0) bars.push_back(op);
    }
    ASSERT_EQ(bars.size(), 10u * 5u);  // five bars a character
    std::sort(bars.begin(), bars.end(), [](const auto& a, const auto& c) { return a.Left() < c.Left(); });
    for (const TRecordedOp& bar : bars) {
      const int w = bar.Right() - bar.Left();
      ASSERT_TRUE(w == b.narrow || w == b.wide) << "bar of " << w << " dots";
      ASSERT_GE((bar.Bottom() - bar.Top()) * 25.4 / dpi, 11.1) << "bar of " << bar.Bottom() - bar.Top() << " dots";
      ASSERT_EQ(bar.Top(), bars[0].Top());
      ASSERT_EQ(bar.Bottom(), bars[0].Bottom());
    }
    EXPECT_EQ(ReadBars(bars, b.narrow, b.wide), "*" + text + "*");
    const TBox left{bars.front().Left() - quiet, bars.front().Top(), bars.front().Left(), bars.front().Bottom()};
    const TBox right{bars.back().Right(), bars.front().Top(), bars.back().Right() + quiet, bars.front().Bottom()};
    EXPECT_GE(left.left, box.left) << "quiet zone cut by the label's edge";
    EXPECT_LE(right.right, box.right) << "quiet zone cut by the label's edge";
    for (const TRecordedOp& op : ops) {
      if (op.Kind == TOpKind::TextOut) {
        EXPECT_FALSE(left.Holds(op.P1.x, op.P1.y) || right.Holds(op.P1.x, op.P1.y)) << "text in a quiet zone";
      } else {
        EXPECT_FALSE(left.Meets(op) || right.Meets(op)) << "drawn in a quiet zone at " << op.Left() << "," << op.Top();
      }
    }
  }
  for (std::size_t k = 0; k < ops.size(); ++k)
    EXPECT_TRUE(used[k]) << "operation " << k << " outside every label of page " << page + 1;
  EXPECT_GT(labels, 0);
}

TEST(LtoSheet, EveryTemplateAtEveryResolutionKeepsTheSymbolRules) {
  struct Row {
    const char* templ;
    std::vector<int> dpis;
  };
  const Row rows[] = {
      {"lto-a4-2x15", {300, 600}},         {"lto-letter-2x15", {300, 600}}, {"lto-a4-3x17", {300, 600}},
      {"lto-roll-79x17", {203, 300, 600}}, {"dlt-a4-3x10", {300, 600}},
  };
  for (const Row& r : rows)
    for (int dpi : r.dpis) {
      SCOPED_TRACE(std::string(r.templ) + " at " + std::to_string(dpi) + " dpi");
      const TLtoRun run = MakeRun(r.templ, "QX7040", BuiltIn(r.templ).LabelsPerPage() + 2, "LY");
      TPagesJob job(dpi);
      ASSERT_EQ(PrintLtoRun(run, job), TSheetResult::Printed);
      const std::size_t pages = run.sheet.LabelsPerPage() == 1 ? 3u : 2u;
      ASSERT_EQ(job.pages.size(), pages);
      ASSERT_EQ(run.Pages(), static_cast<int>(pages));
      for (std::size_t p = 0; p < pages; ++p) CheckPage(job.pages[p], run, static_cast<int>(p), dpi);
    }
}

TEST(LtoSheet, StartLabelLeavesTheFirstPlacesEmpty) {
  TLtoRun run = MakeRun("lto-a4-2x15", "ABC100", 35);
  run.startLabel = 5;
  EXPECT_EQ(run.Pages(), 2);  // 4 empty + 26 on the first page, 9 on the second
  TPagesJob job(300);
  PrintLtoRun(run, job);
  ASSERT_EQ(job.pages.size(), 2u);
  for (int page = 0; page < 2; ++page) CheckPage(job.pages[static_cast<std::size_t>(page)], run, page, 300);
  const auto textsIn = [&](const std::vector<TRecordedOp>& ops, int place) {
    const TBox box = LabelBox(run.sheet.labels[static_cast<std::size_t>(place)], 300);
    std::string s;
    for (const auto& op : ops)
      if (op.Kind == TOpKind::TextOut && box.Holds(op.P1.x, op.P1.y)) s += op.Text;
    return s;
  };
  for (int place = 0; place < 4; ++place) EXPECT_EQ(textsIn(job.pages[0], place), "") << place;
  EXPECT_EQ(textsIn(job.pages[0], 4), "ABC100L8");
  EXPECT_EQ(textsIn(job.pages[1], 0), "ABC126L8");
  EXPECT_EQ(textsIn(job.pages[1], 8), "ABC134L8");
  EXPECT_EQ(textsIn(job.pages[1], 9), "");

  run.startLabel = 31;
  EXPECT_NE(LtoRunProblem(run)->find("start label must be from 1 to 30"), std::string::npos);
}

TEST(LtoSheet, CellColorsFollowThePalette) {
  struct Row {
    const char* palette;
    std::vector<std::uint32_t> cells;  // #RRGGBB of the six volser cells and the media ID's
  };
  const Row rows[] = {
      {"lto", {0xFFFFFF, 0xFAE54A, 0xFFFFFF, 0x9AC653, 0xFFFFFF, 0x705A81, 0xFFFFFF}},
      {"TAB OCR", {0xFFFFFF, 0xD01727, 0xFFFFFF, 0xFCAA09, 0xFFFFFF, 0xA73C1C, 0xFFFFFF}},
      {"none", {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.palette);
    const TLtoRun run = MakeRun("lto-roll-79x17", "A1B2C9", 1, "CU", r.palette);
    TPagesJob job(300);
    PrintLtoRun(run, job);
    std::vector<std::uint32_t> cells;
    std::string texts;
    for (const auto& op : job.pages.at(0)) {
      if (op.Kind == TOpKind::Rectangle) cells.push_back(RgbFromColor(op.BrushColor));
      if (op.Kind == TOpKind::TextOut) {
        texts += op.Text;
        EXPECT_TRUE(op.Font.Bold);
      }
    }
    EXPECT_EQ(cells, r.cells);
    EXPECT_EQ(texts, "A1B2C9CU");
  }
  EXPECT_NE(FindLtoPalette("tab-ocr"), nullptr);
  EXPECT_EQ(FindLtoPalette("neon"), nullptr);
  EXPECT_EQ(LtoPalettes().size(), 8u);  // LTO, the six schemes, no colour
}

// A run of several pages is one document: a printer gets one job, a preview every page.
TEST(LtoSheet, ARunOfSeveralPagesIsOneDocument) {
  class TCountingJob : public TPagesJob {
   public:
    using TPagesJob::TPagesJob;
    void BeginDoc() override {
      ++begun;
      TPagesJob::BeginDoc();
    }
    void NewPage() override {
      ++newPages;
      EndPage();
      TPagesJob::BeginDoc();
    }
    void EndDoc() override {
      ++ended;
      EndPage();
    }
    void EndPage() { TPagesJob::EndDoc(); }
    int begun = 0, newPages = 0, ended = 0;
  };
  const TLtoRun run = MakeRun("lto-a4-2x15", "ABC100", 75);
  TCountingJob job(300);
  ASSERT_EQ(PrintLtoRun(run, job), TSheetResult::Printed);
  EXPECT_EQ(job.begun, 1);
  EXPECT_EQ(job.newPages, 2);
  EXPECT_EQ(job.ended, 1);
  ASSERT_EQ(job.pages.size(), 3u);
  for (int page = 0; page < 3; ++page) CheckPage(job.pages[static_cast<std::size_t>(page)], run, page, 300);
}

TEST(LtoSheet, RefusalsComeBeforeAnythingIsDrawn) {
  TLtoRun tooNarrow = MakeRun("lto-roll-79x17", "ABC100", 1);
  tooNarrow.sheet.page = {Mm(40), Mm(17)};
  tooNarrow.sheet.labels = {{Mm(0), Mm(0), Mm(40), Mm(17)}};
  TLtoRun tooLow = MakeRun("lto-roll-79x17", "ABC100", 1);
  tooLow.sheet.page = {Mm(79), Mm(15)};
  tooLow.sheet.labels = {{Mm(0), Mm(0), Mm(79), Mm(15)}};
  TLtoRun badMedia = MakeRun("lto-roll-79x17", "ABC100", 1);
  badMedia.mediaId = "L";
  const std::pair<const TLtoRun*, const char*> rows[] = {
      {&tooNarrow, "At 300 dpi a label of 40 x 17 mm cannot hold the LTO barcode"},
      {&tooLow, "At 300 dpi a label of 79 x 15 mm cannot hold the LTO barcode: its bars would be less than 11.1 mm"},
      {&badMedia, "The media ID \"L\""},
  };
  for (const auto& [run, says] : rows) {
    SCOPED_TRACE(says);
    TPagesJob job(300);
    try {
      PrintLtoRun(*run, job);
      ADD_FAILURE() << "printed";
    } catch (const ELtoRefused& e) {
      EXPECT_NE(std::string(e.what()).find(says), std::string::npos) << e.what();
    }
    EXPECT_TRUE(job.pages.empty());
  }
  // Refused at the printer's resolution once the document has begun: it is dropped.
  TPagesJob job(300);
  EXPECT_THROW(PrintLtoRun(tooNarrow, job), ELtoRefused);
  EXPECT_EQ(job.aborted, 1);
  // Narrow bars of 0.254 mm are the floor at any resolution: 600 dpi does not help.
  EXPECT_FALSE(PlanLtoBars(kLtoLabelLayout, 600, 600, tooNarrow.sheet.labels).bars);
  EXPECT_TRUE(PlanLtoBars(kLtoLabelLayout, 600, 600, BuiltIn("lto-a4-3x17").labels).bars);
}

TEST(LtoCode39, ElementsFromTheEngineWithoutCheckCharacter) {
  const std::vector<bool> e = LtoCode39Elements("ABC100L8");
  ASSERT_EQ(e.size(), 10u * 9u);  // start, eight characters, stop: no check character
  std::string start;
  for (int i = 0; i < 9; ++i) start += e[static_cast<std::size_t>(i)] ? '1' : '0';
  EXPECT_EQ(start, "010010100");  // '*'
  int wide = 0;
  for (bool w : e) wide += w;
  EXPECT_EQ(wide, 30);  // three wide elements in every Code 39 character
}

}  // namespace
}  // namespace vantor
