// The vantor command line's options as data. Each label family lists its
// options (names, value, help, where they belong) and reads them from the
// options as given; the command line (app/cli) builds its one parser, its
// --help and its refusals from the rows, and the manual page its lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/SerialRange.h"  // VANTOR_TEXT, which marks the help texts for translation
#include "surface/CorrectedSurface.h"

namespace vantor {

// Where an option belongs. Given without an output, a print option is a
// mistake, not a way to set up the window; a family's own refuses the other.
enum class TOptionUse {
  Any,    // not a print option (help, the journal, the template listings)
  Print,  // printing, either family
  Dlt,    // printing DLT sheets: refused with --lto
  Lto,    // printing LTO labels: needs --lto
};

struct TOptionRow {
  const char* name;
  const char* valueName;  // nullptr: a switch
  // Marked VANTOR_TEXT("vantor::CommandLine", ...); %1: the choices, "a, b or c".
  const char* help;
  TOptionUse use;
  // The names the option takes, from the tables it is read with (for --help
  // and the manual page); nullptr when it takes any.
  std::vector<std::string> (*choices)() = nullptr;
  const char* alias = nullptr;  // a second name, read as the first
};

// The options as given, for a family to read its own from. Names are
// without dashes.
class TGivenOptions {
 public:
  virtual ~TGivenOptions() = default;
  virtual bool IsSet(const char* name) const = 0;
  // The value as the bytes given; empty when not set.
  virtual std::string Value(const char* name) const = 0;
  // Every option in the order given, a repeated switch as often as given.
  virtual std::vector<std::string> Given() const = 0;
  // Reads --offset-x, --offset-y, --scale-x and --scale-y, read alike for
  // every family: any one given makes a calibration, the others keeping
  // their neutral values. The first problem, or nothing.
  virtual std::optional<std::string> ReadCalibration(std::optional<TCalibration>& calibration) const = 0;

  // Reads --name, when given, as a whole number from lo to hi (at most
  // `digits` digits) into `out`; the problem, or nothing. `range` words the
  // bounds when they are not plain numbers.
  template <typename T>
  std::optional<std::string> ReadCount(const char* name, int lo, int hi, T& out, std::string range = {},
                                       std::size_t digits = 6) const {
    if (!IsSet(name)) return std::nullopt;
    int n = 0;
    if (auto problem = ReadCountInto(name, lo, hi, n, std::move(range), digits)) return problem;
    out = n;
    return std::nullopt;
  }

 private:
  std::optional<std::string> ReadCountInto(const char* name, int lo, int hi, int& out, std::string range,
                                           std::size_t digits) const;
};

// A whole number of at most `maxDigits` digits from lo to hi, nothing before
// or after it; nothing otherwise.
std::optional<int> ParseCount(const std::string& s, int lo, int hi, std::size_t maxDigits = 6);

}  // namespace vantor
