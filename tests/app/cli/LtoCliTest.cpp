// The LTO command line: what it prints, what it refuses and with which exit
// status, and that a refusal writes nothing.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/cli/PrintCli.h"
#include "lto/Volser.h"
#include "printing/HeadlessRun.h"
#include "support/ScratchDataHome.h"
#include "surface/Units.h"
#include "templates/SheetTemplate.h"

namespace vantor {
namespace {

struct CliResult {
  int status;
  std::string out, err;
};

// Each run with an empty journal of its own.
CliResult Cli(const std::vector<std::string>& args) {
  const test::TScratchDataHome data;
  std::ostringstream out, err;
  const int status = RunPrintCli(args, out, err);
  return {status, out.str(), err.str()};
}

// The user's configuration folder pointed at a scratch folder for one test.
class LtoCli : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
    setenv("XDG_CONFIG_HOME", dir_.path().toStdString().c_str(), 1);
  }
  void TearDown() override {
    if (saved_)
      setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }
  void WriteTemplate(const std::string& name, const std::string& text) {
    const std::string folder = dir_.path().toStdString() + "/vantor/templates";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/" + name + ".json") << text;
  }
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  QTemporaryDir dir_;
  std::optional<std::string> saved_;
};

std::string Grid(double labelWidth, double labelHeight) {
  return R"({"page": {"width_mm": 100, "height_mm": 50}, "label": {"width_mm": )" + std::to_string(labelWidth) +
         R"(, "height_mm": )" + std::to_string(labelHeight) +
         R"(}, "rows": 1, "columns": 1, "margins": {"left_mm": 0, "top_mm": 0},
            "pitch": {"across_mm": 100, "down_mm": 50}, "fill_order": "rows"})";
}

TEST_F(LtoCli, RefusalsAndTheirExitStatus) {
  WriteTemplate("small", Grid(40, 17));
  WriteTemplate("broken", R"({"page": {"width_mm": 100}})");
  const std::string pdf = Path("x.pdf");
  const std::vector<std::string> base = {"--lto", "--print-pdf", pdf, "--media-id", "L8"};
  struct Row {
    const char* name;
    std::vector<std::string> args;  // after `base`
    int status;
    std::string message;  // empty: worded where the message is made, or in CliMessageTest
  };
  const Row rows[] = {
      {"bad volser", {"--serial", "ABC10"}, 1, "vantor: the volser \"ABC10\" has 5 characters; it needs six"},
      {"volser with a dash", {"--serial", "AB-100"}, 1, "holds \"-\" at position 3"},
      {"carry", {"--serial", "ABC990", "--count", "30"}, 1, ""},  // worded in CliMessages.EachRefusalIsOneExactLine
      {"carry of a whole sheet", {"--serial", "ABC980"}, 1, "still fits is ABC970."},
      {"last before first", {"--serial", "ABC100", "--last", "ABC099"}, 1, "comes before the first"},
      {"last with another prefix", {"--serial", "ABC100", "--last", "ABD200"}, 1, "does not follow"},
      {"label too small",
       {"--serial", "ABC100", "--template", "small"},
       1,
       "vantor: at 600 dpi a label of 40 x 17 mm cannot hold the LTO barcode"},
      {"unknown template",
       {"--serial", "ABC100", "--template", "nope"},
       2,
       "unknown template 'nope'; see vantor --list-templates"},
      {"broken template",
       {"--serial", "ABC100", "--template", "broken"},
       2,
       "template 'broken' is refused: " + Path("vantor/templates/broken.json") + ": \"page.height_mm\" is missing"},
      {"unknown palette", {"--serial", "ABC100", "--palette", "neon"}, 2, "unknown palette 'neon'"},
      {"count and last", {"--serial", "ABC100", "--count", "2", "--last", "ABC101"}, 2, "not both"},
      {"palette and no colour", {"--serial", "ABC100", "--palette", "lto", "--no-colour"}, 2, "not both"},
      {"count zero", {"--serial", "ABC100", "--count", "0"}, 2, "--count must be a number from 1 to 1000000"},
      {"tape-label option", {"--serial", "ABC100", "--sheets", "2"}, 2, "--sheets does not go with --lto"},
      {"start label past the template",
       {"--serial", "ABC100", "--start-label", "31"},
       2,
       "the start label must be from 1 to 30 on lto-a4-2x15, not 31"},
      {"start label on a roll",
       {"--serial", "ABC100", "--template", "lto-roll-79x17", "--start-label", "2"},
       2,
       "the start label must be from 1 to 1 on lto-roll-79x17, not 2"},
      {"start label not a number",
       {"--serial", "ABC100", "--start-label", "x"},
       2,
       "--start-label must be a number from 1 to the template's labels a page, not 'x'"},
      {"offset too far",
       {"--serial", "ABC100", "--offset-x", "25"},
       2,
       "--offset-x must be a number of millimetres from -20 to 20, not '25'"},
      {"scale too large", {"--serial", "ABC100", "--scale-y", "1.2"}, 2, "--scale-y must be a number from 0.9 to 1.1"},
      {"calibration page on a roll",
       {"--calibration-page", "--template", "lto-roll-79x17"},
       1,
       "vantor: the calibration page needs a page of at least 150 x 210 mm; lto-roll-79x17 is 79 x 17 mm\n"},
      {"no serial", {}, 2, "--lto needs --serial"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::string> args = base;
    args.insert(args.end(), r.args.begin(), r.args.end());
    const CliResult res = Cli(args);
    EXPECT_EQ(res.status, r.status);
    if (!r.message.empty()) {
      EXPECT_NE(res.err.find(r.message), std::string::npos) << res.err;
    }
    EXPECT_EQ(std::count(res.err.begin(), res.err.end(), '\n'), 1) << res.err;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf))) << "nothing written";
  }
  const std::pair<std::vector<std::string>, std::string> more[] = {
      {{"--lto", "--print-pdf", pdf, "--media-id", "L", "--serial", "ABC100"}, "the media ID \"L\" has 1 characters"},
      {{"--lto", "--print-pdf", pdf, "--media-id", "L-", "--serial", "ABC100"}, "the media ID \"L-\" holds \"-\""},
      {{"--lto", "--print-pdf", pdf, "--serial", "ABC100"}, "--lto needs --media-id"},
      {{"--print-pdf", pdf, "--media-id", "L8"}, "--media-id needs --lto"},
      {{"--lto", "--media-id", "L8", "--serial", "ABC100"}, "give exactly one of"},
      {{"--list-templates", "--lto"}, "go alone"},
  };
  for (const auto& [args, message] : more) {
    SCOPED_TRACE(message);
    const CliResult res = Cli(args);
    EXPECT_EQ(res.status, 2);
    EXPECT_NE(res.err.find(message), std::string::npos) << res.err;
  }
}

TEST_F(LtoCli, TraceOfARunAcrossPages) {
  const std::string trace = Path("t.txt");
  // Typed in lower case, taken as the volser field takes it.
  const CliResult res =
      Cli({"--lto", "--media-id", "lx", "--serial", "tape01", "--last", "TAPE33", "--print-trace", trace});
  ASSERT_EQ(res.status, 0) << res.err;
  std::ifstream in(trace);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(text.find("page 2\n"), std::string::npos);
  EXPECT_EQ(text.find("page 3\n"), std::string::npos);
  // 33 labels of ten Code 39 characters, five bars each; cells, not bars, are outlined.
  std::size_t fills = 0, pos = 0;
  while ((pos = text.find("\nfill ", pos)) != std::string::npos) ++fills, ++pos;
  EXPECT_EQ(fills, 33u * 10u * 5u);
  std::size_t media = 0;
  for (pos = 0; (pos = text.find("text ", pos)) != std::string::npos; ++pos)
    media += text.compare(text.find('"', pos), 4, "\"LX\"") == 0;
  EXPECT_EQ(media, 33u);   // the media ID cell of every label, upper-cased
  EXPECT_EQ(res.out, "");  // a trace says nothing on stdout
}

TEST_F(LtoCli, ListAndDescribeTemplates) {
  WriteTemplate("my-stock", Grid(79, 17));
  WriteTemplate("zz-broken", "[1, 2");
  CliResult list = Cli({"--list-templates"});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "lto-a4-2x15\nlto-letter-2x15\nlto-a4-3x17\nlto-roll-79x17\ndlt-a4-3x10\nmy-stock\n");
  EXPECT_NE(list.err.find("zz-broken.json: not JSON"), std::string::npos) << list.err;

  const CliResult described = Cli({"--describe-template", "my-stock"});
  ASSERT_EQ(described.status, 0) << described.err;
  const nlohmann::json j = nlohmann::json::parse(described.out);
  EXPECT_EQ(j["name"], "my-stock");
  EXPECT_EQ(j["page"]["width_mm"], 100);
  ASSERT_EQ(j["labels"].size(), 1u);
  EXPECT_EQ(j["labels"][0]["width_mm"], 79);

  const CliResult unknown = Cli({"--describe-template", "nope"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown template 'nope'"), std::string::npos);
}

// One drawing operation of a trace: its kind, its coordinates and the rest
// of its line.
struct TTraceOp {
  std::string kind;
  std::vector<int> xy;  // x, y, x, y, ...
  std::string rest;
};

std::vector<std::vector<TTraceOp>> ReadTrace(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<TTraceOp>> pages;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    TTraceOp op;
    words >> op.kind;
    if (op.kind == "page") {
      pages.emplace_back();
      continue;
    }
    const int numbers = op.kind == "text" ? 2 : op.kind == "poly" ? 1000 : 4;
    std::string word;
    std::streampos at = words.tellg();
    for (int i = 0; i < numbers && words >> word; ++i) {
      if (word.find_first_not_of("-0123456789") != std::string::npos) {
        words.seekg(at);
        break;
      }
      op.xy.push_back(std::stoi(word));
      at = words.tellg();
    }
    std::getline(words, op.rest);
    if (pages.empty())
      ADD_FAILURE() << "an operation before the first page: " << line;
    else
      pages.back().push_back(op);
  }
  return pages;
}

const TSheetTemplate& BuiltIn(const std::string& name) {
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == name) return t;
  throw std::runtime_error("no template " + name);
}

// The place (0-based, fill order) whose rectangle holds the point, or -1.
int PlaceOf(const TSheetTemplate& t, int dpi, int x, int y) {
  const TDots d = TDots::FromDpi(dpi, dpi);
  for (std::size_t i = 0; i < t.labels.size(); ++i) {
    const TLabelRect& r = t.labels[i];
    if (x >= d.X(r.x) && x < d.X(r.x + r.width) && y >= d.Y(r.y) && y < d.Y(r.y + r.height)) return static_cast<int>(i);
  }
  return -1;
}

// With a start label K: the labels before K hold nothing, the first volser is
// on label K in the template's fill order, and without a count the run fills
// the rest of the sheet.
TEST_F(LtoCli, StartLabelLeavesTheLabelsBeforeItEmpty) {
  struct Row {
    const char* templ;
    int startLabel;
    int dpi;
  };
  const Row rows[] = {
      {"lto-a4-2x15", 13, 300}, {"lto-a4-2x15", 2, 600},  {"lto-letter-2x15", 30, 300},
      {"lto-a4-3x17", 40, 300}, {"dlt-a4-3x10", 17, 600}, {"lto-roll-79x17", 1, 203},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.templ) + " from label " + std::to_string(r.startLabel));
    const TSheetTemplate& t = BuiltIn(r.templ);
    const std::string trace = Path("start.trace");
    const CliResult res =
        Cli({"--lto", "--media-id", "LW", "--serial", "QA0100", "--template", r.templ, "--start-label",
             std::to_string(r.startLabel), "--dpi", std::to_string(r.dpi), "--print-trace", trace});
    ASSERT_EQ(res.status, 0) << res.err;
    const auto pages = ReadTrace(trace);
    ASSERT_EQ(pages.size(), 1u) << "the rest of one sheet";
    std::vector<std::string> texts(t.labels.size());
    for (const TTraceOp& op : pages[0]) {
      ASSERT_GE(op.xy.size(), 2u);
      const int place = PlaceOf(t, r.dpi, op.xy[0], op.xy[1]);
      ASSERT_GE(place, r.startLabel - 1) << op.kind << " at " << op.xy[0] << "," << op.xy[1] << " before label "
                                         << r.startLabel;
      if (op.kind == "text") {
        const std::size_t open = op.rest.find('"'), close = op.rest.find('"', open + 1);
        texts[static_cast<std::size_t>(place)] += op.rest.substr(open + 1, close - open - 1);
      }
    }
    EXPECT_EQ(texts[static_cast<std::size_t>(r.startLabel - 1)], "QA0100LW");
    EXPECT_EQ(texts.back(), "QA0" + std::to_string(100 + t.LabelsPerPage() - r.startLabel) + "LW");
  }
}

int Corrected(int v, double offsetMm, double scale, int dpi) { return RoundEven(offsetMm * dpi / 25.4 + scale * v); }

// With a calibration every coordinate of every page is the uncorrected one
// moved and stretched, rounded once; nothing else on the line changes.
TEST_F(LtoCli, CalibrationMovesEveryCoordinate) {
  const TCalibration calibrations[] = {{1.5, -2.25, 1, 1}, {0, 0, 1.013, 0.987}, {-20, 20, 0.9, 1.1}};
  for (const int dpi : {300, 600}) {
    const std::string plain = Path("plain.trace");
    const std::vector<std::string> base = {"--lto", "--media-id", "L9", "--serial", "CAL100",           "--start-label",
                                           "5",     "--count",    "40", "--dpi",    std::to_string(dpi)};
    std::vector<std::string> args = base;
    args.insert(args.end(), {"--print-trace", plain});
    ASSERT_EQ(Cli(args).status, 0);
    const auto expected = ReadTrace(plain);
    ASSERT_EQ(expected.size(), 2u);
    for (const TCalibration& c : calibrations) {
      SCOPED_TRACE(std::to_string(dpi) + " dpi, offset " + std::to_string(c.offsetXMm) + " scale " +
                   std::to_string(c.scaleX));
      const std::string moved = Path("moved.trace");
      args = base;
      args.insert(args.end(),
                  {"--offset-x", std::to_string(c.offsetXMm), "--offset-y", std::to_string(c.offsetYMm), "--scale-x",
                   std::to_string(c.scaleX), "--scale-y", std::to_string(c.scaleY), "--print-trace", moved});
      const CliResult res = Cli(args);
      ASSERT_EQ(res.status, 0) << res.err;
      const auto got = ReadTrace(moved);
      ASSERT_EQ(got.size(), expected.size());
      for (std::size_t p = 0; p < got.size(); ++p) {
        ASSERT_EQ(got[p].size(), expected[p].size());
        for (std::size_t i = 0; i < got[p].size(); ++i) {
          const TTraceOp& a = expected[p][i];
          const TTraceOp& b = got[p][i];
          ASSERT_EQ(b.kind, a.kind);
          ASSERT_EQ(b.rest, a.rest) << "page " << p + 1 << ", operation " << i;
          ASSERT_EQ(b.xy.size(), a.xy.size());
          for (std::size_t k = 0; k < a.xy.size(); ++k) {
            const bool x = k % 2 == 0;
            ASSERT_EQ(b.xy[k], Corrected(a.xy[k], x ? c.offsetXMm : c.offsetYMm, x ? c.scaleX : c.scaleY, dpi))
                << "page " << p + 1 << ", operation " << i << ", coordinate " << k;
          }
        }
      }
    }
  }
}

// The calibration page on the template's page, with no labels asked for.
TEST_F(LtoCli, CalibrationPageOnTheTemplatesPage) {
  const std::string trace = Path("calibration.trace");
  const CliResult res =
      Cli({"--lto", "--calibration-page", "--template", "lto-letter-2x15", "--dpi", "600", "--print-trace", trace});
  ASSERT_EQ(res.status, 0) << res.err;
  std::ifstream in(trace);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(text.rfind("page 1\n", 0), 0u);
  EXPECT_NE(text.find("rect 945 1417 3307 3780 pen=5 brush=none"), std::string::npos) << "the 100 mm square";
  EXPECT_EQ(text.find("page 2"), std::string::npos);

  const std::string pdf = Path("calibration.pdf");
  const CliResult toPdf = Cli({"--lto", "--calibration-page", "--print-pdf", pdf});
  ASSERT_EQ(toPdf.status, 0) << toPdf.err;
  EXPECT_EQ(toPdf.out, "Printed the calibration page to " + pdf + "\n");
}

}  // namespace
}  // namespace vantor
