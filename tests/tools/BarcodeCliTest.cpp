#include <gtest/gtest.h>

#include <sstream>

#include "tools/qt/BarcodeCommandLine.h"

namespace vantor {
namespace {

struct Result {
  int status;
  std::string out, err;
};

Result RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunBarcodeCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(BarcodeCli, PrintsCodeTextAndModules) {
  const Result r = RunCli({"--type", "CODE39", "--data", "000000D", "--ratio", "2", "--modules"});
  EXPECT_EQ(r.status, 0);
  std::istringstream lines(r.out);
  std::string codeText, modules;
  std::getline(lines, codeText);
  std::getline(lines, modules);
  EXPECT_EQ(codeText, "*000000D*");
  EXPECT_EQ(modules.size(), 117u);
  EXPECT_EQ(modules.find_first_not_of("01"), std::string::npos);
  EXPECT_TRUE(r.err.empty());
}

TEST(BarcodeCli, RatioDefaultsToThree) {
  const Result r = RunCli({"--type", "CODE39", "--data", "000000D", "--modules"});
  EXPECT_EQ(r.out.size(), std::string("*000000D*\n").size() + 144 + 1);
}

TEST(BarcodeCli, Code128MarkersArePrintedEscaped) {
  const Result r = RunCli({"--type", "CODE128_B", "--data", "AB12", "--modules"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "\\x88AB123\\x8A");
}

TEST(BarcodeCli, AddonFollowsTheControlsRule) {
  const Result r = RunCli({"--type", "EAN_13", "--data", "1", "--addon", "a1b2c3d4e5f6", "--modules"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.size(), std::string("1000000000009\n").size() + 152 + 1);
}

// The help's TYPE list is the engine's: every type, in order, each accepted.
TEST(BarcodeCli, HelpListsEveryCodeType) {
  const Result help = RunCli({"--help"});
  ASSERT_EQ(help.status, 0);
  // "--type <TYPE>  Barcode type: EAN_8, EAN_13, ..., Postnet_FIM." (wrapped)
  const std::string lead = "Barcode type:";
  const std::size_t from = help.out.find(lead);
  ASSERT_NE(from, std::string::npos);
  std::string text = help.out.substr(from + lead.size(), help.out.find(".\n", from) - from - lead.size());
  for (char& c : text)
    if (c == ',') c = ' ';
  std::istringstream list(text);
  std::vector<std::string> listed;
  for (std::string name; list >> name;) listed.push_back(name);
  const std::vector<std::string> all = {"EAN_8",       "EAN_13",   "UPC_A",     "UPC_E",      "CODE39",
                                        "CODE25i",     "CODE25iP", "CODE128_A", "CODE128_B",  "CODE128_C",
                                        "MSI_Plessey", "Codabar",  "Postnet",   "Postnet_FIM"};
  EXPECT_EQ(listed, all);
  for (const std::string& name : listed)
    EXPECT_EQ(RunCli({"--type", name, "--data", "1", "--modules"}).status, 0) << name;
}

TEST(BarcodeCli, Refusals) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Row rows[] = {
      {"unknown type", {"--type", "QR", "--data", "1", "--modules"}, 2, "unknown barcode type 'QR'"},
      {"unknown option", {"--type", "CODE39", "--data", "1", "--colour", "--modules"}, 2, "unknown option '--colour'"},
      {"missing value", {"--type", "CODE39", "--data"}, 2, "option --data needs a value"},
      {"missing data", {"--type", "CODE39", "--modules"}, 2, "--type and --data are required"},
      {"bad ratio", {"--type", "CODE39", "--data", "1", "--ratio", "4", "--modules"}, 2, "--ratio must be 2 or 3"},
      {"caption too long",
       {"--type", "CODE39", "--data", std::string(51, 'A'), "--modules"},
       1,
       "String exceeds maximum length"},
      {"Code 128 tab", {"--type", "CODE128_B", "--data", "A\tB", "--modules"}, 1, "ZurizID: Code128 error"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const Result res = RunCli(r.args);
    EXPECT_EQ(res.status, r.status);
    EXPECT_NE(res.err.find(r.message), std::string::npos) << res.err;
    EXPECT_TRUE(res.out.empty());
  }
}

// Characters a type cannot encode as typed are named on stderr, the run still
// succeeds; the code text shows what the engine made of them.
TEST(BarcodeCli, NamesTheCharactersTheEngineReplacedOrDropped) {
  struct Row {
    const char* name;
    btCodeTypes type;
    std::string data;
    std::string err;       // whole stderr
    const char* codeText;  // the listing's first line; nullptr: not checked
  };
  const Row rows[] = {
      {"Code 39 lower case", CODE39, "hello",
       "vantor-barcode: CODE39 cannot encode \"h\", \"e\", \"l\", \"o\"; they were replaced by \"0\"\n", "*00000*"},
      {"Code 39 all valid", CODE39, "AB-12 $", "", "*AB-12 $*"},
      {"Code 39 quote and backslash", CODE39, "A\"\\",
       "vantor-barcode: CODE39 cannot encode \"\\\"\", \"\\\\\"; they were replaced by \"0\"\n", "*A00*"},
      {"EAN-13 one letter", EAN_13, "12a4", "vantor-barcode: EAN_13 cannot encode \"a\"; it was replaced by \"0\"\n",
       "1204000000001"},
      {"EAN-8 two-byte character", EAN_8,
       "1\xC3\xB6"
       "2",
       "vantor-barcode: EAN_8 cannot encode \"\xC3\xB6\"; it was replaced by \"0\", one for each byte\n", "10020005"},
      {"byte that is no UTF-8", CODE25i, "12\xF6",
       "vantor-barcode: CODE25i cannot encode \"\\xF6\"; it was replaced by \"0\"\n", nullptr},
      {"Postnet", Postnet, "123-4", "vantor-barcode: Postnet cannot encode \"-\"; it was replaced by \"0\"\n", nullptr},
      {"FIM takes letters only", Postnet_FIM, "A1",
       "vantor-barcode: Postnet_FIM cannot encode \"1\"; it was replaced by \"0\"\n", nullptr},
      {"Codabar drops", Codabar, "1x2!x", "vantor-barcode: Codabar cannot encode \"x\", \"!\"; they were dropped\n",
       "A12A"},
      {"Codabar start and stop in any case", Codabar, "a12b", "", "A12B"},
      {"Codabar start letter inside", Codabar, "?B1",
       "vantor-barcode: Codabar takes \"B\" only as the first or last character; it was replaced by \"0\"\n"
       "vantor-barcode: Codabar cannot encode \"?\"; it was dropped\n",
       "A01A"},
      {"Code 128 C letter", CODE128_C, "12A4",
       "vantor-barcode: CODE128_C cannot encode \"A\"; it was replaced by \"0\"\n", nullptr},
      {"Code 128 A lower case as control characters", CODE128_A, "Hi~",
       "vantor-barcode: CODE128_A cannot encode \"i\", \"~\"; they were replaced by \"\\x09\", \"\\x1E\" "
       "respectively\n",
       nullptr},
      {"Code 128 A switched to B by its marker byte", CODE128_A,
       "A\x84"
       "b",
       "", nullptr},
      {"Code 128 B", CODE128_B, "Hi~", "", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TBarcodeOptions o;
    o.type = row.type;
    o.data = row.data;
    o.modules = true;
    std::ostringstream out, err;
    ASSERT_EQ(RunBarcode(o, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), row.err);
    if (row.codeText) {
      EXPECT_EQ(out.str().substr(0, out.str().find('\n')), row.codeText);
    }
  }
}

// One line naming the problem and where help is, never the whole usage.
TEST(BarcodeCli, CommandLineErrorsAreOneLine) {
  struct Row {
    std::vector<std::string> args;
    std::string problem;
  };
  const Row rows[] = {
      {{"--foo"}, "unknown option '--foo'"},
      {{"--type", "CODE39", "--data", "1", "--modules", "--foo", "--bar"}, "unknown options '--foo', '--bar'"},
      {{"--type", "CODE39", "--data", "1", "--modules", "-colour"}, "unknown option '-colour'"},
      {{"--type", "CODE39", "--data"}, "option --data needs a value"},
      {{"--type", "CODE39", "--data", "1", "--modules=yes"}, "option --modules takes no value"},
      {{"--type", "CODE39", "--data", "1", "--modules", "stray"}, "unexpected argument 'stray'"},
      {{"--type", "QR", "--data", "1", "--modules"}, "unknown barcode type 'QR'"},
      {{"--type", "CODE39", "--data", "1"}, "nothing to do; give --modules or --out FILE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.problem);
    const Result r = RunCli(row.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "vantor-barcode: " + row.problem + "; see vantor-barcode --help\n");
    EXPECT_EQ(r.out, "");
  }
}

TEST(BarcodeCli, HelpAndVersion) {
  for (const char* help : {"--help", "-h"}) {
    const Result r = RunCli({help});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: vantor-barcode --type TYPE --data TEXT", 0), 0u) << r.out;
    for (int t = 0; t < kCodeTypeCount; ++t) {
      const std::string_view name = CodeTypeName(static_cast<btCodeTypes>(t));
      EXPECT_NE(r.out.find(name), std::string::npos) << name;
    }
    for (const char* option : {"--modules", "--out", "--dpi", "--font-scale", "--version"})
      EXPECT_NE(r.out.find(option), std::string::npos) << option;
    EXPECT_EQ(r.err, "");
  }
  const Result v = RunCli({"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, std::string("vantor-barcode ") + VANTOR_VERSION + "\n");
}

// Bytes that are not UTF-8 reach the engine as given: here Code 128's
// "switch to set B" marker.
TEST(BarcodeCli, DataBytesPassThroughUnchanged) {
  const Result r = RunCli({"--type", "CODE128_A", "--data",
                           "A\x84"
                           "b",
                           "--modules"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("\\x87A\\x84b", 0), 0u) << r.out;
}

}  // namespace
}  // namespace vantor
