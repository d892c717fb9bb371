// Compares our module sequences with zint's (`zint --dump`), an encoder no one
// here wrote. Conventions that legitimately differ are normalised, each noted:
//  - `--dump` prints four modules per hex digit with the last digit zero-padded,
//    and EAN/UPC dumps carry quiet zones: light modules at both ends are cut
//    from both sides (every symbol starts and ends with a bar).
//  - zint's Code 39 has no trailing inter-character gap (cut as above); its
//    CODE39 type is fixed at 2:1, its LOGMARS type at 3:1.
//  - zint's Interleaved 2 of 5 is 3:1 and adds no check digit to an even count,
//    so only even digit counts are compared.
//  - zint picks Code 128 sets itself: only data it keeps in the one set we use.
//  - zint's MSI is 2:1 with the stop 1001, the same marks as our two 0 bits.
//  - zint's Codabar is 2:1.
//  - zint separates an EAN/UPC add-on by 7 light modules, we by 9 (the
//    standard allows 7 to 12): runs of 7 or more light modules are compared as one gap.
//  - Postnet and FIM dumps are two-dimensional; each of our bar positions is a
//    column pair there (bar, gap).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "barcode/EncodeHelpers.h"

namespace vantor {
namespace {

using test::EncodeCaption;

bool HaveZint() { return std::system("zint --version >/dev/null 2>&1") == 0; }

// The rows of zint's dump as module strings.
std::vector<std::string> ZintRows(int symbology, const std::string& data, const std::string& options = "") {
  const std::string cmd = "zint --dump -b " + std::to_string(symbology) + " " + options + " -d '" + data + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
  std::vector<std::string> rows;
  if (!pipe) return rows;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe.get())) {
    std::string bits;
    for (const char* p = line; *p; ++p) {
      const char c = *p;
      int v = -1;
      if (c >= '0' && c <= '9')
        v = c - '0';
      else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
      else if (c == ' ' || c == '\n')
        continue;
      else
        return {std::string("zint error: ") + line};
      for (int b = 3; b >= 0; --b) bits.push_back(((v >> b) & 1) ? '1' : '0');
    }
    rows.push_back(bits);
  }
  return rows;
}

std::string Trim(const std::string& m) {
  const auto first = m.find('1');
  if (first == std::string::npos) return "";
  std::string t = m.substr(first, m.rfind('1') - first + 1);
  // An add-on gap (no symbology here has 7 light modules in a row otherwise).
  const auto gap = t.find("0000000");
  if (gap != std::string::npos) {
    const auto end = t.find('1', gap);
    t = t.substr(0, gap) + "|" + t.substr(end);
  }
  return t;
}

struct LinearRow {
  const char* name;
  btCodeTypes type;
  std::string caption;
  btCodeRatio ratio;
  std::string addon;
  int zintType;
  std::string zintData;
  std::string zintOptions;
};

TEST(ZintCrossCheck, LinearSymbologies) {
  if (!HaveZint()) GTEST_SKIP() << "zint is not installed (scripts/install-deps installs it)";
  constexpr int kCode39 = 8, kLogmars = 50, kEanx = 13, kUpca = 34, kUpce = 37, kI25 = 3, kCode128 = 20,
                kCode128AB = 60, kMsi = 47, kCodabar = 18;
  const LinearRow rows[] = {
      {"Code 39 2:1 tape label", CODE39, "000000D", Ratio_2, "", kCode39, "000000D", ""},
      {"Code 39 2:1 every special", CODE39, "CODE 39-$/+%.", Ratio_2, "", kCode39, "CODE 39-$/+%.", ""},
      {"Code 39 3:1 (LOGMARS)", CODE39, "ABC123", Ratio_3, "", kLogmars, "ABC123", ""},
      {"EAN-13", EAN_13, "400638133393", Ratio_3, "", kEanx, "400638133393", ""},
      {"EAN-13 first digit 9", EAN_13, "978020137962", Ratio_3, "", kEanx, "978020137962", ""},
      {"EAN-13 + 2", EAN_13, "400638133393", Ratio_3, "12", kEanx, "400638133393+12", ""},
      {"EAN-13 + 5", EAN_13, "400638133393", Ratio_3, "12345", kEanx, "400638133393+12345", ""},
      {"EAN-8", EAN_8, "9638507", Ratio_3, "", kEanx, "9638507", ""},
      {"UPC-A", UPC_A, "03600029145", Ratio_3, "", kUpca, "03600029145", ""},
      {"UPC-A + 5", UPC_A, "03600029145", Ratio_3, "52495", kUpca, "03600029145+52495", ""},
      {"UPC-E d6 = 6", UPC_E, "123456", Ratio_3, "", kUpce, "123456", ""},
      {"UPC-E d6 = 0", UPC_E, "042100", Ratio_3, "", kUpce, "042100", ""},
      {"UPC-E d6 = 3", UPC_E, "123453", Ratio_3, "", kUpce, "123453", ""},
      {"Interleaved 2 of 5", CODE25i, "1234", Ratio_3, "", kI25, "1234", ""},
      {"Interleaved 2 of 5 long", CODE25i, "0123456789012345", Ratio_3, "", kI25, "0123456789012345", ""},
      {"Code 128 B", CODE128_B, "abc xyz", Ratio_3, "", kCode128AB, "abc xyz", ""},
      {"Code 128 B mixed", CODE128_B, "Tape-Label!", Ratio_3, "", kCode128AB, "Tape-Label!", ""},
      {"Code 128 C", CODE128_C, "123456", Ratio_3, "", kCode128, "123456", ""},
      {"Code 128 C long", CODE128_C, "00112233445566778899", Ratio_3, "", kCode128, "00112233445566778899", ""},
      {"MSI mod 10", MSI_Plessey, "1234567", Ratio_2, "", kMsi, "1234567", "--vers=1"},
      {"MSI mod 10 long", MSI_Plessey, "80523", Ratio_2, "", kMsi, "80523", "--vers=1"},
      {"Codabar", Codabar, "A12345B", Ratio_2, "", kCodabar, "A12345B", ""},
      {"Codabar punctuation", Codabar, "C-$:/.+D", Ratio_2, "", kCodabar, "C-$:/.+D", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const auto ours = EncodeCaption(r.type, r.caption, r.ratio, r.addon);
    const auto theirs = ZintRows(r.zintType, r.zintData, r.zintOptions);
    ASSERT_EQ(theirs.size(), 1u) << (theirs.empty() ? "no output" : theirs.front());
    EXPECT_EQ(Trim(ours.modules), Trim(theirs.front()));
  }
}

// Each of the 43 data characters alone between the start and stop characters,
// at both ratios: one wrong pattern or a misplaced wide element shows here.
TEST(ZintCrossCheck, Code39EveryCharacter) {
  if (!HaveZint()) GTEST_SKIP() << "zint is not installed (scripts/install-deps installs it)";
  constexpr int kCode39 = 8, kLogmars = 50;
  const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  ASSERT_EQ(alphabet.size(), 43u);
  for (const char c : alphabet) {
    for (const auto& [ratio, zintType] : {std::pair{Ratio_2, kCode39}, std::pair{Ratio_3, kLogmars}}) {
      SCOPED_TRACE(std::string("'") + c + "' " + (ratio == Ratio_2 ? "2:1" : "3:1"));
      const auto ours = EncodeCaption(CODE39, std::string(1, c), ratio);
      const auto theirs = ZintRows(zintType, std::string(1, c));
      ASSERT_EQ(theirs.size(), 1u) << (theirs.empty() ? "no output" : theirs.front());
      EXPECT_EQ(Trim(ours.modules), Trim(theirs.front()));
    }
  }
}

// The first digit of an EAN-13 is carried by the A/B parity of digits 2 to 7.
TEST(ZintCrossCheck, Ean13EveryFirstDigit) {
  if (!HaveZint()) GTEST_SKIP() << "zint is not installed (scripts/install-deps installs it)";
  constexpr int kEanx = 13;
  for (char first = '0'; first <= '9'; ++first) {
    const std::string data = first + std::string("12345678901");
    SCOPED_TRACE(data);
    const auto ours = EncodeCaption(EAN_13, data);
    const auto theirs = ZintRows(kEanx, data);
    ASSERT_EQ(theirs.size(), 1u) << (theirs.empty() ? "no output" : theirs.front());
    EXPECT_EQ(Trim(ours.modules), Trim(theirs.front()));
  }
}

TEST(ZintCrossCheck, PostnetAndFim) {
  if (!HaveZint()) GTEST_SKIP() << "zint is not installed (scripts/install-deps installs it)";
  constexpr int kPostnet = 40, kFim = 49;
  for (const std::string zip : {"12345", "555551237", "12345678901"}) {
    SCOPED_TRACE(zip);
    const auto ours = EncodeCaption(Postnet, zip);
    const auto rows = ZintRows(kPostnet, zip);
    ASSERT_EQ(rows.size(), 2u);
    std::string tall;
    for (std::size_t col = 0; col < rows[1].size(); col += 2)
      if (rows[1][col] == '1') tall.push_back(rows[0][col]);
    EXPECT_EQ(tall, ours.modules);
  }
  for (const std::string mark : {"A", "B", "C"}) {
    SCOPED_TRACE(mark);
    const auto ours = EncodeCaption(Postnet_FIM, mark);
    const auto rows = ZintRows(kFim, mark);
    ASSERT_EQ(rows.size(), 1u);
    std::string bars;
    for (std::size_t k = 0; k < ours.modules.size(); ++k) bars.push_back(2 * k < rows[0].size() ? rows[0][2 * k] : '0');
    EXPECT_EQ(bars, ours.modules);
  }
}

}  // namespace
}  // namespace vantor
