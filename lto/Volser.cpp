#include "lto/Volser.h"

#include <cstdio>

namespace vantor {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TrailingDigits(std::string_view s) {
  int n = 0;
  while (n < static_cast<int>(s.size()) && IsDigit(s[s.size() - 1 - static_cast<std::size_t>(n)])) ++n;
  return n;
}

int Number(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

int Power10(int digits) {
  int p = 1;
  for (int i = 0; i < digits; ++i) p *= 10;
  return p;
}

std::string Counter(int digits, int value) {
  if (digits == 0) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

TVolserRun RunFrom(std::string_view first, int count) {
  TVolserRun run;
  run.digits = TrailingDigits(first);
  run.prefix = std::string(first.substr(0, first.size() - static_cast<std::size_t>(run.digits)));
  run.first = Number(first.substr(run.prefix.size()));
  run.count = count;
  return run;
}

// The refusal of a run that would count past its last number, worded as the
// tape-label sheets word theirs.
std::string CarryRefusal(const TVolserRun& run) {
  if (run.digits == 0)
    return "The volser " + run.prefix + " has no digits at the end to count, so a run of " + std::to_string(run.count) +
           " labels cannot start from it; give a first volser that ends in digits.";
  const int max = Power10(run.digits) - 1;
  std::string text = "A run of " + std::to_string(run.count) + " labels from " + run.First() +
                     " would need volsers past " + run.prefix + Counter(run.digits, max) + ".";
  const int lastFirst = max - run.count + 1;
  if (lastFirst >= 0)
    text += " The last first volser that still fits is " + run.prefix + Counter(run.digits, lastFirst) + ".";
  return text;
}

}  // namespace

std::optional<std::string> VolserProblem(std::string_view volser) {
  const std::string quoted = "\"" + std::string(volser) + "\"";
  if (volser.size() != kVolserLength)
    return "The volser " + quoted + " has " + std::to_string(volser.size()) + " characters; it needs six (A-Z, 0-9).";
  for (std::size_t i = 0; i < volser.size(); ++i) {
    const char c = volser[i];
    if ((c >= 'A' && c <= 'Z') || IsDigit(c)) continue;
    const bool lower = c >= 'a' && c <= 'z';
    return "The volser " + quoted + " holds \"" + std::string(1, c) + "\" at position " + std::to_string(i + 1) +
           (lower ? "; letters must be upper case (A-Z)." : "; only A-Z and 0-9 are allowed.");
  }
  return std::nullopt;
}

std::string TVolserRun::At(int i) const { return prefix + Counter(digits, first + i); }

TVolserRunResult VolserRunByCount(std::string_view first, int count) {
  TVolserRunResult result;
  if (auto problem = VolserProblem(first)) {
    result.refusal = *problem;
    return result;
  }
  if (count < 1 || count > kMaxRunLabels) {
    result.refusal =
        "A run needs from 1 to " + std::to_string(kMaxRunLabels) + " labels, not " + std::to_string(count) + ".";
    return result;
  }
  TVolserRun run = RunFrom(first, count);
  if (static_cast<long long>(run.first) + count - 1 > Power10(run.digits) - 1) {
    result.refusal = CarryRefusal(run);
    return result;
  }
  result.run = std::move(run);
  return result;
}

TVolserRunResult VolserRunByLast(std::string_view first, std::string_view last) {
  TVolserRunResult result;
  if (auto problem = VolserProblem(first)) {
    result.refusal = *problem;
    return result;
  }
  if (auto problem = VolserProblem(last)) {
    result.refusal = *problem;
    return result;
  }
  const TVolserRun from = RunFrom(first, 1);
  const std::string_view lastPrefix = last.substr(0, from.prefix.size());
  const std::string_view lastDigits = last.substr(from.prefix.size());
  if (lastPrefix != from.prefix || TrailingDigits(lastDigits) != static_cast<int>(lastDigits.size())) {
    result.refusal = "The last volser " + std::string(last) + " does not follow " + std::string(first) +
                     ": only the digits at the end count" +
                     (from.prefix.empty() ? std::string(".") : ", " + from.prefix + " stays as it is.");
    return result;
  }
  const int lastNumber = Number(lastDigits);
  if (lastNumber < from.first) {
    result.refusal = "The last volser " + std::string(last) + " comes before the first, " + std::string(first) + ".";
    return result;
  }
  return VolserRunByCount(first, lastNumber - from.first + 1);
}

}  // namespace vantor
