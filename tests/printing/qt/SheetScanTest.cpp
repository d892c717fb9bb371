// End to end: sheets printed to PDF by the headless print command, rasterised
// with pdftoppm and read label by label with zbarimg and ZXingReader, readers
// no one here wrote. Each label's area is cut out of the page and decoded on
// its own, so a label that is missing, unreadable, swapped or shifted into its
// neighbour fails.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <iostream>
#include <sstream>

#include "app/cli/PrintCli.h"
#include "printing/qt/SheetScanUtil.h"
#include "support/ScratchDataHome.h"

namespace vantor {
namespace {

using testing::CutLabel;
using testing::Decode;
using testing::DecodeEach;
using testing::RasterisePdf;
using testing::Reader;
using testing::SerialAfter;

struct ScanRow {
  const char* name;
  std::vector<std::string> options;
  std::string firstSerial;
  std::string suffix;
};

// Every layout, each from a serial of its own.
const ScanRow kScanRows[] = {
    {"Standard 3 of 9", {"--maker", "standard", "--serial", "ABC100"}, "ABC100", ""},
    {"Standard 3 of 9 rotated", {"--maker", "standard", "--rotated", "--serial", "A1 200"}, "A1 200", ""},
    {"StorageTek DLT IV", {"--media", "dlt4", "--serial", "000000"}, "000000", "D"},
    {"StorageTek DLT III XT upright", {"--media", "dlt3xt", "--upright", "--serial", "XT0500"}, "XT0500", "C"},
    {"StorageTek cleaning", {"--media", "cleaning", "--serial", "CLN010"}, "CLN010", "C"},
    {"StorageTek diagnostic", {"--media", "diagnostic", "--serial", "DG 900"}, "DG 900", "C"},
    {"Breece Hill", {"--maker", "breece", "--serial", "BH0042"}, "BH0042", ""},
    {"Other", {"--maker", "other", "--serial", "OT0001"}, "OT0001", ""},
};

class SheetScan : public ::testing::TestWithParam<int> {};

TEST_P(SheetScan, EveryLabelReadsBackInItsOwnPlace) {
  if (!testing::HaveTool("pdftoppm") || !testing::HaveTool("zbarimg") || !testing::HaveTool("ZXingReader"))
    GTEST_SKIP() << "pdftoppm, zbarimg or ZXingReader missing (scripts/install-deps installs them)";
  const int dpi = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const auto& r : kScanRows) {
    SCOPED_TRACE(r.name);
    const QString pdf = dir.filePath("sheet.pdf");
    std::vector<std::string> args = r.options;
    args.insert(args.end(), {"--print-pdf", pdf.toStdString(), "--dpi", "600"});
    std::ostringstream out, err;
    const test::TScratchDataHome data;  // an empty journal for each row
    ASSERT_EQ(RunPrintCli(args, out, err), 0) << err.str();
    const QImage page = RasterisePdf(pdf.toStdString(), dpi, dir.filePath("page").toStdString());
    ASSERT_FALSE(page.isNull());

    int zbarRead = 0, zxingRead = 0;
    for (int i = 0; i < 30; ++i) {
      const QImage label = CutLabel(page, dpi, i);
      const QString png = dir.filePath(QString("label%1.png").arg(i));
      ASSERT_TRUE(label.save(png));
      const std::string expected = SerialAfter(r.firstSerial, i) + r.suffix;
      const auto zb = Decode(Reader::Zbar, png.toStdString()), zx = Decode(Reader::Zxing, png.toStdString());
      zbarRead += zb == std::vector<std::string>{expected};
      zxingRead += zx == std::vector<std::string>{expected};
      EXPECT_EQ(zb, std::vector<std::string>{expected}) << "zbarimg, label " << i + 1;
      EXPECT_EQ(zx, std::vector<std::string>{expected}) << "ZXingReader, label " << i + 1;
    }
    EXPECT_EQ(zbarRead, 30);
    EXPECT_EQ(zxingRead, 30);
  }
}

// A sheet started at label 13 and drawn through a calibration: labels 1 to
// 12 hold nothing a reader finds, labels 13 to 30 read back where the
// correction moved them, and nowhere else.
TEST_P(SheetScan, StartLabelAndCalibrationReadBackWhereTheCorrectionPutsThem) {
  if (!testing::HaveTool("pdftoppm") || !testing::HaveTool("zbarimg") || !testing::HaveTool("ZXingReader"))
    GTEST_SKIP() << "pdftoppm, zbarimg or ZXingReader missing (scripts/install-deps installs them)";
  const int dpi = GetParam();
  const TCalibration c{3.0, -2.5, 1.02, 0.985};
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath("sheet.pdf");
  std::ostringstream out, err;
  const test::TScratchDataHome data;
  ASSERT_EQ(
      RunPrintCli({"--media", "dlt4", "--serial", "000100", "--start-label", "13", "--offset-x", "3", "--offset-y",
                   "-2.5", "--scale-x", "1.02", "--scale-y", "0.985", "--print-pdf", pdf.toStdString(), "--dpi", "600"},
                  out, err),
      0)
      << err.str();
  const QImage page = RasterisePdf(pdf.toStdString(), dpi, dir.filePath("page").toStdString());
  ASSERT_FALSE(page.isNull());
  for (int i = 0; i < 30; ++i) {
    const QString png = dir.filePath(QString("label%1.png").arg(i));
    ASSERT_TRUE(CutLabel(page, dpi, i, c).save(png));
    const std::vector<std::string> expected =
        i < 12 ? std::vector<std::string>{} : std::vector<std::string>{SerialAfter("000100", i - 12) + "D"};
    EXPECT_EQ(Decode(Reader::Zbar, png.toStdString()), expected) << "zbarimg, label " << i + 1;
    EXPECT_EQ(Decode(Reader::Zxing, png.toStdString()), expected) << "ZXingReader, label " << i + 1;
  }
  // Where the labels would be without the correction, the moved barcodes are cut off.
  const QString uncorrected = dir.filePath("uncorrected.png");
  ASSERT_TRUE(CutLabel(page, dpi, 29).save(uncorrected));
  EXPECT_NE(Decode(Reader::Zbar, uncorrected.toStdString()), std::vector<std::string>{"000117D"});
}

INSTANTIATE_TEST_SUITE_P(Resolutions, SheetScan, ::testing::Values(300, 600));

// Printed at a printer's resolution and read at the same: label printers'
// 203 and 254 dpi and fax-grade 150 and 200 as well as 300 and 600. Each row
// says what each reader read, for the record.
class SheetScanAtPrinterDpi : public ::testing::TestWithParam<int> {};

TEST_P(SheetScanAtPrinterDpi, EveryLabelOfEveryLayoutReadsBackInItsOwnPlace) {
  if (!testing::HaveTool("pdftoppm") || !testing::HaveTool("zbarimg") || !testing::HaveTool("ZXingReader"))
    GTEST_SKIP() << "pdftoppm, zbarimg or ZXingReader missing (scripts/install-deps installs them)";
  const int dpi = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const auto& r : kScanRows) {
    SCOPED_TRACE(r.name);
    const QString pdf = dir.filePath("sheet.pdf");
    std::vector<std::string> args = r.options;
    args.insert(args.end(), {"--print-pdf", pdf.toStdString(), "--dpi", std::to_string(dpi)});
    std::ostringstream out, err;
    const test::TScratchDataHome data;
    ASSERT_EQ(RunPrintCli(args, out, err), 0) << err.str();
    const QImage page = RasterisePdf(pdf.toStdString(), dpi, dir.filePath("page").toStdString());
    ASSERT_FALSE(page.isNull());
    std::vector<std::string> files;
    for (int i = 0; i < 30; ++i) {
      files.push_back(dir.filePath(QString("label%1.png").arg(i)).toStdString());
      ASSERT_TRUE(CutLabel(page, dpi, i).save(QString::fromStdString(files.back())));
    }
    for (const Reader reader : {Reader::Zbar, Reader::Zxing}) {
      auto found = DecodeEach(reader, files);
      int read = 0;
      for (int i = 0; i < 30; ++i) {
        const std::vector<std::string> expected{SerialAfter(r.firstSerial, i) + r.suffix};
        read += found[files[static_cast<std::size_t>(i)]] == expected;
        EXPECT_EQ(found[files[static_cast<std::size_t>(i)]], expected)
            << testing::ReaderBinary(reader) << ", label " << i + 1;
      }
      std::cout << r.name << " at " << dpi << " dpi: " << testing::ReaderBinary(reader) << " read " << read
                << " of 30\n";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Resolutions, SheetScanAtPrinterDpi, ::testing::Values(150, 200, 203, 254, 300, 600));

}  // namespace
}  // namespace vantor
