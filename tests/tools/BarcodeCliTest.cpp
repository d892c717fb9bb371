#include <gtest/gtest.h>

#include <sstream>

#include "tools/BarcodeCli.h"

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
  const std::size_t from = help.out.find("TYPE:");
  ASSERT_NE(from, std::string::npos);
  std::istringstream list(help.out.substr(from + 5, help.out.find("\n--", from) - from - 5));
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

}  // namespace
}  // namespace vantor
