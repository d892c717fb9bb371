// End to end: LTO sheets of every built-in template printed to PDF by the
// command line with volsers and media IDs drawn at random, rasterised with
// pdftoppm, each label cut out by its own rectangle and read by zbarimg and
// ZXingReader, readers no one here wrote.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <random>
#include <sstream>

#include "app/cli/PrintCli.h"
#include "lto/MediaId.h"
#include "printing/qt/SheetScanUtil.h"
#include "support/ScratchDataHome.h"
#include "surface/CorrectedSurface.h"
#include "surface/Units.h"
#include "templates/SheetTemplate.h"
#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

using testing::CutRect;
using testing::DecodeEach;
using testing::Lines;
using testing::RasterisePdf;
using testing::Reader;

// A volser of a random prefix and a counter that leaves room for `count`.
std::string RandomVolser(std::mt19937& rng, int count) {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string v;
  for (int i = 0; i < 2; ++i) v += kChars[std::uniform_int_distribution<int>(0, 25)(rng)];
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04d", std::uniform_int_distribution<int>(0, 9999 - count)(rng));
  return v + digits;
}

std::string RandomMediaId(std::mt19937& rng) {
  const auto table = MediaIdTable();
  const int pick = std::uniform_int_distribution<int>(0, static_cast<int>(table.size()))(rng);
  if (pick < static_cast<int>(table.size())) return std::string(table[static_cast<std::size_t>(pick)].id);
  return "Q7";  // a custom ID
}

struct Row {
  const char* templ;
  int dpi;
};

class LtoScan : public ::testing::TestWithParam<Row> {};

TEST_P(LtoScan, EveryLabelReadsBackInItsOwnPlace) {
  if (!testing::HaveTool("pdftoppm") || !testing::HaveTool("zbarimg") || !testing::HaveTool("ZXingReader"))
    GTEST_SKIP() << "pdftoppm, zbarimg or ZXingReader missing (scripts/install-deps installs them)";
  const unsigned seed = std::random_device{}();
  std::mt19937 rng(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  {
    const Row& r = GetParam();
    const TSheetTemplate* t = nullptr;
    for (const auto& b : BuiltInTemplates())
      if (b.name == r.templ) t = &b;
    ASSERT_NE(t, nullptr);
    const int count = t->LabelsPerPage();
    const std::string first = RandomVolser(rng, count), media = RandomMediaId(rng);
    SCOPED_TRACE(std::string(r.templ) + " at " + std::to_string(r.dpi) + " dpi from " + first + media);
    const std::string pdf = dir.filePath("sheet.pdf").toStdString();
    std::ostringstream out, err;
    const test::TScratchDataHome data;  // an empty journal for each row
    ASSERT_EQ(RunPrintCli({"--lto", "--media-id", media, "--serial", first, "--template", r.templ, "--count",
                           std::to_string(count), "--print-pdf", pdf, "--dpi", std::to_string(r.dpi)},
                          out, err),
              0)
        << err.str();
    const std::string prefix = dir.filePath("page").toStdString();
    const QImage page = RasterisePdf(pdf, r.dpi, prefix);
    ASSERT_FALSE(page.isNull());
    const TDots d = TDots::FromDpi(r.dpi, r.dpi);
    ASSERT_NEAR(page.width(), d.X(t->page.width), 3);  // PDF pages are whole points

    // Each label alone on a white margin, so what is read is what lies inside its rectangle.
    std::vector<std::string> files, expected;
    const int margin = d.X(Mm(5));
    for (int i = 0; i < count; ++i) {
      const TLabelRect& rect = t->labels[static_cast<std::size_t>(i)];
      const int left = d.X(rect.x), top = d.Y(rect.y);
      const int w = d.X(rect.x + rect.width) - left, h = d.Y(rect.y + rect.height) - top;
      const QImage label = CutRect(page, left, top, w, h, margin);
      files.push_back(dir.filePath(QString("label%1.png").arg(i)).toStdString());
      ASSERT_TRUE(label.save(QString::fromStdString(files.back())));
      char volser[8];
      std::snprintf(volser, sizeof volser, "%s%04d", first.substr(0, 2).c_str(), std::stoi(first.substr(2)) + i);
      expected.push_back(std::string(volser) + media);
    }
    auto zbar = DecodeEach(Reader::Zbar, files), zxing = DecodeEach(Reader::Zxing, files);
    int zbarRead = 0, zxingRead = 0;
    for (int i = 0; i < count; ++i) {
      const auto& f = files[static_cast<std::size_t>(i)];
      const std::vector<std::string> want{expected[static_cast<std::size_t>(i)]};
      zbarRead += zbar[f] == want;
      zxingRead += zxing[f] == want;
      EXPECT_EQ(zbar[f], want) << "zbarimg, label " << i + 1;
      EXPECT_EQ(zxing[f], want) << "ZXingReader, label " << i + 1;
    }
    EXPECT_EQ(zbarRead, count);
    EXPECT_EQ(zxingRead, count);
  }
}

// A run from label 20 of the 3 x 17 stock drawn through a calibration: labels 1
// to 19 hold nothing a reader finds, the others read back where the
// correction moved them.
TEST(LtoScanCorrected, StartLabelAndCalibrationReadBackWhereTheCorrectionPutsThem) {
  if (!testing::HaveTool("pdftoppm") || !testing::HaveTool("zbarimg") || !testing::HaveTool("ZXingReader"))
    GTEST_SKIP() << "pdftoppm, zbarimg or ZXingReader missing (scripts/install-deps installs them)";
  constexpr int kDpi = 600, kStart = 20;
  // The stock has no side margin: the correction keeps every label on the page.
  const TCalibration c{0.5, -1.5, 0.995, 1.01};
  const TSheetTemplate* t = nullptr;
  for (const auto& b : BuiltInTemplates())
    if (b.name == "lto-a4-3x17") t = &b;
  ASSERT_NE(t, nullptr);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string pdf = dir.filePath("sheet.pdf").toStdString();
  const test::TScratchDataHome data;  // an empty journal: the run may be repeated
  std::ostringstream out, err;
  ASSERT_EQ(RunPrintCli({"--lto",       "--media-id",    "LX",
                         "--serial",    "CR0500",        "--template",
                         "lto-a4-3x17", "--start-label", std::to_string(kStart),
                         "--offset-x",  "0.5",           "--offset-y",
                         "-1.5",        "--scale-x",     "0.995",
                         "--scale-y",   "1.01",          "--print-pdf",
                         pdf,           "--dpi",         std::to_string(kDpi)},
                        out, err),
            0)
      << err.str();
  const std::string prefix = dir.filePath("page").toStdString();
  const QImage page = RasterisePdf(pdf, kDpi, prefix);
  ASSERT_FALSE(page.isNull());

  const auto mm = [](TLength l) { return static_cast<double>(l.Micrometres()) / 1000; };
  const auto dots = [](double millimetres) { return RoundEven(millimetres * kDpi / 25.4); };
  const int margin = dots(5);
  std::vector<std::string> files, expected;
  for (int i = 0; i < t->LabelsPerPage(); ++i) {
    const TLabelRect& r = t->labels[static_cast<std::size_t>(i)];
    const int left = dots(c.offsetXMm + c.scaleX * mm(r.x)), top = dots(c.offsetYMm + c.scaleY * mm(r.y));
    const int w = dots(c.scaleX * mm(r.width)), h = dots(c.scaleY * mm(r.height));
    const QImage label = CutRect(page, left, top, w, h, margin);
    files.push_back(dir.filePath(QString("label%1.png").arg(i)).toStdString());
    ASSERT_TRUE(label.save(QString::fromStdString(files.back())));
    expected.push_back(i < kStart - 1 ? "" : "CR0" + std::to_string(500 + i - (kStart - 1)) + "LX");
  }
  auto zbar = DecodeEach(Reader::Zbar, files), zxing = DecodeEach(Reader::Zxing, files);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::vector<std::string> want =
        expected[i].empty() ? std::vector<std::string>{} : std::vector<std::string>{expected[i]};
    EXPECT_EQ(zbar[files[i]], want) << "zbarimg, label " << i + 1;
    EXPECT_EQ(zxing[files[i]], want) << "ZXingReader, label " << i + 1;
  }
}

// Every built-in template at 300 and 600 dpi, the roll label also at a label printer's 203.
INSTANTIATE_TEST_SUITE_P(Templates, LtoScan,
                         ::testing::Values(Row{"lto-a4-2x15", 300}, Row{"lto-a4-2x15", 600},
                                           Row{"lto-letter-2x15", 300}, Row{"lto-letter-2x15", 600},
                                           Row{"lto-a4-3x17", 300}, Row{"lto-a4-3x17", 600}, Row{"lto-roll-79x17", 203},
                                           Row{"lto-roll-79x17", 300}, Row{"lto-roll-79x17", 600},
                                           Row{"dlt-a4-3x10", 300}, Row{"dlt-a4-3x10", 600}),
                         [](const auto& row) {
                           std::string name = std::string(row.param.templ) + "_" + std::to_string(row.param.dpi);
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace vantor
