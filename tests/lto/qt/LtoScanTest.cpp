// End to end: LTO sheets of every built-in template printed to PDF by the
// command line with volsers and media IDs drawn at random, rasterised with
// pdftoppm, each label cut out by its own rectangle and read by zbarimg and
// ZXingReader, readers no one here wrote.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <random>
#include <sstream>

#include "lto/MediaId.h"
#include "printing/qt/PrintCli.h"
#include "support/ScratchDataHome.h"
#include "templates/SheetTemplate.h"
#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

using testing::Lines;
using testing::RunCommand;
using testing::ShellQuote;

// What each reader made of each file, read in one run of each reader.
std::map<std::string, std::vector<std::string>> ZbarRead(const std::vector<std::string>& files) {
  std::string cmd = "zbarimg -q --xml";
  for (const auto& f : files) cmd += " " + ShellQuote(f);
  const std::string xml = RunCommand(cmd + " 2>/dev/null").output;
  std::map<std::string, std::vector<std::string>> found;
  std::string source;
  for (std::size_t at = 0; at < xml.size();) {
    const std::size_t href = xml.find("<source href='", at), data = xml.find("<![CDATA[", at);
    if (href == std::string::npos && data == std::string::npos) break;
    if (href < data) {
      const std::size_t start = href + 14;
      source = xml.substr(start, xml.find('\'', start) - start);
      at = start;
    } else {
      const std::size_t start = data + 9;
      found[source].push_back(xml.substr(start, xml.find("]]>", start) - start));
      at = start;
    }
  }
  return found;
}

std::map<std::string, std::vector<std::string>> ZxingRead(const std::vector<std::string>& files) {
  std::string names;
  for (const auto& f : files) names += " " + ShellQuote(f);
  // ZXingReader 1.4.0 may abort on finding a symbol twice while downscaling
  // (zxing-cpp issue 740); clean symbols need no downscaling.
  testing::CommandResult run = RunCommand("ZXingReader -1" + names + " 2>/dev/null");
  if (run.status != 0) run = RunCommand("ZXingReader -1 -noscale" + names + " 2>/dev/null");
  std::map<std::string, std::vector<std::string>> found;
  for (const std::string& line : Lines(run.output)) {
    const auto first = line.find('"'), last = line.rfind('"');
    const auto space = line.find(' ');
    if (first == std::string::npos || last <= first || space == std::string::npos) continue;
    found[line.substr(0, space)].push_back(line.substr(first + 1, last - first - 1));
  }
  return found;
}

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
  QImageReader::setAllocationLimit(1024);
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
    RunCommand("pdftoppm -r " + std::to_string(r.dpi) + " -gray -png -singlefile " + ShellQuote(pdf) + " " +
               ShellQuote(prefix) + " 2>/dev/null");
    const QImage page(QString::fromStdString(prefix + ".png"));
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
      QImage label(w + 2 * margin, h + 2 * margin, QImage::Format_Grayscale8);
      label.fill(Qt::white);
      {
        QPainter p(&label);
        p.drawImage(QPoint(margin, margin), page.copy(left, top, w, h));
      }
      files.push_back(dir.filePath(QString("label%1.png").arg(i)).toStdString());
      ASSERT_TRUE(label.save(QString::fromStdString(files.back())));
      char volser[8];
      std::snprintf(volser, sizeof volser, "%s%04d", first.substr(0, 2).c_str(), std::stoi(first.substr(2)) + i);
      expected.push_back(std::string(volser) + media);
    }
    auto zbar = ZbarRead(files), zxing = ZxingRead(files);
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
