// The help text reader on any bytes: it never fails on rich text, its output
// is valid UTF-8, and the output grows at most linearly with the input.
#include <string>

#include "fuzz/FuzzCheck.h"
#include "helptext/RtfReader.h"

using namespace vantor;

namespace {

bool IsUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 1 ? b : b & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    const char32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

void CheckDocument(const TRtfDocument& doc, std::size_t inputSize) {
  std::size_t total = 0;
  for (const TRtfParagraph& p : doc.Paragraphs)
    for (const TRtfRun& r : p.Runs) {
      FUZZ_CHECK(IsUtf8(r.Text));
      FUZZ_CHECK(r.Format.HalfPoints == 0 ||
                 (r.Format.HalfPoints >= kRtfMinHalfPoints && r.Format.HalfPoints <= kRtfMaxHalfPoints));
      total += r.Text.size();
    }
  // One input byte yields at most one three-byte character.
  FUZZ_CHECK(total <= 3 * inputSize);
  FUZZ_CHECK(doc.Paragraphs.size() <= inputSize + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckDocument(ParseRtf(bytes), size);
  const std::optional<TRtfDocument> either = ReadRichOrPlainText(bytes);
  if (IsRtf(bytes)) FUZZ_CHECK(either.has_value());
  if (either) CheckDocument(*either, size);
  if (const std::optional<TRtfDocument> plain = ParsePlainText(bytes)) CheckDocument(*plain, size);
  return 0;
}
