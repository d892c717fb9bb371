#include "app/serve/RequestLimit.h"

#include <algorithm>
#include <limits>

namespace vantor::serve {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
         });
}

}  // namespace

std::optional<std::uint64_t> DeclaredLength(std::string_view head) {
  constexpr std::string_view kName = "content-length:";
  std::size_t at = head.find('\n');
  while (at != std::string_view::npos) {
    const std::size_t start = at + 1;
    at = head.find('\n', start);
    std::string_view line = head.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
    if (line.size() < kName.size() || !SameLetters(line.substr(0, kName.size()), kName)) continue;
    line.remove_prefix(kName.size());
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    std::uint64_t length = 0;
    bool digits = false;
    for (const char c : line) {
      if (c < '0' || c > '9') break;
      digits = true;
      const auto digit = static_cast<std::uint64_t>(c - '0');
      if (length > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
        return std::numeric_limits<std::uint64_t>::max();
      length = length * 10 + digit;
    }
    if (digits) return length;
  }
  return std::nullopt;
}

bool TRequestLimit::Take(std::string_view fresh) {
  bytes_ += fresh.size();
  if (!headRead_) {
    // The blank line may straddle two arrivals: look again from just before the new bytes.
    const std::size_t from = head_.size() < 3 ? 0 : head_.size() - 3;
    head_.append(
        fresh.substr(0, std::min(fresh.size(), kMaxHeadBytes + 4 - std::min(head_.size(), kMaxHeadBytes + 4))));
    const std::size_t end = head_.find("\r\n\r\n", from);
    if (end == std::string::npos) return head_.size() <= kMaxHeadBytes;
    headRead_ = true;
    head_.resize(end);
    const std::optional<std::uint64_t> declared = DeclaredLength(head_);
    if (declared && *declared > kMaxBodyBytes) return false;
  }
  return bytes_ <= kMaxHeadBytes + 4 + kMaxBodyBytes;
}

void TRequestLimit::Next() {
  head_.clear();
  headRead_ = false;
  bytes_ = 0;
}

std::string_view TRequestLimit::RequestLine() const {
  const std::string_view head = head_;
  return head.substr(0, std::min(head.find('\r'), head.find('\n')));
}

}  // namespace vantor::serve
