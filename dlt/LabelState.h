// The label model: volume serial rules, media modes and the label colour table.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "colors/ColorSchemes.h"
#include "journal/SerialRange.h"

namespace vantor {

// The media modes, in the window's order; the values are the ones kept in
// entry 11 of the colour table.
enum class TMediaMode : int {
  StkDltIV = 0,
  StkDiagnostic = 1,
  StkCleaning = 2,
  StkDltIIIXT = 3,
  Standard3of9 = 4,
  BreeceHill = 5,
  Other = 6,
};

inline constexpr std::size_t kSerialLength = 6;
inline constexpr int kMaxCounter = journal::LastCounter(journal::kDltCounterDigits);  // 999
inline constexpr std::size_t kColorTableSize = kColorTableEntries;
inline constexpr std::size_t kMediaModeEntry = 11;

// Suffix letter of a media mode ("D", "C" or empty; empty for unknown modes).
std::string_view MediaSuffixFor(TMediaMode mediaMode);
// Prefix that a media mode forces ("DG ", "CLN" or empty).
std::string_view ForcedPrefixFor(TMediaMode mediaMode);
// Six characters: prefix of space, digits and A-Z, counter of digits.
bool IsValidSerial(std::string_view serial);

// The first rule a serial breaks, for the operator: the window's status bar
// and the command line show the same reason.
enum class TSerialRule { Length, Prefix, Counter };
// The rules' wording: %1 the length or the character (see SerialCharText),
// %2 its position. The window shows them translated with the same fields.
inline constexpr const char* kSerialLengthRule = "the serial needs six characters, not %1";
inline constexpr const char* kSerialPrefixRule =
    "%1 at position %2: the first three characters must be A-Z, 0-9 or a space";
inline constexpr const char* kSerialCounterRule = "%1 at position %2: the last three characters must be digits";
struct TSerialProblem {
  TSerialRule rule = TSerialRule::Length;
  std::size_t length = 0;    // Length: how many characters there are
  std::size_t position = 0;  // Prefix, Counter: the refused character's, from 1
  char character = 0;        // Prefix, Counter: the refused character
  const char* Rule() const;  // the wording, fields unfilled
  std::string Text() const;  // the wording filled in
};
// A character as the reasons show it: '#', ' ', or byte 0x1B when it cannot be shown.
std::string SerialCharText(char c);
// Why `serial` is not valid (IsValidSerial), or nothing when it is.
std::optional<TSerialProblem> SerialProblem(std::string_view serial);
// The counter of a valid serial, or nothing.
std::optional<int> CounterOf(std::string_view serial);
// The successor serial (same prefix, counter + 1), or nothing when the counter is
// 999 or the serial has no three-digit counter.
std::optional<std::string> SuccessorSerial(std::string_view serial);

class TLabelState {
 public:
  // Runs on every write of the serial that changes its text, before the
  // operation that wrote it goes on.
  using SerialHook = std::function<void(const std::string& serial)>;

  TLabelState();  // start-up: serial "000000", media mode 4, "Other EDP" colours

  const std::string& Serial() const { return serial_; }
  void SetSerial(std::string serial);
  void SetSerialHook(SerialHook hook) { hook_ = std::move(hook); }

  TMediaMode MediaMode() const { return mediaMode_; }
  // Also writes the mode into entry 11 of the colour table, where the
  // table has always carried it (the Colours dialog gets the whole table);
  // nothing reads the mode back from there.
  void SetMediaMode(TMediaMode mode) {
    mediaMode_ = mode;
    Colors[kMediaModeEntry] = static_cast<std::uint32_t>(mode);
  }
  std::string_view MediaSuffix() const { return MediaSuffixFor(MediaMode()); }

  const std::string& BarcodeText() const { return barcodeText_; }
  void SetBarcodeText(std::string text) { barcodeText_ = std::move(text); }
  // The serial followed by the media suffix.
  std::string ComposeBarcodeText() const;

  // True when the serial may be printed; in modes 1 and 2 forces the prefix first.
  bool CheckSequence();
  // Why CheckSequence would refuse the serial (the prefix of modes 1 and 2
  // taken as forced), or nothing; changes nothing.
  std::optional<TSerialProblem> SequenceProblem() const;
  // Advances the counter and rebuilds the barcode text. Returns false and changes
  // nothing when there is no six-character successor (counter 999), so a label
  // never gets a seven-character serial.
  bool NextSequence();

  // Entries 0..9 digit colours, 10 the letter colour, 11 the media mode (as SetMediaMode wrote it).
  TColorTable Colors{};
  // Writes entries 0..10 from a scheme (toolkit colour form); entry 11 is kept.
  void LoadScheme(SchemeId id);

 private:
  TMediaMode mediaMode_ = TMediaMode::Standard3of9;
  std::string serial_ = "000000";
  std::string barcodeText_ = "000000";
  SerialHook hook_;
};

}  // namespace vantor
