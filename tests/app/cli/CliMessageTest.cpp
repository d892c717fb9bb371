// vantor's command-line messages word for word, and its manual page against
// its --help: every option and every name an option takes is in both.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/cli/OptionTable.h"
#include "app/cli/PrintCli.h"
#include "dlt/Sheet.h"
#include "lto/Volser.h"
#include "printing/HeadlessRun.h"
#include "support/ScratchDataHome.h"

namespace vantor {
namespace {

struct TCliRun {
  int status;
  std::string out, err;
};

// Each run with an empty journal of its own.
TCliRun RunVantor(const std::vector<std::string>& args) {
  const test::TScratchDataHome data;
  std::ostringstream out, err;
  const int status = RunPrintCli(args, out, err);
  return {status, out.str(), err.str()};
}

// $PDF in a row stands for a file in a scratch folder, never written.
TEST(CliMessages, EachRefusalIsOneExactLine) {
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("x.pdf").toStdString();
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::string help = "; see vantor --help\n";
  const Row rows[] = {
      {{"--print-pdf", "$PDF", "--serial", "ABCDEF"},
       1,
       "vantor: Error in Sequence Number: 'D' at position 4: the last three characters must be digits\n"},
      {{"--print-pdf", "$PDF", "--serial", "AB#"},
       1,
       "vantor: Error in Sequence Number: the serial needs six characters, not 3\n"},
      {{"--print-pdf", "$PDF", "--media", "lto"},
       2,
       "vantor: unknown media kind 'lto'; the media kinds are dlt4, dlt3xt, cleaning and diagnostic (LTO Ultrium "
       "labels: --lto)" +
           help},
      {{"--print-pdf", "$PDF", "--maker", "ibm"},
       2,
       "vantor: unknown maker 'ibm'; the makers are standard, storagetek, breece and other" + help},
      {{"--print-pdf", "$PDF", "--maker", "breece", "--media", "dlt4"},
       2,
       "vantor: the maker breece has no media kinds; --media goes with --maker storagetek" + help},
      {{"--print-pdf", "$PDF", "--scheme", "Neon"},
       2,
       "vantor: unknown colour scheme 'Neon'; the schemes are EDP Vibrant OCR, EDP Pastel, Other EDP, Wrightline "
       "OCR, TAB OCR and Dataware OCR" +
           help},
      {{"--print-pdf", "$PDF", "--sheets", "1000", "--serial", "CAL300"},
       2,
       "vantor: --sheets 1000 is more than the serials from CAL300 can reach: 23 sheets fit before CAL999" + help},
      {{"--print-pdf", "$PDF", "--sheets", "3", "--serial", "cln950", "--media", "cleaning", "--start-label", "13"},
       2,
       "vantor: --sheets 3 is more than the serials from CLN950 can reach: 2 sheets fit before CLN999" + help},
      {{"--print-pdf", "$PDF", "--sheets", "2", "--serial", "ABC980"},
       1,
       CliLine(SheetRefusal("ABC980", 2).value_or("?")) + "\n"},
      {{"--print-pdf", ""}, 2, "vantor: --print-pdf needs a file name, not an empty one" + help},
      {{"--printer", ""}, 2, "vantor: --printer needs a printer's name, not an empty one" + help},
      {{"--print-pdf", "a.pdf", "--print-pdf", "b.pdf"},
       2,
       "vantor: --print-pdf is given 2 times ('a.pdf', 'b.pdf'); give it once" + help},
      {{"--print-pdf", "$PDF", "--serial", "A", "--serial", "B"},
       2,
       "vantor: --serial is given 2 times ('A', 'B'); give it once" + help},
      {{"--lto", "--media-id", "L8", "--serial", "ABCDEF", "--count", "2", "--print-pdf", "$PDF"},
       1,
       CliLine(VolserRunByCount("ABCDEF", 2).refusal) + "\n"},
      {{"--lto", "--media-id", "LTO8", "--serial", "ABC100", "--print-pdf", "$PDF"},
       2,
       "vantor: the media ID \"LTO8\" has 4 characters; it needs two (A-Z, 0-9).\n"},
      {{"--lto", "--media-id", "L8", "--serial", "ABC990", "--count", "30", "--print-pdf", "$PDF"},
       1,
       CliLine(VolserRunByCount("ABC990", 30).refusal) + "\n"},
      {{"--print-trace", dir.path().toStdString()},
       1,
       "vantor: cannot write \"" + dir.path().toStdString() + "\": not a file\n"},
  };
  for (const Row& r : rows) {
    std::vector<std::string> args = r.args;
    std::string shown;
    for (std::string& a : args) {
      if (a == "$PDF") a = pdf;
      shown += " " + a;
    }
    SCOPED_TRACE(shown);
    const TCliRun run = RunVantor(args);
    EXPECT_EQ(run.err, r.err);
    EXPECT_EQ(run.status, r.status);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf))) << "nothing written";
  }
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs of white space as one space: a name may be wrapped onto two lines.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    const bool space = c == ' ' || c == '\n' || c == '\t';
    if (!space)
      line += c;
    else if (!line.empty() && line.back() != ' ')
      line += ' ';
  }
  return line;
}

// The manual page as built, its minus signs and quotes read as text.
std::string ManPageText() {
  const char* build = std::getenv("VANTOR_BUILD_DIR");
  std::string page = ReadText(std::string(build ? build : ".") + "/data/man/vantor.1");
  std::string text;
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page.compare(i, 2, "\\-") == 0) {
      text += '-';
      ++i;
    } else if (page[i] != '"') {
      text += page[i];
    }
  }
  return OneLine(text);
}

TEST(CliMessages, ManPageHasEveryOptionAndNameOfTheHelp) {
  const std::string man = ManPageText();
  ASSERT_NE(man.find(".TH VANTOR 1"), std::string::npos) << "the built manual page";
  const TCliRun help = RunVantor({"--help"});
  ASSERT_EQ(help.status, 0);
  std::set<std::string> options;
  const std::regex option(R"((?:^|[ ,])(--[a-z][a-z-]*))");
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("  -", 0) == 0)
      for (auto m = std::sregex_iterator(line.begin(), line.end(), option); m != std::sregex_iterator(); ++m)
        options.insert((*m)[1]);
  EXPECT_GT(options.size(), 30u) << help.out;
  for (const std::string& o : options) EXPECT_NE(man.find(o), std::string::npos) << o << " is not in the manual page";

  // The names each option takes (makers, media kinds, schemes, palettes,
  // templates), from the option table.
  int lists = 0;
  for (const TOptionRow& row : VantorOptionRows()) {
    if (!row.choices) continue;
    ++lists;
    const std::vector<std::string> list = row.choices();
    ASSERT_FALSE(list.empty()) << row.name;
    for (const std::string& name : list) {
      EXPECT_NE(OneLine(help.out).find(name), std::string::npos) << name << " is not in --help";
      EXPECT_NE(man.find(name), std::string::npos) << name << " is not in the manual page";
    }
  }
  EXPECT_EQ(lists, 5);
}

}  // namespace
}  // namespace vantor
