// Volume serials as ranges: a run of serials is a fixed prefix and a counted
// number of fixed width, so two runs overlap exactly when their prefixes and
// widths are equal and their number intervals meet. Every serial is held in
// one canonical form (the number is the whole trailing digit run), so a DLT
// serial and an LTO volser with the same characters are the same serial.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::journal {

enum class TTapeFamily { Dlt, Lto };

// Longest serial either family prints (DLT serials and LTO volsers: six).
inline constexpr std::size_t kMaxSerialLength = 6;
// Rows in the store never span more numbers than this, so the overlap check
// can bound its index scan to [first - kMaxRowSpan + 1, last].
inline constexpr int kMaxRowSpan = 1000;

// A DLT serial counts its last three digits; the DLT label model takes its
// counter's end (999) from here, so the journal and the labels agree.
inline constexpr int kDltCounterDigits = 3;
// The highest counter of `digits` digits.
constexpr int LastCounter(int digits) {
  int limit = 1;
  for (int i = 0; i < digits; ++i) limit *= 10;
  return limit - 1;
}

struct TSerialRange {
  std::string prefix;  // A-Z, 0-9 and space, never ending in a digit
  int width = 0;       // digits of the number; 0 for a serial without digits
  int first = 0;
  int last = 0;

  int Count() const { return last - first + 1; }
  bool operator==(const TSerialRange&) const = default;
};

// A serial as a one-serial range, or nothing when it has a character other
// than A-Z, 0-9 and space, is empty, or is longer than kMaxSerialLength.
std::optional<TSerialRange> SplitSerial(std::string_view serial);

// `count` serials from `firstSerial` as the family counts them: DLT counts the
// last three digits (six characters, the counter never past 999), LTO the
// whole trailing digit run (never past its width). Nothing when the serial is
// not one of the family's or the run would go past the counter's end.
std::optional<TSerialRange> RunOf(TTapeFamily family, std::string_view firstSerial, int count);

// The serial with the given number in the range's prefix and width.
std::string SerialAt(const TSerialRange& range, int number);
// The journal's words for people are English patterns with %1, %2, ...; a
// window hands in their translation from the program's catalogue, the command
// line nothing and keeps English. VANTOR_TEXT marks a pattern for the
// translation tools (an alias of QT_TRANSLATE_NOOP to them).
#define VANTOR_TEXT(context, text) text
inline constexpr const char* kTextContext = "vantor::journal";
using TTranslate = std::function<std::string(const char* pattern)>;
// The pattern, translated when `translate` is given, with %1 ... %9 replaced.
std::string Fill(const TTranslate& translate, const char* pattern, std::initializer_list<std::string_view> args);

// "ABC110 to ABC115", or "ABC110" for one serial.
std::string DescribeRange(const TSerialRange& range, const TTranslate& translate = {});

bool Overlaps(const TSerialRange& a, const TSerialRange& b);
// The serials in both, or nothing.
std::optional<TSerialRange> Intersection(const TSerialRange& a, const TSerialRange& b);
// `a` less `b`: nothing, one or two ranges.
std::vector<TSerialRange> Subtract(const TSerialRange& a, const TSerialRange& b);

// True when the range is in canonical form and within its width.
bool IsCanonical(const TSerialRange& range);

// Cut at every multiple of kMaxRowSpan, so no piece spans more than that.
std::vector<TSerialRange> SplitForRows(const TSerialRange& range);
// Sorted, with touching ranges of the same prefix and width joined.
std::vector<TSerialRange> Merge(std::vector<TSerialRange> ranges);

}  // namespace vantor::journal
