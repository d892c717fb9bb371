#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "dlt/LabelState.h"

namespace vantor {
namespace {

// A media mode by its number, the tables below being by number (-1 and 7: unknown).
TMediaMode Mode(int number) { return static_cast<TMediaMode>(number); }

// A label state whose hook records every serial it was told about.
struct Recorded {
  TLabelState state;
  std::vector<std::string> calls;
  Recorded() {
    state.SetSerialHook([this](const std::string& s) { calls.push_back(s); });
  }
};

TEST(LabelState, StartUpValues) {
  const TLabelState s;
  EXPECT_EQ(s.Serial(), "000000");
  EXPECT_EQ(s.MediaMode(), TMediaMode::Standard3of9);
  EXPECT_EQ(s.MediaSuffix(), "");
  EXPECT_EQ(s.BarcodeText(), "000000");
  const std::uint32_t otherEdp[11] = {0x0000FF, 0x00FFFF, 0xBAFCA7, 0xF2CAB9, 0xC0C0C0, 0x2693FF,
                                      0xCB6BFA, 0x46BF4D, 0x75C8F0, 0xBC58A4, 0xFFFFFF};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(s.Colors[static_cast<std::size_t>(i)], otherEdp[i]) << "entry " << i;
  EXPECT_EQ(s.Colors[11], 4u);
}

TEST(LabelState, SuffixAndForcedPrefixByMediaMode) {
  struct Row {
    int mode;
    const char* suffix;
    const char* prefix;
  };
  const Row rows[] = {{0, "D", ""}, {1, "C", "DG "}, {2, "C", "CLN"}, {3, "C", ""}, {4, "", ""},
                      {5, "", ""},  {6, "", ""},     {7, "", ""},     {-1, "", ""}};
  for (const auto& r : rows) {
    EXPECT_EQ(MediaSuffixFor(Mode(r.mode)), r.suffix) << r.mode;
    EXPECT_EQ(ForcedPrefixFor(Mode(r.mode)), r.prefix) << r.mode;
  }
}

struct CheckRow {
  const char* name;
  int mode;
  std::string serial;
  bool valid;
  std::string after;   // the serial after the check
  std::string reason;  // why it is refused, as the window and the command line say; empty: valid
};

TEST(LabelState, CheckSequence) {
  const CheckRow rows[] = {
      {"plain digits", 0, "000000", true, "000000", ""},
      {"letters and digits", 4, "ABC123", true, "ABC123", ""},
      {"space in position 3", 0, "AB 123", true, "AB 123", ""},
      {"space in position 2", 0, "A B123", true, "A B123", ""},
      {"letter in the counter", 0, "AB12C4", false, "AB12C4",
       "'C' at position 5: the last three characters must be digits"},
      {"space in the counter", 0, "ABC 23", false, "ABC 23",
       "' ' at position 4: the last three characters must be digits"},
      {"five characters", 0, "12345", false, "12345", "the serial needs six characters, not 5"},
      {"seven characters", 4, "1234567", false, "1234567", "the serial needs six characters, not 7"},
      {"hyphen in the prefix", 0, "12-456", false, "12-456",
       "'-' at position 3: the first three characters must be A-Z, 0-9 or a space"},
      {"lower case refused", 4, "abc123", false, "abc123",
       "'a' at position 1: the first three characters must be A-Z, 0-9 or a space"},
      {"byte above 127 refused", 4,
       "\xC3\x84"
       "B123",
       false,
       "\xC3\x84"
       "B123",
       "byte 0xC3 at position 1: the first three characters must be A-Z, 0-9 or a space"},
      {"cleaning forces CLN", 2, "XYZ123", true, "CLN123", ""},
      {"cleaning of a short serial stays short", 2, "CLN12", false, "CLN12", "the serial needs six characters, not 5"},
      {"cleaning of three characters", 2, "ABC", false, "CLN", "the serial needs six characters, not 3"},
      {"diagnostic forces DG and a space", 1, "ABC005", true, "DG 005", ""},
      {"diagnostic with a bad counter", 1, "ABC0X5", false, "DG 0X5",
       "'X' at position 5: the last three characters must be digits"},
      {"diagnostic makes any prefix valid", 1, "a-#123", true, "DG 123", ""},
      {"empty", 4, "", false, "", "the serial needs six characters, not 0"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TLabelState s;
    s.SetMediaMode(Mode(r.mode));
    s.SetSerial(r.serial);
    const std::optional<TSerialProblem> problem = s.SequenceProblem();
    EXPECT_EQ(problem ? problem->Text() : "", r.reason);
    EXPECT_EQ(s.Serial(), r.serial) << "asking why changes nothing";
    EXPECT_EQ(s.CheckSequence(), r.valid);
    EXPECT_EQ(s.Serial(), r.after);
  }
}

struct NextRow {
  const char* name;
  int mode;
  std::string serial;
  std::string next;
  std::string barcode;
};

TEST(LabelState, NextSequence) {
  const NextRow rows[] = {
      {"first StorageTek label", 0, "000000", "000001", "000001D"},
      {"into two digits", 4, "AAA009", "AAA010", "AAA010"},
      {"into three digits", 4, "AAA099", "AAA100", "AAA100"},
      {"to 999", 4, "ABC998", "ABC999", "ABC999"},
      {"no carry into a digit prefix", 4, "000998", "000999", "000999"},
      {"diagnostic keeps its space", 1, "DG 005", "DG 006", "DG 006C"},
      {"cleaning", 2, "CLN041", "CLN042", "CLN042C"},
      {"Standard 3 of 9 has no suffix", 4, "ABC123", "ABC124", "ABC124"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    TLabelState s;
    s.SetMediaMode(Mode(r.mode));
    s.SetSerial(r.serial);
    EXPECT_TRUE(s.NextSequence());
    EXPECT_EQ(s.Serial(), r.next);
    EXPECT_EQ(s.BarcodeText(), r.barcode);
  }
}

TEST(LabelState, CounterAt999HasNoSuccessor) {
  Recorded r;
  r.state.SetMediaMode(TMediaMode::StkDltIV);
  r.state.SetSerial("ABC999");
  r.state.SetBarcodeText("ABC999D");
  r.calls.clear();
  EXPECT_FALSE(r.state.NextSequence());
  EXPECT_EQ(r.state.Serial(), "ABC999") << "never a seven-character serial";
  EXPECT_EQ(r.state.BarcodeText(), "ABC999D");
  EXPECT_TRUE(r.calls.empty());
}

TEST(LabelState, NextSequenceOnAnUnprintableSerialChangesNothing) {
  for (const char* bad : {"", "12345", "ABC1X3", "1234567"}) {
    TLabelState s;
    s.SetSerial(bad);
    s.SetBarcodeText("keep");
    EXPECT_FALSE(s.NextSequence()) << bad;
    EXPECT_EQ(s.Serial(), bad);
    EXPECT_EQ(s.BarcodeText(), "keep");
  }
}

TEST(LabelState, ThirtyLabelsFromAStartSerialAreConsecutiveAndDistinct) {
  TLabelState s;
  s.SetSerial("XYZ970");
  std::vector<std::string> seen{s.Serial()};
  for (int i = 0; i < 29; ++i) {
    ASSERT_TRUE(s.NextSequence());
    seen.push_back(s.Serial());
  }
  EXPECT_EQ(seen.back(), "XYZ999");
  EXPECT_FALSE(s.NextSequence()) << "the 31st serial does not exist";
  EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), 30u);
}

TEST(LabelState, HookRunsOnlyOnRealChangesAndBeforeTheOperationGoesOn) {
  Recorded r;
  r.state.SetMediaMode(TMediaMode::StkDltIV);
  r.state.SetSerial("000000");  // unchanged from start-up
  EXPECT_TRUE(r.calls.empty());

  // Inside the hook the barcode text is still the old one: the hook runs
  // before NextSequence rebuilds it.
  std::string barcodeSeenByHook;
  r.state.SetSerialHook([&](const std::string& s) {
    r.calls.push_back(s);
    barcodeSeenByHook = r.state.BarcodeText();
  });
  r.state.NextSequence();
  EXPECT_EQ(r.calls, (std::vector<std::string>{"000001"}));
  EXPECT_EQ(barcodeSeenByHook, "000000");

  r.calls.clear();
  r.state.SetMediaMode(TMediaMode::StkCleaning);
  r.state.SetSerial("CLN123");
  r.calls.clear();
  EXPECT_TRUE(r.state.CheckSequence());
  EXPECT_TRUE(r.calls.empty()) << "the forced prefix was already there";
  r.state.SetSerial("ABC123");
  r.calls.clear();
  r.state.CheckSequence();
  EXPECT_EQ(r.calls, (std::vector<std::string>{"CLN123"}));
}

TEST(LabelState, SchemesWriteEntriesZeroToTenOnly) {
  TLabelState s;
  s.SetMediaMode(TMediaMode::BreeceHill);
  s.LoadScheme(SchemeId::Tab);
  EXPECT_EQ(s.Colors[0], ColorFromRgb(0xF78197));
  EXPECT_EQ(s.Colors[9], ColorFromRgb(0xA73C1C));
  EXPECT_EQ(s.Colors[10], 0xFFFFFFu);
  EXPECT_EQ(s.Colors[11], 5u);
}

}  // namespace
}  // namespace vantor
