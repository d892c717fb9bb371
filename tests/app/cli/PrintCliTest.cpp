#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "app/cli/PrintCli.h"
#include "dlt/Sheet.h"
#include "printing/HeadlessRun.h"
#include "support/FullFolder.h"
#include "support/ScratchDataHome.h"

namespace vantor {
namespace {

struct CliResult {
  int status;
  std::string out, err;
};

// Each run with an empty journal of its own.
CliResult Cli(std::vector<std::string> args) {
  const test::TScratchDataHome data;
  std::ostringstream out, err;
  const int status = RunPrintCli(args, out, err);
  return {status, out.str(), err.str()};
}

std::string ReadFile(const QString& path) {
  std::ifstream in(path.toStdString());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PrintCli, Refusals) {
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("x.pdf").toStdString();
  struct Row {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string message;  // empty: worded where the message is made, or in CliMessageTest
  };
  const Row rows[] = {
      {"no output", {"--serial", "000000"}, 2, "give exactly one of"},
      {"two outputs", {"--print-pdf", pdf, "--print-trace", pdf}, 2, "give exactly one of"},
      {"unknown option", {"--print-pdf", pdf, "--colour"}, 2, "unknown option '--colour'"},
      // Worded in CliMessages.EachRefusalIsOneExactLine; here the outcome.
      {"unknown maker", {"--print-pdf", pdf, "--maker", "ibm"}, 2, ""},
      {"media of another maker", {"--print-pdf", pdf, "--maker", "breece", "--media", "dlt4"}, 2, ""},
      {"unknown scheme", {"--print-pdf", pdf, "--scheme", "Neon"}, 2, ""},
      {"bad sheets", {"--print-pdf", pdf, "--sheets", "0"}, 2, "--sheets must be a number from 1 to 1000"},
      {"sheets and a count",
       {"--print-pdf", pdf, "--sheets", "2", "--count", "3"},
       2,
       "give --sheets or --count, not both"},
      {"a count past the sheets",
       {"--print-pdf", pdf, "--start-label", "2", "--count", "30000"},
       2,
       "--count must be a number from 1 to 29999, not '30000'"},
      {"bad dpi", {"--print-pdf", pdf, "--dpi", "x"}, 2, "--dpi must be a number"},
      {"short serial", {"--print-pdf", pdf, "--serial", "12"}, 1, "Error in Sequence Number"},
      {"letter in counter", {"--print-pdf", pdf, "--serial", "ABC12X"}, 1, "Error in Sequence Number"},
      {"past 999", {"--print-pdf", pdf, "--serial", "ABC980"}, 1, CliLine(SheetRefusal("ABC980").value_or("?"))},
      {"two sheets past 999", {"--print-pdf", pdf, "--serial", "ABC950", "--sheets", "2"}, 2, "1 sheet fits"},
      {"start label 0", {"--print-pdf", pdf, "--start-label", "0"}, 2, "--start-label must be a number from 1 to 30"},
      {"start label 31", {"--print-pdf", pdf, "--start-label", "31"}, 2, "not '31'"},
      {"start label not a number", {"--print-pdf", pdf, "--start-label", "x"}, 2, "--start-label must be"},
      {"a later start still past 999",
       {"--print-pdf", pdf, "--serial", "ABC975", "--start-label", "5"},
       1,
       CliLine(SheetRefusal("ABC975", 1, 5).value_or("?"))},
      {"offset not a number",
       {"--print-pdf", pdf, "--offset-x", "abc"},
       2,
       "--offset-x must be a number of millimetres from -20 to 20, not 'abc'"},
      {"offset too far", {"--print-pdf", pdf, "--offset-y", "-20.5"}, 2, "--offset-y must be a number of millimetres"},
      {"offset half a number", {"--print-pdf", pdf, "--offset-y", "1.5mm"}, 2, "not '1.5mm'"},
      {"offset infinite", {"--print-pdf", pdf, "--offset-x", "inf"}, 2, "--offset-x must be"},
      {"scale too small", {"--print-pdf", pdf, "--scale-x", "0.8"}, 2, "--scale-x must be a number from 0.9 to 1.1"},
      {"scale too large", {"--print-pdf", pdf, "--scale-y", "1.2"}, 2, "--scale-y must be a number from 0.9 to 1.1"},
      {"scale empty", {"--print-pdf", pdf, "--scale-y", ""}, 2, "--scale-y must be"},
      {"calibration page, bad scale", {"--print-pdf", pdf, "--calibration-page", "--scale-x", "2"}, 2, "--scale-x"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const CliResult res = Cli(r.args);
    EXPECT_EQ(res.status, r.status);
    if (!r.message.empty()) {
      EXPECT_NE(res.err.find(r.message), std::string::npos) << res.err;
    }
    if (r.status == 2) {
      // One line and where help is, not the whole usage.
      EXPECT_EQ(std::count(res.err.begin(), res.err.end(), '\n'), 1) << res.err;
      EXPECT_TRUE(res.err.ends_with("; see vantor --help\n")) << res.err;
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf))) << "nothing written";
  }
}

// What the command line asks for, read before anything needs a display.
TEST(PrintCli, CommandLineChoosesWindowOrPrint) {
  using TAction = TVantorCommandLine::TAction;
  struct Row {
    const char* name;
    std::vector<std::string> args;
    TAction action;
    std::function<void(const TVantorCommandLine&)> check;
  };
  const Row rows[] = {
      {"nothing: the window", {}, TAction::Window, [](auto& c) { EXPECT_EQ(c.screenshot, ""); }},
      {"screenshot", {"--screenshot", "w.png"}, TAction::Window, [](auto& c) { EXPECT_EQ(c.screenshot, "w.png"); }},
      {"trace with defaults",
       {"--print-trace", "t"},
       TAction::Print,
       [](auto& c) {
         EXPECT_EQ(c.print.output, TOutputKind::Trace);
         EXPECT_EQ(c.print.target, "t");
         EXPECT_EQ(c.print.mediaMode, TMediaMode::Standard3of9);
         EXPECT_EQ(c.print.sheets, 1);
         EXPECT_EQ(c.print.dpi, 0);
         EXPECT_FALSE(c.print.rotated.has_value());
         EXPECT_FALSE(c.print.serial.has_value());
         EXPECT_TRUE(c.print.colored);
         EXPECT_FALSE(c.print.outlines);
       }},
      {"the later of --rotated and --upright",
       {"--rotated", "--printer", "Q", "--upright"},
       TAction::Print,
       [](auto& c) {
         EXPECT_EQ(c.print.output, TOutputKind::Printer);
         EXPECT_EQ(c.print.rotated, false);
       }},
      {"--upright then --rotated",
       {"--upright", "--print-pdf", "p", "--rotated"},
       TAction::Print,
       [](auto& c) { EXPECT_EQ(c.print.rotated, true); }},
      {"--media alone is StorageTek",
       {"--media", "cleaning", "--print-pdf", "p"},
       TAction::Print,
       [](auto& c) { EXPECT_EQ(c.print.mediaMode, TMediaMode::StkCleaning); }},
      {"--maker standard with --media, either order",
       {"--media", "dlt3xt", "--maker", "standard", "--print-pdf", "p"},
       TAction::Print,
       [](auto& c) { EXPECT_EQ(c.print.mediaMode, TMediaMode::StkDltIIIXT); }},
      {"every choice",
       {"--print-pdf", "p", "--maker", "breece", "--serial", "ab0001", "--no-color", "--scheme", "tab ocr", "--sheets",
        "3", "--outlines", "--dpi", "1200"},
       TAction::Print,
       [](auto& c) {
         EXPECT_EQ(c.print.mediaMode, TMediaMode::BreeceHill);
         EXPECT_EQ(c.print.serial, "ab0001");
         EXPECT_FALSE(c.print.colored);
         EXPECT_EQ(c.print.scheme, SchemeId::Tab);
         EXPECT_EQ(c.print.sheets, 3);
         EXPECT_TRUE(c.print.outlines);
         EXPECT_EQ(c.print.dpi, 1200);
       }},
      {"a print option without an output",
       {"--outlines"},
       TAction::Error,
       [](auto& c) { EXPECT_NE(c.text.find("give exactly one of"), std::string::npos); }},
      {"screenshot and print",
       {"--screenshot", "w.png", "--print-pdf", "p"},
       TAction::Error,
       [](auto& c) { EXPECT_NE(c.text.find("--screenshot does not go with"), std::string::npos); }},
      {"help", {"--version", "-h"}, TAction::Help, [](auto& c) { EXPECT_EQ(c.text.rfind("Usage: vantor ", 0), 0u); }},
      {"version",
       {"--version"},
       TAction::Version,
       [](auto& c) { EXPECT_EQ(c.text, std::string("vantor ") + VANTOR_VERSION + "\n"); }},
      {"unknown option before anything else",
       {"--help", "--bogus"},
       TAction::Error,
       [](auto& c) { EXPECT_EQ(c.text, "vantor: unknown option '--bogus'; see vantor --help"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TVantorCommandLine command = ParseVantorCommandLine(row.args);
    EXPECT_EQ(command.action, row.action) << command.text;
    row.check(command);
  }
}

TEST(PrintCli, HelpListsTheOptions) {
  const CliResult res = Cli({"--help"});
  EXPECT_EQ(res.status, 0);
  EXPECT_EQ(res.err, "");
  for (const char* option : {"--print-pdf", "--print-trace", "--printer", "--maker",     "--media",
                             "--serial",    "--rotated",     "--upright", "--no-colour", "--scheme",
                             "--sheets",    "--outlines",    "--dpi",     "--version",   "--start-label",
                             "--offset-x",  "--offset-y",    "--scale-x", "--scale-y",   "--calibration-page"})
    EXPECT_NE(res.out.find(option), std::string::npos) << option;
  EXPECT_EQ(res.out.find("--screenshot"), std::string::npos) << "hidden";
}

TEST(PrintCli, TraceOfTwoSheetsContinuesTheSerial) {
  QTemporaryDir dir;
  const QString trace = dir.filePath("sheet.trace");
  const CliResult res = Cli(
      {"--print-trace", trace.toStdString(), "--media", "dlt4", "--serial", "abc100", "--sheets", "2", "--upright"});
  ASSERT_EQ(res.status, 0) << res.err;
  const std::string text = ReadFile(trace);
  EXPECT_EQ(text.rfind("page 1\n", 0), 0u);
  EXPECT_NE(text.find("\npage 2\n"), std::string::npos);
  EXPECT_NE(text.find("text 315 429 \"A\" font=\"Arial\" size=10pt bold=1"), std::string::npos) << "typed lower case";
  EXPECT_NE(text.find("\"StorageTek\""), std::string::npos);
  // Label 1 of page 2 is ABC130: its first digit cell is coloured with digit 1.
  const auto page2 = text.find("\npage 2\n");
  const auto firstDigit = text.find("text 633 429 \"1\"", page2);
  EXPECT_NE(firstDigit, std::string::npos);
}

// The trace of a corrected run is the plain trace moved and stretched; the
// calibration page goes to the output asked for.
TEST(PrintCli, CalibrationAndStartLabelReachTheTrace) {
  QTemporaryDir dir;
  const std::string plain = dir.filePath("plain.trace").toStdString();
  const std::string moved = dir.filePath("moved.trace").toStdString();
  ASSERT_EQ(Cli({"--print-trace", plain, "--start-label", "13", "--outlines"}).status, 0);
  const CliResult res = Cli({"--print-trace", moved, "--start-label", "13", "--outlines", "--offset-x", "2.54",
                             "--offset-y", "-1.27", "--scale-x", "1", "--scale-y", "1"});
  ASSERT_EQ(res.status, 0) << res.err;
  // At 300 dpi 2.54 mm is 30 dots and -1.27 mm is -15: label 13's outline (row 5, first column) moves so.
  EXPECT_EQ(ReadFile(QString::fromStdString(plain)).find("page 1\nrect 260 1394 933 1642 pen=2"), 0u);
  EXPECT_EQ(ReadFile(QString::fromStdString(moved)).find("page 1\nrect 290 1379 963 1627 pen=2"), 0u);

  const std::string page = dir.filePath("calibration.trace").toStdString();
  const CliResult cal = Cli({"--print-trace", page, "--calibration-page", "--dpi", "600"});
  ASSERT_EQ(cal.status, 0) << cal.err;
  EXPECT_NE(ReadFile(QString::fromStdString(page)).find("rect 945 1417 3307 3780 pen=5 brush=none"), std::string::npos)
      << ReadFile(QString::fromStdString(page));
  const QString pdf = dir.filePath("calibration.pdf");
  const CliResult calPdf = Cli({"--print-pdf", pdf.toStdString(), "--calibration-page"});
  ASSERT_EQ(calPdf.status, 0) << calPdf.err;
  EXPECT_EQ(calPdf.out, "Printed the calibration page to " + pdf.toStdString() + "\n");
}

// Several sheets make one PDF of as many pages, whatever the start label.
TEST(PrintCli, PdfOfSeveralSheetsFromAStartLabel) {
  if (std::system("command -v pdfinfo >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdfinfo missing";
  QTemporaryDir dir;
  const QString pdf = dir.filePath("three.pdf");
  const CliResult res = Cli({"--print-pdf", pdf.toStdString(), "--sheets", "3", "--start-label", "13"});
  ASSERT_EQ(res.status, 0) << res.err;
  EXPECT_EQ(res.out, "Printed 3 sheets from 000000 to " + pdf.toStdString() + "\n");
  const std::string info = dir.filePath("info.txt").toStdString();
  ASSERT_EQ(std::system(("pdfinfo '" + pdf.toStdString() + "' > '" + info + "'").c_str()), 0);
  const std::string text = ReadFile(QString::fromStdString(info));
  const auto pages = text.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << text;
  EXPECT_EQ(std::stoi(text.substr(pages + 6)), 3) << text;
}

TEST(PrintCli, PdfOfOneSheet) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("one.pdf");
  const CliResult res = Cli({"--print-pdf", pdf.toStdString()});
  ASSERT_EQ(res.status, 0) << res.err;
  EXPECT_NE(res.out.find("Printed 1 sheet from 000000 to"), std::string::npos);
  const std::string bytes = ReadFile(pdf);
  EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
  EXPECT_TRUE(QDir(dir.path()).entryList({".*.part"}, QDir::Hidden | QDir::Files).isEmpty());
}

TEST(PrintCli, UnwritableFolderNamesThePathAndLeavesNothing) {
  QTemporaryDir dir;
  const std::string pdf = dir.filePath("missing/folder/sheet.pdf").toStdString();
  const CliResult res = Cli({"--print-pdf", pdf});
  EXPECT_EQ(res.status, 1);
  EXPECT_NE(res.err.find(pdf), std::string::npos) << res.err;
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf)));
}

namespace fs = std::filesystem;

std::vector<std::string> EntriesOf(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Outputs that cannot be written are refused with their path named, and
// whatever stands at the path stays as it was. Root ignores permissions, so
// the rows use places no one can write to and things that are no files.
TEST(PrintCli, OutputsThatCannotBeWrittenAreRefusedAndLeftAlone) {
  QTemporaryDir tmp;
  const fs::path dir = tmp.path().toStdString();
  std::ofstream(dir / "notes.txt") << "a file, not a folder";
  fs::create_directory(dir / "folder");
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
  // A copy of /dev/full where only root may make one.
  const bool device = mknod((dir / "full").c_str(), S_IFCHR | 0644, makedev(1, 7)) == 0;
  struct Row {
    const char* name;
    std::string path;
    const char* reason;  // in the message after the path; nullptr: any
    fs::file_type staysA;
  };
  std::vector<Row> rows = {
      {"folder that is a file", (dir / "notes.txt/sheet.out").string(), "Not a directory", fs::file_type::not_found},
      {"under /proc", "/proc/vantor-sheet.out", "No such file or directory", fs::file_type::not_found},
      {"a folder of that name", (dir / "folder").string(), "not a file", fs::file_type::directory},
      {"a named pipe", (dir / "pipe").string(), "not a file", fs::file_type::fifo},
  };
  if (device) rows.push_back({"a device", (dir / "full").string(), "not a file", fs::file_type::character});
  const std::vector<std::string> before = EntriesOf(dir);
  for (const char* output : {"--print-pdf", "--print-trace"}) {
    for (const Row& r : rows) {
      SCOPED_TRACE(std::string(output) + ", " + r.name);
      const CliResult res = Cli({output, r.path});
      EXPECT_EQ(res.status, 1);
      EXPECT_EQ(res.err, "vantor: cannot write \"" + r.path + "\": " + r.reason + "\n");
      EXPECT_EQ(fs::symlink_status(r.path).type(), r.staysA);
      EXPECT_EQ(EntriesOf(dir), before) << "nothing left behind";
    }
  }
  if (!device) std::cout << "not root: the device row was left out\n";
}

// A disk that fills up while the sheets are written: the error says so and
// names the file, no partial file is left, and an older file of that name
// survives whole.
TEST(PrintCli, FullDiskKeepsTheOlderFileAndLeavesNoPart) {
  QTemporaryDir tmp;
  testing::TFullFolder full(fs::path(tmp.path().toStdString()) / "full", 8 * 1024);
  std::cout << "full disk: " << full.How() << "\n";
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* file;
  };
  const Row rows[] = {
      {"one sheet as PDF", {"--print-pdf"}, "sheet.pdf"},
      {"three sheets as PDF", {"--sheets", "3", "--print-pdf"}, "sheets.pdf"},
      {"trace", {"--print-trace"}, "sheet.trace"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string path = (full.Path() / r.file).string();
    std::ofstream(path) << "older";
    std::vector<std::string> args = r.args;
    args.push_back(path);
    const CliResult res = Cli(args);
    EXPECT_EQ(res.status, 1);
    EXPECT_EQ(res.err, "vantor: cannot write \"" + path + "\": " + full.Reason() + "\n");
    EXPECT_EQ(ReadFile(QString::fromStdString(path)), "older");
    fs::remove(path);
    EXPECT_TRUE(full.Entries().empty()) << "left behind: " << ::testing::PrintToString(full.Entries());
  }
}

}  // namespace
}  // namespace vantor

namespace vantor {
namespace {

// A scheme chosen for the run colours the printed digit cells.
TEST(PrintCli, SchemeReachesThePrintedCells) {
  QTemporaryDir dir;
  const QString trace = dir.filePath("tab.trace");
  ASSERT_EQ(Cli({"--print-trace", trace.toStdString(), "--scheme", "tab ocr", "--serial", "000129"}).status, 0);
  const std::string text = ReadFile(trace);
  // Cell 1 of label 1 holds "0" (TAB OCR #F78197), cell 4 "1" (#D01727),
  // cell 6 "9" (#A73C1C); fills are the cells shrunk by 2 dots.
  EXPECT_NE(text.find("fill 276 427 378 482 #F78197"), std::string::npos);
  EXPECT_NE(text.find("fill 594 427 696 482 #D01727"), std::string::npos);
  EXPECT_NE(text.find("fill 806 427 908 482 #A73C1C"), std::string::npos);
  EXPECT_EQ(text.find("#FF0000"), std::string::npos) << "no Other EDP digit 0 left anywhere";
}

}  // namespace
}  // namespace vantor
