#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "printing/PrintCli.h"

namespace vantor {
namespace {

struct CliResult {
  int status;
  std::string out, err;
};

CliResult Cli(std::vector<std::string> args) {
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
    std::string message;
  };
  const Row rows[] = {
      {"no output", {"--serial", "000000"}, 2, "give exactly one of"},
      {"two outputs", {"--print-pdf", pdf, "--print-trace", pdf}, 2, "give exactly one of"},
      {"unknown option", {"--print-pdf", pdf, "--colour"}, 2, "unknown option '--colour'"},
      {"unknown maker", {"--print-pdf", pdf, "--maker", "ibm"}, 2, "unknown maker or media kind 'ibm'"},
      {"media of another maker", {"--print-pdf", pdf, "--maker", "breece", "--media", "dlt4"}, 2, "unknown maker"},
      {"unknown scheme", {"--print-pdf", pdf, "--scheme", "Neon"}, 2, "unknown colour scheme 'Neon'"},
      {"bad sheets", {"--print-pdf", pdf, "--sheets", "0"}, 2, "--sheets must be a number from 1 to 1000"},
      {"bad dpi", {"--print-pdf", pdf, "--dpi", "x"}, 2, "--dpi must be a number"},
      {"short serial", {"--print-pdf", pdf, "--serial", "12"}, 1, "Error in Sequence Number"},
      {"letter in counter", {"--print-pdf", pdf, "--serial", "ABC12X"}, 1, "Error in Sequence Number"},
      {"past 999", {"--print-pdf", pdf, "--serial", "ABC980"}, 1, "The last first serial that still fits is ABC970."},
      {"two sheets past 999", {"--print-pdf", pdf, "--serial", "ABC950", "--sheets", "2"}, 1, "ABC940"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const CliResult res = Cli(r.args);
    EXPECT_EQ(res.status, r.status);
    EXPECT_NE(res.err.find(r.message), std::string::npos) << res.err;
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf))) << "nothing written";
  }
}

TEST(PrintCli, TraceOfTwoSheetsContinuesTheSerial) {
  QTemporaryDir dir;
  const QString trace = dir.filePath("sheet.trace");
  const CliResult res = Cli({"--print-trace", trace.toStdString(), "--media", "dlt4", "--serial", "abc100",
                             "--sheets", "2", "--upright"});
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
