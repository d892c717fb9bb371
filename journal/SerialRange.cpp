#include "journal/SerialRange.h"

#include <algorithm>
#include <tuple>

namespace vantor::journal {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSerialChar(char c) { return c == ' ' || IsDigit(c) || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::optional<TSerialRange> SplitSerial(std::string_view serial) {
  if (serial.empty() || serial.size() > kMaxSerialLength) return std::nullopt;
  if (!std::all_of(serial.begin(), serial.end(), IsSerialChar)) return std::nullopt;
  std::size_t digits = 0;
  while (digits < serial.size() && IsDigit(serial[serial.size() - 1 - digits])) ++digits;
  TSerialRange r;
  r.prefix = std::string(serial.substr(0, serial.size() - digits));
  r.width = static_cast<int>(digits);
  for (std::size_t i = serial.size() - digits; i < serial.size(); ++i) r.first = r.first * 10 + (serial[i] - '0');
  r.last = r.first;
  return r;
}

std::optional<TSerialRange> RunOf(TTapeFamily family, std::string_view firstSerial, int count) {
  if (count < 1) return std::nullopt;
  std::optional<TSerialRange> r = SplitSerial(firstSerial);
  if (!r) return std::nullopt;
  int room = 0;  // numbers left after the first one before the counter ends
  if (family == TTapeFamily::Dlt) {
    // Six characters, the last three the counter: the canonical number may
    // take digits of the prefix too, but only the last three count.
    if (firstSerial.size() != 6 || r->width < 3) return std::nullopt;
    room = LastCounter(kDltCounterDigits) - r->first % (LastCounter(kDltCounterDigits) + 1);
  } else {
    room = LastCounter(r->width) - r->first;
  }
  if (count - 1 > room) return std::nullopt;
  r->last = r->first + count - 1;
  return r;
}

std::string SerialAt(const TSerialRange& range, int number) {
  std::string digits = std::to_string(number);
  if (range.width == 0) return range.prefix;
  if (static_cast<int>(digits.size()) < range.width)
    digits.insert(0, static_cast<std::size_t>(range.width) - digits.size(), '0');
  return range.prefix + digits;
}

std::string Fill(const TTranslate& translate, const char* pattern, std::initializer_list<std::string_view> args) {
  const std::string text = translate ? translate(pattern) : std::string(pattern);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : args.size();
    if (text[i] == '%' && n < args.size() && n < 9) {
      out += *(args.begin() + n);  // copied as it is, never scanned for markers
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string DescribeRange(const TSerialRange& range, const TTranslate& translate) {
  if (range.first == range.last) return SerialAt(range, range.first);
  return Fill(translate, VANTOR_TEXT("vantor::journal", "%1 to %2"),
              {SerialAt(range, range.first), SerialAt(range, range.last)});
}

bool Overlaps(const TSerialRange& a, const TSerialRange& b) {
  return a.prefix == b.prefix && a.width == b.width && a.first <= b.last && b.first <= a.last;
}

std::optional<TSerialRange> Intersection(const TSerialRange& a, const TSerialRange& b) {
  if (!Overlaps(a, b)) return std::nullopt;
  TSerialRange r = a;
  r.first = std::max(a.first, b.first);
  r.last = std::min(a.last, b.last);
  return r;
}

std::vector<TSerialRange> Subtract(const TSerialRange& a, const TSerialRange& b) {
  if (!Overlaps(a, b)) return {a};
  std::vector<TSerialRange> out;
  if (a.first < b.first) {
    TSerialRange before = a;
    before.last = b.first - 1;
    out.push_back(before);
  }
  if (a.last > b.last) {
    TSerialRange after = a;
    after.first = b.last + 1;
    out.push_back(after);
  }
  return out;
}

bool IsCanonical(const TSerialRange& r) {
  if (r.width < 0 || r.prefix.size() + static_cast<std::size_t>(r.width) > kMaxSerialLength) return false;
  if (r.prefix.size() + static_cast<std::size_t>(r.width) == 0) return false;
  if (!std::all_of(r.prefix.begin(), r.prefix.end(), IsSerialChar)) return false;
  if (!r.prefix.empty() && IsDigit(r.prefix.back())) return false;
  return r.first >= 0 && r.first <= r.last && r.last <= LastCounter(r.width);
}

std::vector<TSerialRange> SplitForRows(const TSerialRange& range) {
  std::vector<TSerialRange> out;
  for (int start = range.first;;) {
    TSerialRange piece = range;
    piece.first = start;
    piece.last = std::min(range.last, (start / kMaxRowSpan + 1) * kMaxRowSpan - 1);
    out.push_back(piece);
    if (piece.last == range.last) break;
    start = piece.last + 1;
  }
  return out;
}

std::vector<TSerialRange> Merge(std::vector<TSerialRange> ranges) {
  std::sort(ranges.begin(), ranges.end(), [](const TSerialRange& a, const TSerialRange& b) {
    return std::tie(a.prefix, a.width, a.first, a.last) < std::tie(b.prefix, b.width, b.first, b.last);
  });
  std::vector<TSerialRange> out;
  for (const TSerialRange& r : ranges) {
    if (!out.empty() && out.back().prefix == r.prefix && out.back().width == r.width &&
        r.first <= out.back().last + 1) {
      out.back().last = std::max(out.back().last, r.last);
    } else {
      out.push_back(r);
    }
  }
  return out;
}

}  // namespace vantor::journal
