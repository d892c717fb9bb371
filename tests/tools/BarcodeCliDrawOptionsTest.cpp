// vantor-barcode's command line in-process: options reach the parameters
// through the property checks, exit status 1 for refused data or values, 2 for
// a bad command line; --modules keeps its output.
#include <gtest/gtest.h>

#include <sstream>

#include "barcode/BarLL.h"
#include "tools/qt/BarcodeCommandLine.h"

namespace vantor {
namespace {

// Keeps what it was asked to write instead of writing it.
class FakeExporter : public TImageExporter {
 public:
  std::string Write(TLLBarcode& bc, const std::string& toPath, TImageFormat toFormat, int atDpi) override {
    ++calls;
    format = toFormat;
    params = bc.Params;
    path = toPath;
    dpi = atDpi;
    return answer;
  }
  int calls = 0;
  TBarcodeParams params;
  std::string path;
  TImageFormat format = TImageFormat::Png;
  int dpi = 0;
  std::string answer;
};

struct CliRun {
  int status;
  std::string out, err;
};

CliRun Cli(std::vector<std::string> args, TImageExporter* exporter = nullptr) {
  std::ostringstream out, err;
  const int status = RunBarcodeCli(args, out, err, exporter);
  return {status, out.str(), err.str()};
}

TEST(BarcodeCli, ModulesListingStillWorks) {
  const CliRun r = Cli({"--type", "CODE39", "--data", "000000D", "--ratio", "2", "--modules"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  std::string code, modules;
  std::getline(lines, code);
  std::getline(lines, modules);
  EXPECT_EQ(code, "*000000D*");
  EXPECT_EQ(modules.size(), 117u);
  EXPECT_EQ(modules.substr(0, 1), "1");
  EXPECT_EQ(modules.back(), '0');
}

TEST(BarcodeCli, DrawingOptionsReachTheParameters) {
  FakeExporter fake;
  const CliRun r = Cli({"--type",         "EAN_13",    "--data",       "590123412345", "--addon",  "a1b2",
                        "--out",          "x.PNG",     "--dpi",        "600",          "--module", "sc7",
                        "--height",       "20",        "--rotate",     "270",          "--zoom",   "--width-reduce",
                        "--high-density", "--no-text", "--font-scale", "200",          "--ratio",  "2"},
                       &fake);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");  // --out alone prints nothing
  ASSERT_EQ(fake.calls, 1);
  EXPECT_EQ(fake.path, "x.PNG");
  EXPECT_EQ(fake.format, TImageFormat::Png);
  EXPECT_EQ(fake.dpi, 600);
  EXPECT_EQ(fake.params.CodeType, EAN_13);
  EXPECT_STREQ(fake.params.CodeAddon, "12");
  EXPECT_EQ(fake.params.ModuleWidth, SC7);
  EXPECT_EQ(fake.params.HeightPercent, 20);
  EXPECT_EQ(fake.params.Rotation, rotate_270);
  EXPECT_TRUE(fake.params.ZoomSize);
  EXPECT_TRUE(fake.params.WidthReduce);
  EXPECT_TRUE(fake.params.HighDensity);
  EXPECT_FALSE(fake.params.HumanReadable);
  EXPECT_EQ(fake.params.Fontscaling, 200);
  EXPECT_EQ(fake.params.Ratio, Ratio_2);
}

TEST(BarcodeCli, Defaults) {
  FakeExporter fake;
  const CliRun r = Cli({"--type", "CODE39", "--data", "A", "--out", "a.svg"}, &fake);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(fake.format, TImageFormat::Svg);
  EXPECT_EQ(fake.dpi, 300);
  EXPECT_EQ(fake.params.ModuleWidth, SC2);
  EXPECT_EQ(fake.params.HeightPercent, 100);
  EXPECT_EQ(fake.params.Fontscaling, 100);
  EXPECT_EQ(fake.params.Rotation, rotate_000);
  EXPECT_TRUE(fake.params.HumanReadable);
  EXPECT_FALSE(fake.params.ZoomSize);
}

TEST(BarcodeCli, ModulesAndOutTogether) {
  FakeExporter fake;
  // UPC-E's drawing cuts the code text to six digits; the listing is taken before.
  const CliRun r = Cli({"--type", "UPC_E", "--data", "123456", "--modules", "--out", "u.pdf"}, &fake);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(fake.format, TImageFormat::Pdf);
  EXPECT_EQ(fake.calls, 1);
  EXPECT_EQ(r.out.substr(0, 8), "1234565\n");
}

TEST(BarcodeCli, ExitStatusAndMessages) {
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string message;  // part of stderr
  };
  const std::vector<Row> rows = {
      {{"--height", "19"}, 2, "--height must be between 20 and 200, not 19"},
      {{"--height", "201"}, 2, "--height must be between 20 and 200, not 201"},
      {{"--font-scale", "19"}, 2, "--font-scale must be between 20 and 200, not 19"},
      {{"--font-scale", "201"}, 2, "--font-scale must be between 20 and 200, not 201"},
      {{"--module", "SC10"}, 2, "--module takes SC0 .. SC9, not 'SC10'"},
      {{"--module", "10"}, 2, "--module takes SC0 .. SC9"},
      {{"--module", "SCx"}, 2, "--module takes SC0 .. SC9"},
      {{"--rotate", "45"}, 2, "--rotate takes 0, 90, 180 or 270"},
      {{"--height", "tall"}, 2, "--height needs a whole number"},
      {{"--dpi", "0"}, 2, "--dpi must be between 1 and 2400"},
      {{"--dpi", "2401"}, 2, "--dpi must be between 1 and 2400"},
      {{"--dpi", "3e2"}, 2, "--dpi needs a whole number"},
      {{"--colour", "red"}, 2, "unknown option '--colour'"},
      {{"--dpi"}, 2, "option --dpi needs a value"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> args = {"--type", "CODE39", "--data", "A", "--out", "a.png"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    FakeExporter fake;
    const CliRun r = Cli(args, &fake);
    EXPECT_EQ(r.status, row.status) << row.args[0];
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    EXPECT_EQ(fake.calls, 0) << "nothing written after " << row.args[0];
  }
}

TEST(BarcodeCli, OutputFileChecks) {
  FakeExporter fake;
  CliRun r = Cli({"--type", "CODE39", "--data", "A", "--out", "a.jpg"}, &fake);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(".png, .svg or .pdf"), std::string::npos);
  r = Cli({"--type", "CODE39", "--data", "A", "--out", ".png"}, &fake);
  EXPECT_EQ(r.status, 2);
  r = Cli({"--type", "CODE39", "--data", "A", "--out", "a.png"});  // no exporter in this build
  EXPECT_EQ(r.status, 2);
  r = Cli({"--type", "CODE39", "--data", "A"}, &fake);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("nothing to do"), std::string::npos);
  EXPECT_EQ(fake.calls, 0);

  fake.answer = "cannot write /x/a.png: No such file or directory";
  r = Cli({"--type", "CODE39", "--data", "A", "--out", "/x/a.png"}, &fake);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write /x/a.png"), std::string::npos);
}

TEST(BarcodeCli, EngineRefusalWritesNothing) {
  FakeExporter fake;
  CliRun r = Cli({"--type", "CODE128_B", "--data", "tab\there", "--out", "a.png"}, &fake);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "vantor-barcode: CODE128_B cannot encode \"\\x09\"; Code 128 takes only the bytes 32 to 138 (printable "
            "ASCII and its own control bytes)\n");
  r = Cli({"--type", "CODE39", "--data", std::string(51, 'A'), "--out", "a.png"}, &fake);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "vantor-barcode: --data holds 51 characters; at most 50 fit; see vantor-barcode --help\n");
  EXPECT_EQ(fake.calls, 0);
}

}  // namespace
}  // namespace vantor
