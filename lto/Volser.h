// Volume serials of LTO cartridges: six characters of A-Z and 0-9. In a run
// the digits at the end count up and what stands before them never changes
// (ABC100 counts to ABC999, TAPE01 to TAPE99, A00000 to A99999).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

inline constexpr std::size_t kVolserLength = 6;
inline constexpr int kMaxRunLabels = 1000000;  // six counting digits at most

// Why `volser` is not six characters of A-Z and 0-9, or nothing.
std::optional<std::string> VolserProblem(std::string_view volser);

// A run of volsers: `count` from `first` on.
struct TVolserRun {
  std::string prefix;  // what stands before the counting digits
  int digits = 0;      // how many digits count
  int first = 0;       // the first label's number
  int count = 0;

  std::string At(int i) const;  // the volser of label i (0 = first)
  std::string First() const { return At(0); }
  std::string Last() const { return At(count - 1); }
};

// A run, or why there is none (a bad volser, a count out of range, a run that
// would carry into the characters before the digits, a last volser that does
// not follow the first).
struct TVolserRunResult {
  std::optional<TVolserRun> run;
  std::string refusal;
};
TVolserRunResult VolserRunByCount(std::string_view first, int count);
TVolserRunResult VolserRunByLast(std::string_view first, std::string_view last);

}  // namespace vantor
