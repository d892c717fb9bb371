// Code128Stream in both forms on any bytes: the encode form always ends with
// the stop, the fixed-buffer form used by Encode agrees with it and never runs
// out of room for a caption of up to 53 bytes, and the check character is
// refused exactly when a byte lies outside 32..138.
#include <cstring>
#include <string>

#include "barcode/BarLL.h"
#include "barcode/Code128.h"
#include "fuzz/FuzzCheck.h"

using namespace vantor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const std::string encoded = Code128Stream(text, TStreamForm::Encode);
  const std::string display = Code128Stream(text, TStreamForm::Display);
  FUZZ_CHECK(!encoded.empty() && static_cast<unsigned char>(encoded.back()) == kC128Stop);
  // A pending set C digit flushed at a switch costs two bytes for one input byte.
  FUZZ_CHECK(encoded.size() <= 2 * text.size() + 3);
  FUZZ_CHECK(display.size() <= 2 * text.size() + 1);

  if (text.empty()) return 0;
  const auto start = static_cast<unsigned char>(text[0]);
  if (start < kC128StartA || start > kC128StartC || text.size() - 1 > kCaptionSize) return 0;

  char buffer[kCodeTextSize];
  std::size_t n = 0;
  try {
    n = Code128StreamEncode(start, text.data() + 1, text.size() - 1, buffer, sizeof buffer);
  } catch (const EOverflow&) {
    FUZZ_CHECK(false && "a caption of at most 53 bytes must fit the code text buffer");
  }
  FUZZ_CHECK(std::string(buffer, n) == encoded);

  bool outside = false;
  int sum = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const auto b = static_cast<unsigned char>(buffer[i]);
    if (b < 32 || b > 138) outside = true;
    sum += static_cast<int>(i == 0 ? 1 : i) * (b - 32);
  }
  // An embedded NUL ends the text early for the check; only whole texts count.
  if (std::memchr(buffer, 0, n) != nullptr) return 0;
  try {
    AddCode128Check(buffer, sizeof buffer);
    FUZZ_CHECK(!outside);
    const std::size_t m = BoundedLength(buffer, sizeof buffer);
    FUZZ_CHECK(m == n + 1);
    FUZZ_CHECK(static_cast<unsigned char>(buffer[m - 2]) == 32 + sum % 103);
    FUZZ_CHECK(static_cast<unsigned char>(buffer[m - 1]) == kC128Stop);
  } catch (const EOverflow& e) {
    FUZZ_CHECK(outside);
    FUZZ_CHECK(std::string(e.what()) == msg::kCode128);
  }
  return 0;
}
