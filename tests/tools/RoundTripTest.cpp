// What vantor-barcode writes must scan as it stands: PNG and PDF files decoded
// by readers we did not write. The expected texts come from the symbologies'
// published examples and hand-worked check digits, not from our encoder.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

using testing::Decode;
using testing::HaveTool;
using testing::Reader;
using testing::RunCommand;
using testing::ScratchDir;
using testing::ShellQuote;

struct Symbol {
  const char* name;
  std::vector<std::string> args;   // vantor-barcode options
  std::vector<std::string> zbar;   // texts ZBar must report (all of them)
  std::vector<std::string> zxing;  // texts ZXing must report
};

const std::vector<Symbol>& Symbols() {
  static const std::vector<Symbol> symbols = {
      {"Code39TapeLabel",
       {"--type", "CODE39", "--data", "000000D", "--ratio", "2", "--module", "SC5"},
       {"000000D"},
       {"000000D"}},
      {"Code39Ratio3", {"--type", "CODE39", "--data", "VANTOR-42"}, {"VANTOR-42"}, {"VANTOR-42"}},
      // The EAN-8 example 9638507 with its check digit 4.
      {"Ean8", {"--type", "EAN_8", "--data", "9638507"}, {"96385074"}, {"96385074"}},
      // GS1's 590123412345 with check digit 7.
      {"Ean13", {"--type", "EAN_13", "--data", "590123412345"}, {"5901234123457"}, {"5901234123457"}},
      {"Ean13Addon5",
       {"--type", "EAN_13", "--data", "590123412345", "--addon", "12345"},
       {"5901234123457", "12345"},
       {"5901234123457 12345"}},
      {"Ean13Addon2",
       {"--type", "EAN_13", "--data", "590123412345", "--addon", "12"},
       {"5901234123457", "12"},
       {"5901234123457 12"}},
      // The UPC-A example 03600029145 with check digit 2.
      {"UpcA", {"--type", "UPC_A", "--data", "03600029145"}, {"036000291452"}, {"036000291452"}},
      {"UpcAAddon2",
       {"--type", "UPC_A", "--data", "03600029145", "--addon", "12"},
       {"036000291452", "12"},
       {"036000291452 12"}},
      // UPC-E 123456 expands to 01234500006, check digit 5.
      {"UpcE", {"--type", "UPC_E", "--data", "123456"}, {"01234565"}, {"01234565"}},
      // Odd digit count: weights 3,1,3,1,3,1,3 give 60, check digit 0.
      {"Interleaved25", {"--type", "CODE25i", "--data", "1234567"}, {"12345670"}, {"12345670"}},
      {"Interleaved25Ratio2", {"--type", "CODE25i", "--data", "987654", "--ratio", "2"}, {"987654"}, {"987654"}},
      // Postal weights 4,9,4,... over 12345678901 give 284, check digit 6.
      {"Interleaved25Postal", {"--type", "CODE25iP", "--data", "12345678901"}, {"123456789016"}, {"123456789016"}},
      {"Code128A", {"--type", "CODE128_A", "--data", "HELLO-123"}, {"HELLO-123"}, {"HELLO-123"}},
      {"Code128B", {"--type", "CODE128_B", "--data", "Vantor 128b"}, {"Vantor 128b"}, {"Vantor 128b"}},
      {"Code128C", {"--type", "CODE128_C", "--data", "12345678"}, {"12345678"}, {"12345678"}},
      {"Code128COdd", {"--type", "CODE128_C", "--data", "12345"}, {"12345"}, {"12345"}},
      // ZBar reports Codabar's start and stop characters, ZXing leaves them out.
      {"Codabar", {"--type", "Codabar", "--data", "12345"}, {"A12345A"}, {"12345"}},
      {"CodabarStartStop", {"--type", "Codabar", "--data", "a40156b", "--ratio", "2"}, {"A40156B"}, {"40156"}},
      // Drawing options.
      {"Code39Rotate90", {"--type", "CODE39", "--data", "000000D", "--rotate", "90"}, {"000000D"}, {"000000D"}},
      {"Code39Rotate180", {"--type", "CODE39", "--data", "000000D", "--rotate", "180"}, {"000000D"}, {"000000D"}},
      {"Code39Rotate270", {"--type", "CODE39", "--data", "000000D", "--rotate", "270"}, {"000000D"}, {"000000D"}},
      {"Ean13Addon5Rotate90",
       {"--type", "EAN_13", "--data", "590123412345", "--addon", "12345", "--rotate", "90"},
       {"5901234123457", "12345"},
       {"5901234123457 12345"}},
      {"UpcARotate270",
       {"--type", "UPC_A", "--data", "03600029145", "--rotate", "270"},
       {"036000291452"},
       {"036000291452"}},
      {"Code128BRotate180", {"--type", "CODE128_B", "--data", "Vantor", "--rotate", "180"}, {"Vantor"}, {"Vantor"}},
      {"Code39Zoom", {"--type", "CODE39", "--data", "ZOOM 1", "--zoom", "--module", "SC3"}, {"ZOOM 1"}, {"ZOOM 1"}},
      {"Code39HighDensity", {"--type", "CODE39", "--data", "HD", "--high-density", "--module", "SC9"}, {"HD"}, {"HD"}},
      {"Code39WidthReduce", {"--type", "CODE39", "--data", "WR", "--width-reduce", "--module", "SC6"}, {"WR"}, {"WR"}},
      {"Ean13ShortNoText",
       {"--type", "EAN_13", "--data", "590123412345", "--height", "40", "--no-text"},
       {"5901234123457"},
       {"5901234123457"}},
      {"Ean13BigText",
       {"--type", "EAN_13", "--data", "590123412345", "--font-scale", "150", "--height", "150"},
       {"5901234123457"},
       {"5901234123457"}},
      {"Code39At96Dpi", {"--type", "CODE39", "--data", "000000D", "--dpi", "96"}, {"000000D"}, {"000000D"}},
      {"Ean13At96Dpi",
       {"--type", "EAN_13", "--data", "590123412345", "--dpi", "96"},
       {"5901234123457"},
       {"5901234123457"}},
      {"Code128At600Dpi", {"--type", "CODE128_B", "--data", "600dpi", "--dpi", "600"}, {"600dpi"}, {"600dpi"}},
  };
  return symbols;
}

enum class Format { Png, Pdf };

struct Case {
  std::size_t symbol;
  Format format;
  Reader reader;
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  const Case& c = info.param;
  return std::string(Symbols()[c.symbol].name) + (c.format == Format::Png ? "_Png" : "_Pdf") +
         (c.reader == Reader::Zbar ? "_Zbar" : "_Zxing");
}

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  for (std::size_t i = 0; i < Symbols().size(); ++i)
    for (Format f : {Format::Png, Format::Pdf})
      for (Reader r : {Reader::Zbar, Reader::Zxing}) cases.push_back({i, f, r});
  return cases;
}

// The --dpi a case asks for, 300 otherwise.
std::string DpiOf(const std::vector<std::string>& args) {
  const auto it = std::find(args.begin(), args.end(), "--dpi");
  return it != args.end() && it + 1 != args.end() ? *(it + 1) : "300";
}

class RoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(RoundTrip, ReaderDecodesWhatWeWrote) {
  const Case& c = GetParam();
  const Symbol& s = Symbols()[c.symbol];
  const char* reader = testing::ReaderBinary(c.reader);
  if (!HaveTool(reader)) GTEST_SKIP() << reader << " is not installed; cannot decode " << s.name;
  if (c.format == Format::Pdf && !HaveTool("pdftoppm"))
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed; cannot rasterise the PDF of " << s.name;

  ScratchDir dir;
  const std::string out = dir / (c.format == Format::Png ? "symbol.png" : "symbol.pdf");
  std::string command = ShellQuote(testing::BarcodeTool());
  for (const std::string& a : s.args) command += " " + ShellQuote(a);
  command += " --out " + ShellQuote(out);
  const auto made = RunCommand(command + " 2>&1");
  ASSERT_EQ(made.status, 0) << command << "\n" << made.output;

  std::string image = out;
  if (c.format == Format::Pdf) {
    const std::string dpi = DpiOf(s.args);
    const auto raster = RunCommand("pdftoppm -r " + dpi + " -singlefile -png " + ShellQuote(out) + " " +
                                   ShellQuote(dir / "page") + " 2>&1");
    ASSERT_EQ(raster.status, 0) << raster.output;
    image = dir / "page.png";
  }
  const std::vector<std::string> found = Decode(c.reader, image);
  const std::vector<std::string>& want = c.reader == Reader::Zbar ? s.zbar : s.zxing;
  for (const std::string& w : want)
    EXPECT_NE(std::find(found.begin(), found.end(), w), found.end())
        << reader << " did not report \"" << w << "\" in " << image << "; it found " << ::testing::PrintToString(found);
}

INSTANTIATE_TEST_SUITE_P(Symbols, RoundTrip, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace vantor
