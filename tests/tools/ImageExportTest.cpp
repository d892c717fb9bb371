// The image files vantor-barcode writes: size, resolution, white quiet zone,
// nothing left behind on errors, and SVG output that scans once rendered.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <filesystem>
#include <fstream>
#include <iostream>

#include <sys/stat.h>

#include "barcode/BarProps.h"
#include "qt/BarcodeImage.h"
#include "qt/QtTestApp.h"
#include "support/FullFolder.h"
#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;
using testing::ScratchDir;
using testing::ShellQuote;

testing::CommandResult Tool(const std::vector<std::string>& args) {
  std::string command = ShellQuote(testing::BarcodeTool());
  for (const std::string& a : args) command += " " + ShellQuote(a);
  return RunCommand(command + " 2>&1");
}

// CODE39 *000000D*, Ratio_2, SC5, 50 %, zoom, no text: 616 x 149 px at 300 dpi.
// The quiet zone is ten modules of 0.445 mm: 52.56 px, rounded up to 53.
const std::vector<std::string> kTapeLabel = {"--type",   "CODE39", "--data",   "000000D", "--ratio", "2",
                                             "--module", "SC5",    "--height", "50",      "--zoom",  "--no-text"};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::vector<std::string> Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  return names;
}

TEST(ImageExport, PngHasTheQuietZoneAndResolution) {
  ScratchDir dir;
  const std::string png = dir / "label.png";
  const auto r = Tool(With(kTapeLabel, {"--out", png}));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "");
  QImage image(QString::fromStdString(png));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(616 + 106, 149 + 106));
  EXPECT_EQ(image.dotsPerMeterX(), 11811);  // 300 dpi
  int firstDarkX = -1, firstDarkY = -1, lastDarkX = -1, lastDarkY = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int g = qGray(image.pixel(x, y));
      EXPECT_TRUE(g == 0 || g == 255) << "bars only, no grey at " << x << "," << y;
      if (g != 0) continue;
      if (firstDarkX < 0 || x < firstDarkX) firstDarkX = x;
      if (firstDarkY < 0 || y < firstDarkY) firstDarkY = y;
      lastDarkX = std::max(lastDarkX, x);
      lastDarkY = std::max(lastDarkY, y);
    }
  EXPECT_EQ(firstDarkX, 53);
  EXPECT_EQ(firstDarkY, 53);
  EXPECT_EQ(lastDarkY, 53 + 148 - 1);  // bars end at y0 + 148
  EXPECT_EQ(lastDarkX, 53 + 604 + 4);  // last bar at pos(116) = round(115 x 5.2559), 5 px wide
}

TEST(ImageExport, SvgAndPdfHaveTheSameSize) {
  ScratchDir dir;
  const std::string svg = dir / "label.svg";
  const std::string pdf = dir / "label.pdf";
  ASSERT_EQ(Tool(With(kTapeLabel, {"--out", svg})).status, 0);
  ASSERT_EQ(Tool(With(kTapeLabel, {"--out", pdf})).status, 0);
  QSvgRenderer renderer(QString::fromStdString(svg));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 722, 255));
  std::ifstream in(pdf, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  if (!testing::HaveTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  ASSERT_EQ(RunCommand("pdftoppm -r 300 -singlefile -png " + ShellQuote(pdf) + " " + ShellQuote(dir / "page")).status,
            0);
  // The page is widened to whole points: 174 x 66 pt.
  EXPECT_EQ(QImage(QString::fromStdString(dir / "page.png")).size(), QSize(725, 275));
}

TEST(ImageExport, NothingLeftBehindOnErrors) {
  ScratchDir dir;
  const std::string png = dir / "refused.png";
  // The engine refuses: no file at all.
  auto r = Tool({"--type", "CODE128_B", "--data", "tab\there", "--out", png});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("vantor-barcode: CODE128_B cannot encode \"\\x09\""), std::string::npos) << r.output;
  EXPECT_TRUE(Entries(dir.path()).empty());
  // A refused value: no file.
  r = Tool({"--type", "CODE39", "--data", "A", "--height", "500", "--out", png});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("--height must be between 20 and 200, not 500"), std::string::npos) << r.output;
  EXPECT_TRUE(Entries(dir.path()).empty());
  // A directory that does not exist.
  r = Tool({"--type", "CODE39", "--data", "A", "--out", dir / "missing/a.png"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("cannot write"), std::string::npos) << r.output;
  EXPECT_TRUE(Entries(dir.path()).empty());
  // An existing file survives a failed run unchanged.
  {
    std::ofstream keep(png);
    keep << "previous";
  }
  r = Tool({"--type", "CODE128_B", "--data", "tab\there", "--out", png});
  EXPECT_EQ(r.status, 1);
  std::ifstream back(png);
  std::string content;
  std::getline(back, content);
  EXPECT_EQ(content, "previous");
  // A good run replaces it and leaves no temporary file.
  r = Tool({"--type", "CODE39", "--data", "A", "--out", png});
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"refused.png"});
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
}

// A full disk and a name that is no file: the export says why, names the
// file, leaves nothing of its own and keeps what was there.
TEST(ImageExport, FullDiskAndNoFileTargetsKeepWhatWasThere) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
  testing::TFullFolder full(dir.path() / "full", 4096);
  std::cout << "full disk: " << full.How() << "\n";
  TLLBarcode bc;
  bc.Params.CodeType = CODE128_B;
  SetCaption(bc.Params, "The quick brown fox jumps over 13 lazy dogs");  // every format above 4 KiB at 600 dpi
  struct Row {
    const char* name;
    TImageFormat format;
  };
  for (const Row& r : {Row{"PNG", TImageFormat::Png}, Row{"SVG", TImageFormat::Svg}, Row{"PDF", TImageFormat::Pdf}}) {
    SCOPED_TRACE(r.name);
    const std::string older = (full.Path() / "older").string();
    std::ofstream(older) << "older";
    EXPECT_EQ(WriteBarcodeImage(bc, older, r.format, 600), "cannot write " + older + ": " + full.Reason());
    std::ifstream back(older);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(back), {}), "older");
    fs::remove(older);
    EXPECT_TRUE(full.Entries().empty()) << ::testing::PrintToString(full.Entries());

    const std::string pipe = dir / "pipe";
    EXPECT_EQ(WriteBarcodeImage(bc, pipe, r.format, 600), "cannot write " + pipe + ": not a file");
    EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
  }
}

TEST(ImageExport, BadCommandLineIsStatusTwo) {
  ScratchDir dir;
  EXPECT_EQ(Tool({"--type", "CODE39", "--data", "A", "--out", dir / "a.gif"}).status, 2);
  EXPECT_EQ(Tool({"--type", "CODE39", "--data", "A", "--rotate", "45", "--out", dir / "a.png"}).status, 2);
  EXPECT_TRUE(Entries(dir.path()).empty());
}

// SVG has no reader of its own: render it with Qt's SVG renderer, then decode.
struct SvgCase {
  const char* name;
  std::vector<std::string> args;
  std::string zbar, zxing;
};

class SvgRoundTrip : public ::testing::TestWithParam<SvgCase> {};

TEST_P(SvgRoundTrip, RenderedSvgScans) {
  const SvgCase& c = GetParam();
  ScratchDir dir;
  const std::string svg = dir / "symbol.svg";
  const auto made = Tool(With(c.args, {"--out", svg}));
  ASSERT_EQ(made.status, 0) << made.output;
  QSvgRenderer renderer(QString::fromStdString(svg));
  ASSERT_TRUE(renderer.isValid());
  // One SVG unit per pixel of the resolution it was written at.
  QImage image(renderer.viewBox().size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    renderer.render(&p);
  }
  const std::string png = dir / "rendered.png";
  ASSERT_TRUE(image.save(QString::fromStdString(png)));
  int readers = 0;
  for (testing::Reader reader : {testing::Reader::Zbar, testing::Reader::Zxing}) {
    if (!testing::HaveTool(testing::ReaderBinary(reader))) continue;
    ++readers;
    const auto found = testing::Decode(reader, png);
    const std::string& want = reader == testing::Reader::Zbar ? c.zbar : c.zxing;
    EXPECT_NE(std::find(found.begin(), found.end(), want), found.end())
        << testing::ReaderBinary(reader) << " found " << ::testing::PrintToString(found);
  }
  if (readers == 0) GTEST_SKIP() << "neither zbarimg nor ZXingReader is installed";
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, SvgRoundTrip,
    ::testing::Values(
        SvgCase{"Code39", {"--type", "CODE39", "--data", "000000D"}, "000000D", "000000D"},
        SvgCase{"Code39Rotate90", {"--type", "CODE39", "--data", "000000D", "--rotate", "90"}, "000000D", "000000D"},
        SvgCase{"Code39Rotate180", {"--type", "CODE39", "--data", "000000D", "--rotate", "180"}, "000000D", "000000D"},
        SvgCase{"Code39Rotate270", {"--type", "CODE39", "--data", "000000D", "--rotate", "270"}, "000000D", "000000D"},
        SvgCase{"Ean13Addon5",
                {"--type", "EAN_13", "--data", "590123412345", "--addon", "12345"},
                "12345",
                "5901234123457 12345"},
        SvgCase{"UpcE", {"--type", "UPC_E", "--data", "123456"}, "01234565", "01234565"},
        SvgCase{"Code128B", {"--type", "CODE128_B", "--data", "Vantor 128b"}, "Vantor 128b", "Vantor 128b"},
        SvgCase{"Codabar", {"--type", "Codabar", "--data", "12345"}, "A12345A", "12345"}),
    [](const ::testing::TestParamInfo<SvgCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vantor
