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

#include "printing/qt/PrintCli.h"
#include "support/ScratchDataHome.h"

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
    std::string message;
  };
  const Row rows[] = {
      {"bad volser", {"--serial", "ABC10"}, 1, "The volser \"ABC10\" has 5 characters; it needs six"},
      {"volser with a dash", {"--serial", "AB-100"}, 1, "holds \"-\" at position 3"},
      {"carry",
       {"--serial", "ABC990", "--count", "30"},
       1,
       "A run of 30 labels from ABC990 would need volsers past ABC999. The last first volser that still fits is "
       "ABC970."},
      {"carry of a whole sheet", {"--serial", "ABC980"}, 1, "still fits is ABC970."},
      {"last before first", {"--serial", "ABC100", "--last", "ABC099"}, 1, "comes before the first"},
      {"last with another prefix", {"--serial", "ABC100", "--last", "ABD200"}, 1, "does not follow"},
      {"label too small",
       {"--serial", "ABC100", "--template", "small"},
       1,
       "At 600 dpi a label of 40 x 17 mm cannot hold the LTO barcode"},
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
      {"no serial", {}, 2, "--lto needs --serial"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::string> args = base;
    args.insert(args.end(), r.args.begin(), r.args.end());
    const CliResult res = Cli(args);
    EXPECT_EQ(res.status, r.status);
    EXPECT_NE(res.err.find(r.message), std::string::npos) << res.err;
    EXPECT_EQ(std::count(res.err.begin(), res.err.end(), '\n'), 1) << res.err;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf))) << "nothing written";
  }
  const std::pair<std::vector<std::string>, std::string> more[] = {
      {{"--lto", "--print-pdf", pdf, "--media-id", "L", "--serial", "ABC100"}, "unknown media ID 'L'"},
      {{"--lto", "--print-pdf", pdf, "--media-id", "L-", "--serial", "ABC100"}, "unknown media ID 'L-'"},
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

}  // namespace
}  // namespace vantor
