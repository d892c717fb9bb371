#include "printing/CommandOptions.h"

namespace vantor {

std::optional<int> ParseCount(const std::string& s, int lo, int hi, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  const int v = std::stoi(s);
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

std::optional<std::string> TGivenOptions::ReadCountInto(const char* name, int lo, int hi, int& out, std::string range,
                                                        std::size_t digits) const {
  const std::string v = Value(name);
  const auto n = ParseCount(v, lo, hi, digits);
  if (!n) {
    if (range.empty()) range = std::to_string(lo) + " to " + std::to_string(hi);
    return "--" + std::string(name) + " must be a number from " + range + ", not '" + v + "'";
  }
  out = *n;
  return std::nullopt;
}

}  // namespace vantor
