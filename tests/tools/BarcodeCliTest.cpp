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

  // Below the options, each type again with a few words on what it takes.
  std::istringstream lines(help.out.substr(help.out.find("Barcode types")));
  std::string line;
  std::getline(lines, line);
  std::vector<std::string> explained;
  while (std::getline(lines, line) && !line.empty()) {
    std::istringstream words(line);
    std::string name, firstWord;
    words >> name >> firstWord;
    EXPECT_FALSE(firstWord.empty()) << line;
    explained.push_back(name);
  }
  EXPECT_EQ(explained, all);
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
       2,
       "vantor-barcode: --data holds 51 characters; at most 50 fit; see vantor-barcode --help\n"},
      {"Code 128 tab",
       {"--type", "CODE128_B", "--data", "A\tB", "--modules"},
       1,
       "vantor-barcode: CODE128_B cannot encode \"\\x09\"; Code 128 takes only the bytes 32 to 138"},
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
      {"EAN-13 one letter", EAN_13, "12a4",
       "vantor-barcode: EAN_13 cannot encode \"a\"; it was replaced by \"0\"\n"
       "vantor-barcode: EAN_13 takes 12 digits; \"12a4\" was padded with 8 zeros\n",
       "1204000000001"},
      {"EAN-8 two-byte character", EAN_8,
       "1\xC3\xB6"
       "2",
       "vantor-barcode: EAN_8 cannot encode \"\xC3\xB6\"; it was replaced by \"0\", one for each byte\n"
       "vantor-barcode: EAN_8 takes 7 digits; \"1\xC3\xB6"
       "2\" was padded with 3 zeros\n",
       "10020005"},
      {"byte that is no UTF-8", CODE25i, "12\xF6",
       "vantor-barcode: CODE25i cannot encode \"\\xF6\"; it was replaced by \"0\"\n", nullptr},
      {"Postnet", Postnet, "123-4", "vantor-barcode: Postnet cannot encode \"-\"; it was replaced by \"0\"\n", nullptr},
      {"FIM reads one letter", Postnet_FIM, "A1",
       "vantor-barcode: Postnet_FIM reads only the first character; \"1\" was dropped\n", "FIM-A"},
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

// Whatever the tool does to the data or the add-on on the way into the symbol
// is one line on stderr; what it refuses is named with its limit. The code
// text is the engine's own, so each row also shows the change really happened.
TEST(BarcodeCli, ChangesAndRefusalsOfTheWholeCommand) {
  const std::string help = "; see vantor-barcode --help\n";
  struct Row {
    const char* name;
    std::vector<std::string> args;  // --modules is added
    int status;
    std::string err;       // whole stderr
    const char* codeText;  // first line of stdout; nullptr: none printed
  };
  const Row rows[] = {
      {"EAN-13 wrong check digit",
       {"--type", "EAN_13", "--data", "5901234123450"},
       0,
       "vantor-barcode: EAN_13 adds its own check digit; the last digit \"0\" was replaced by \"7\"\n",
       "5901234123457"},
      {"EAN-13 right check digit", {"--type", "EAN_13", "--data", "5901234123457"}, 0, "", "5901234123457"},
      {"EAN-13 padded",
       {"--type", "EAN_13", "--data", "12"},
       0,
       "vantor-barcode: EAN_13 takes 12 digits; \"12\" was padded with 10 zeros\n",
       "1200000000003"},
      {"EAN-8 extra digits",
       {"--type", "EAN_8", "--data", "123456789"},
       0,
       "vantor-barcode: EAN_8 keeps the first 7 digits and adds its own check digit; \"89\" was dropped\n",
       "12345670"},
      {"UPC-E seventh digit",
       {"--type", "UPC_E", "--data", "0123456"},
       0,
       "vantor-barcode: UPC_E adds its own check digit; the last digit \"6\" was replaced by \"7\"\n",
       "0123457"},
      {"UPC-E as eight digits",
       {"--type", "UPC_E", "--data", "01234565"},
       0,
       "vantor-barcode: UPC_E keeps the first 6 digits and adds its own check digit; \"65\" was dropped\n",
       "0123457"},
      {"Postnet one zero",
       {"--type", "Postnet", "--data", "1234"},
       0,
       "vantor-barcode: Postnet takes 5, 9 or 11 digits; \"1234\" was padded with 1 zero\n",
       "123400"},
      {"Postnet cut to 5",
       {"--type", "Postnet", "--data", "1234567"},
       0,
       "vantor-barcode: Postnet keeps the first 5 digits and adds its own check digit; \"67\" was dropped\n",
       "123455"},
      {"Postnet tenth digit",
       {"--type", "Postnet", "--data", "1234567890"},
       0,
       "vantor-barcode: Postnet adds its own check digit; the last digit \"0\" was replaced by \"5\"\n",
       "1234567895"},
      {"FIM letter any case, others dropped",
       {"--type", "Postnet_FIM", "--data", "bC"},
       0,
       "vantor-barcode: Postnet_FIM reads only the first character; \"C\" was dropped\n",
       "FIM-B"},
      {"FIM without a letter",
       {"--type", "Postnet_FIM", "--data", "\xC3\xB6"},
       0,
       "vantor-barcode: Postnet_FIM takes only A, B or C; \"\xC3\xB6\" was read as C\n",
       "FIM-C"},
      {"add-on of 3 digits",
       {"--type", "EAN_13", "--data", "400638133393", "--addon", "123"},
       0,
       "vantor-barcode: an add-on has 2 or 5 digits; --addon \"123\" became \"12\"\n",
       "4006381333931"},
      {"add-on of 1 digit",
       {"--type", "UPC_A", "--data", "03600029145", "--addon", "7"},
       0,
       "vantor-barcode: --addon \"7\" holds fewer than 2 digits; no add-on was drawn\n",
       "036000291452"},
      {"add-on as typed", {"--type", "UPC_A", "--data", "03600029145", "--addon", "12345"}, 0, "", "036000291452"},
      {"type in lower case", {"--type", "code39", "--data", "A1"}, 0, "", "*A1*"},
      {"empty data",
       {"--type", "CODE39", "--data", ""},
       1,
       "vantor-barcode: --data is empty; there is nothing to encode\n",
       nullptr},
      {"Code 128 outside its bytes",
       {"--type", "CODE128_B", "--data", "h\xC3\xA9ll\xC3\xA9\t"},
       1,
       "vantor-barcode: CODE128_B cannot encode \"\xC3\xA9\", \"\\x09\"; Code 128 takes only the bytes 32 to 138 "
       "(printable ASCII and its own control bytes)\n",
       nullptr},
      {"add-on on a type without one",
       {"--type", "CODE39", "--data", "1", "--addon", "12"},
       2,
       "vantor-barcode: --addon needs --type EAN_13 or UPC_A; CODE39 has no add-on" + help,
       nullptr},
      {"empty add-on on EAN-8",
       {"--type", "ean_8", "--data", "1", "--addon", ""},
       2,
       "vantor-barcode: --addon needs --type EAN_13 or UPC_A; EAN_8 has no add-on" + help,
       nullptr},
      {"data of 51 bytes",
       {"--type", "CODE39", "--data", std::string(25, 'A') + "\xC3\xA9" + std::string(24, 'A')},
       2,
       "vantor-barcode: --data holds 51 bytes; at most 50 fit (a character outside ASCII takes 2 to 4 of them)" + help,
       nullptr},
      {"module class 10",
       {"--type", "CODE39", "--data", "1", "--module", "SC10"},
       2,
       "vantor-barcode: --module takes SC0 .. SC9, not 'SC10'" + help,
       nullptr},
      {"height below 20",
       {"--type", "CODE39", "--data", "1", "--height", "19"},
       2,
       "vantor-barcode: --height must be between 20 and 200, not 19" + help,
       nullptr},
      {"font scale above 200",
       {"--type", "CODE39", "--data", "1", "--font-scale", "201"},
       2,
       "vantor-barcode: --font-scale must be between 20 and 200, not 201" + help,
       nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args = row.args;
    args.push_back("--modules");
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), row.codeText ? row.codeText : "");
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
