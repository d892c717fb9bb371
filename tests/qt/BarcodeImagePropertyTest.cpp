// Random valid data for every symbology a reader can decode, exported to PNG
// through the image export and read back by ZBar and ZXing, readers we did not
// write. The expected texts are worked out here from each standard's own rules
// (check digits, UPC-E expansion), never taken from our encoder.
//
// The run is reproducible: the seed is printed with every failure, and
// VANTOR_PROPERTY_SEED=<n> repeats a run with that seed.
#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "barcode/BarProps.h"
#include "qt/BarcodeImage.h"
#include "qt/QtTestApp.h"
#include "tools/ReaderUtil.h"

namespace vantor {
namespace {

using testing::HaveTool;
using testing::RunCommand;
using testing::ScratchDir;
using testing::ShellQuote;

constexpr std::uint64_t kDefaultSeed = 20261208;

std::uint64_t RunSeed() {
  if (const char* s = std::getenv("VANTOR_PROPERTY_SEED")) return std::strtoull(s, nullptr, 10);
  return kDefaultSeed;
}

// --- Expected texts, from the standards -------------------------------------

int Digit(char c) { return c - '0'; }

// GS1 modulo-10 check digit: weight 3 on the rightmost digit, then 1, 3, ...
char Gs1Check(const std::string& digits) {
  int sum = 0, weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it, weight = 4 - weight) sum += weight * Digit(*it);
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

// The UPC-A number (number system 0, without check digit) a UPC-E symbol
// stands for, by the last of its six digits.
std::string ExpandUpcE(const std::string& d) {
  switch (d[5]) {
    case '0':
    case '1':
    case '2': return "0" + d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
    case '3': return "0" + d.substr(0, 3) + "00000" + d.substr(3, 2);
    case '4': return "0" + d.substr(0, 4) + "00000" + d[4];
    default: return "0" + d.substr(0, 5) + "0000" + d[5];
  }
}

// An EAN-13 whose first digit is 0 is a UPC-A, and both readers report it so.
std::string AsReported13(const std::string& thirteen) { return thirteen[0] == '0' ? thirteen.substr(1) : thirteen; }

// --- Samples -----------------------------------------------------------------

struct Sample {
  std::string family;
  btCodeTypes type;
  std::string caption;
  std::string addon;
  btCodeRatio ratio = Ratio_3;
  btCodeSizes module = SC2;
  std::string text;       // what both readers report for the main symbol
  std::string zbarShown;  // ZBar's text when it differs (Codabar keeps its start and stop)
};

std::string Pick(std::mt19937_64& rng, const std::string& alphabet, std::size_t n) {
  std::string s;
  std::uniform_int_distribution<std::size_t> at(0, alphabet.size() - 1);
  for (std::size_t i = 0; i < n; ++i) s += alphabet[at(rng)];
  return s;
}
std::size_t Between(std::mt19937_64& rng, std::size_t lo, std::size_t hi) {
  return std::uniform_int_distribution<std::size_t>(lo, hi)(rng);
}

const std::string kDigits = "0123456789";
const std::string kCode39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

struct Family {
  const char* name;
  int count;
  Sample (*make)(std::mt19937_64&);
};

Sample Ean13WithAddon(std::mt19937_64& rng, std::size_t addonDigits) {
  const std::string data = Pick(rng, kDigits, 12);
  return {"", EAN_13, data, Pick(rng, kDigits, addonDigits), Ratio_3, SC2, AsReported13(data + Gs1Check(data)), ""};
}

const Family kFamilies[] = {
    {"Code 39", 30,
     [](std::mt19937_64& rng) {
       const std::string t = Pick(rng, kCode39, Between(rng, 1, 20));
       return Sample{"", CODE39, t, "", rng() % 2 ? Ratio_2 : Ratio_3, SC2, t, ""};
     }},
    {"EAN-8", 25,
     [](std::mt19937_64& rng) {
       const std::string d = Pick(rng, kDigits, 7);
       return Sample{"", EAN_8, d, "", Ratio_3, SC2, d + Gs1Check(d), ""};
     }},
    {"EAN-13", 25,
     [](std::mt19937_64& rng) {
       const std::string d = Pick(rng, kDigits, 12);
       return Sample{"", EAN_13, d, "", Ratio_3, SC2, AsReported13(d + Gs1Check(d)), ""};
     }},
    {"EAN-13 with a 2-digit add-on", 15, [](std::mt19937_64& rng) { return Ean13WithAddon(rng, 2); }},
    {"EAN-13 with a 5-digit add-on", 15, [](std::mt19937_64& rng) { return Ean13WithAddon(rng, 5); }},
    {"UPC-A", 25,
     [](std::mt19937_64& rng) {
       const std::string d = Pick(rng, kDigits, 11);
       return Sample{"", UPC_A, d, "", Ratio_3, SC2, d + Gs1Check(d), ""};
     }},
    {"UPC-E", 25,
     [](std::mt19937_64& rng) {
       const std::string d = Pick(rng, kDigits, 6);
       return Sample{"", UPC_E, d, "", Ratio_3, SC2, "0" + d + Gs1Check(ExpandUpcE(d)), ""};
     }},
    {"Interleaved 2 of 5", 30,
     [](std::mt19937_64& rng) {
       // An odd count gets a check digit to make it even; readers want 6 or more.
       const std::string d = Pick(rng, kDigits, Between(rng, 5, 19));
       return Sample{"", CODE25i, d, "", rng() % 2 ? Ratio_2 : Ratio_3, SC2, d.size() % 2 ? d + Gs1Check(d) : d, ""};
     }},
    {"Code 128 A", 25,
     [](std::mt19937_64& rng) {
       std::string t;
       for (std::size_t i = Between(rng, 1, 30); i > 0; --i) t += static_cast<char>(Between(rng, 32, 95));
       return Sample{"", CODE128_A, t, "", Ratio_3, SC2, t, ""};
     }},
    {"Code 128 B", 30,
     [](std::mt19937_64& rng) {
       std::string t;
       for (std::size_t i = Between(rng, 1, 30); i > 0; --i) t += static_cast<char>(Between(rng, 32, 126));
       return Sample{"", CODE128_B, t, "", Ratio_3, SC2, t, ""};
     }},
    {"Code 128 C", 25,
     [](std::mt19937_64& rng) {
       const std::string d = Pick(rng, kDigits, Between(rng, 1, 40));  // an odd last digit goes in set A
       return Sample{"", CODE128_C, d, "", Ratio_3, SC2, d, ""};
     }},
    {"Codabar", 30,
     [](std::mt19937_64& rng) {
       const std::string start = Pick(rng, "ABCD", 1), stop = Pick(rng, "ABCD", 1);
       const std::string data = Pick(rng, "0123456789-$:/.+", Between(rng, 4, 16));
       return Sample{"",  Codabar, start + data + stop, "", rng() % 2 ? Ratio_2 : Ratio_3,
                     SC2, data,    start + data + stop};
     }},
};

// --- Reading many files per reader call --------------------------------------

// ZBar's XML: for each file, the texts of its symbols (base64 where ZBar chose it).
std::map<std::string, std::vector<std::string>> ParseZbarXml(const std::string& xml) {
  std::map<std::string, std::vector<std::string>> found;
  std::size_t pos = 0;
  std::string file;
  while (true) {
    const std::size_t source = xml.find("<source href='", pos), data = xml.find("<data", pos);
    if (source == std::string::npos && data == std::string::npos) break;
    if (source < data) {
      const std::size_t from = source + 14;
      file = xml.substr(from, xml.find('\'', from) - from);
      found[file];
      pos = from;
      continue;
    }
    const std::size_t tagEnd = xml.find('>', data);
    const bool base64 = xml.substr(data, tagEnd - data).find("base64") != std::string::npos;
    const std::size_t open = xml.find("<![CDATA[", tagEnd) + 9;
    const std::size_t close = xml.find("]]></data>", open);
    std::string text = xml.substr(open, close - open);
    if (base64) text = QByteArray::fromBase64(QByteArray::fromStdString(text).trimmed()).toStdString();
    found[file].push_back(text);
    pos = close;
  }
  return found;
}

// ZXingReader -1: one line per symbol, `file FORMAT "text"`.
void ParseZxingLines(const std::string& output, std::map<std::string, std::vector<std::string>>& found) {
  for (const std::string& line : testing::Lines(output)) {
    const std::size_t space = line.find(' '), first = line.find('"'), last = line.rfind('"');
    if (space == std::string::npos || first == std::string::npos || last <= first) continue;
    found[line.substr(0, space)].push_back(line.substr(first + 1, last - first - 1));
  }
}

std::string Join(const std::vector<std::string>& files) {
  std::string s;
  for (const std::string& f : files) s += " " + ShellQuote(f);
  return s;
}

TEST(BarcodeImageProperty, RandomDataReadsBackWithBothReaders) {
  for (const char* tool : {"zbarimg", "ZXingReader"})
    if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed (scripts/install-deps installs it)";
  const std::uint64_t seed = RunSeed();
  SCOPED_TRACE(::testing::Message() << "seed " << seed << " (VANTOR_PROPERTY_SEED=" << seed << " repeats this run)");

  ScratchDir dir;
  std::vector<Sample> samples;
  std::vector<std::string> files;
  for (std::size_t f = 0; f < std::size(kFamilies); ++f) {
    // A stream of its own per family, so adding one changes no other.
    std::mt19937_64 rng(seed * 1000003u + f);
    for (int i = 0; i < kFamilies[f].count; ++i) {
      Sample s = kFamilies[f].make(rng);
      s.family = kFamilies[f].name;
      s.module = static_cast<btCodeSizes>(Between(rng, SC2, SC6));
      TLLBarcode bc;
      bc.Params.CodeType = s.type;
      bc.Params.Ratio = s.ratio;
      bc.Params.ModuleWidth = s.module;
      SetCaption(bc.Params, s.caption);
      SetCodeAddon(bc.Params, s.addon);
      const std::string file = dir / ("s" + std::to_string(samples.size()) + ".png");
      ASSERT_EQ(WriteBarcodeImage(bc, file, TImageFormat::Png, 300), "") << s.family << " \"" << s.caption << "\"";
      samples.push_back(s);
      files.push_back(file);
    }
  }

  std::map<std::string, std::vector<std::string>> zbar, zxing;
  constexpr std::size_t kBatch = 60;
  for (std::size_t b = 0; b < files.size(); b += kBatch) {
    const std::vector<std::string> batch(
        files.begin() + static_cast<std::ptrdiff_t>(b),
        files.begin() + static_cast<std::ptrdiff_t>(std::min(b + kBatch, files.size())));
    const auto z = RunCommand("zbarimg -q --xml -Supca.enable -Supce.enable -Sean2.enable -Sean5.enable" + Join(batch) +
                              " 2>/dev/null");
    for (auto& [file, texts] : ParseZbarXml(z.output)) zbar[file] = texts;
    // ZXingReader 1.4 can abort on its downscaled pass (see ReaderUtil.h);
    // then the batch is read again without it.
    auto x = RunCommand("ZXingReader -1" + Join(batch) + " 2>/dev/null");
    if (x.status < 0 || (x.status > 128 && x.status != 255))
      x = RunCommand("ZXingReader -1 -noscale" + Join(batch) + " 2>/dev/null");
    ParseZxingLines(x.output, zxing);
  }

  std::map<std::string, int> failures;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const Sample& s = samples[i];
    const std::string main = s.zbarShown.empty() ? s.text : s.zbarShown;
    std::vector<std::string> zbarWant{main};
    if (!s.addon.empty()) zbarWant.push_back(s.addon);
    std::vector<std::string> zbarGot = zbar[files[i]];
    std::sort(zbarWant.begin(), zbarWant.end());
    std::sort(zbarGot.begin(), zbarGot.end());
    // ZXing reports a symbol with an add-on as "main add-on", and may report
    // the main symbol alone as well.
    const std::string zxingWant = s.addon.empty() ? s.text : s.text + " " + s.addon;
    const std::vector<std::string>& zxingGot = zxing[files[i]];
    const bool zxingOk = std::find(zxingGot.begin(), zxingGot.end(), zxingWant) != zxingGot.end() &&
                         std::all_of(zxingGot.begin(), zxingGot.end(),
                                     [&](const std::string& t) { return t == zxingWant || t == s.text; });
    EXPECT_EQ(zbarGot, zbarWant) << "ZBar, " << s.family << " \"" << s.caption << "\" add-on \"" << s.addon
                                 << "\" module " << int(s.module) << " ratio " << int(s.ratio);
    EXPECT_TRUE(zxingOk) << "ZXing, " << s.family << " \"" << s.caption << "\" add-on \"" << s.addon << "\": wanted \""
                         << zxingWant << "\", read " << ::testing::PrintToString(zxingGot);
    failures[s.family] += (zbarGot != zbarWant) + !zxingOk;
  }
  for (const Family& f : kFamilies) EXPECT_EQ(failures[f.name], 0) << f.name;
  ::testing::Test::RecordProperty("samples", static_cast<int>(samples.size()));
}

}  // namespace
}  // namespace vantor
