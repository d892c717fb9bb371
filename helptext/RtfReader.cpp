#include "helptext/RtfReader.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vantor {

namespace {

// Destinations whose content is never shown. Any group opened by \* is skipped
// as well, so only the classic, unstarred ones need listing.
// clang-format off
constexpr std::array<std::string_view, 34> kSkippedDestinations = {
    "fonttbl",   "filetbl",    "stylesheet", "listtable",  "listoverridetable", "revtbl",
    "rsidtbl",   "info",       "pict",       "object",     "header",            "headerl",
    "headerr",   "headerf",    "footer",     "footerl",    "footerr",           "footerf",
    "footnote",  "annotation", "fldinst",    "xmlnstbl",   "themedata",         "colorschememapping",
    "latentstyles", "datastore", "generator", "userprops", "nonshppict",        "bkmkstart",
    "bkmkend",   "atnid",      "atnauthor",  "template",
};
static_assert(kSkippedDestinations.size() == 34);

// Control words that stand for one character.
struct TSymbolWord {
  std::string_view word;
  char32_t cp;
};
constexpr std::array<TSymbolWord, 12> kSymbolWords = {{
    {"emdash", 0x2014},   {"endash", 0x2013},    {"lquote", 0x2018},    {"rquote", 0x2019},
    {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022},    {"emspace", 0x2003},
    {"enspace", 0x2002},  {"qmspace", 0x2005},   {"zwj", 0x200D},       {"zwnj", 0x200C},
}};
static_assert(kSymbolWords.size() == 12);

// Windows-1252 bytes 0x80..0x9F (the rest of the upper half is Latin-1).
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};
// clang-format on
static_assert(kCp1252High.size() == 32);

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kMaxControlWordLength = 32;
constexpr long kParamLimit = 1'000'000'000;  // parameters saturate here

char32_t FromCp1252(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kCp1252High[b - 0x80];
  return b;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendText(TRtfParagraph& para, const TRtfCharFormat& fmt, std::string_view text) {
  if (para.Runs.empty() || !(para.Runs.back().Format == fmt)) para.Runs.push_back({fmt, {}});
  para.Runs.back().Text += text;
}

enum class TDest { Text, Skip, ColorTable };

struct TGroupState {
  TRtfCharFormat fmt;
  bool hidden = false;
  int uc = 1;  // fallback characters after each \uN
  TDest dest = TDest::Text;
  TRtfAlign align = TRtfAlign::Left;
};

class TRtfParser {
 public:
  explicit TRtfParser(std::string_view in) : in_(in) { stack_.emplace_back(); }

  TRtfDocument Run() {
    while (pos_ < in_.size()) {
      const char ch = in_[pos_++];
      if (ch == '{') {
        OpenGroup();
      } else if (ch == '}') {
        if (!CloseGroup()) break;
      } else if (ch == '\\') {
        Control();
      } else if (ch == '\r' || ch == '\n') {
        // Line ends in the source are not text.
      } else if (!SkipFallback()) {
        Char(FromCp1252(static_cast<unsigned char>(ch)));
      }
    }
    FlushSurrogate();
    if (!para_.Runs.empty()) {
      para_.Align = stack_.back().align;
      doc_.Paragraphs.push_back(std::move(para_));
    }
    return std::move(doc_);
  }

 private:
  TGroupState& S() { return stack_.back(); }
  bool Hidden() const { return overflow_ > 0 || stack_.back().dest == TDest::Skip; }

  // After \uN the next uc characters are the fallback for older readers.
  bool SkipFallback() {
    if (skip_ == 0) return false;
    --skip_;
    return true;
  }

  void OpenGroup() {
    skip_ = 0;
    if (overflow_ > 0 || stack_.size() > kRtfMaxGroupDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(stack_.back());
  }

  // False when the outermost group has closed: the document ends there.
  bool CloseGroup() {
    skip_ = 0;
    if (overflow_ > 0) {
      --overflow_;
      return true;
    }
    if (stack_.size() <= 1) return false;
    if (S().dest == TDest::ColorTable && componentSeen_) CommitColor();
    stack_.pop_back();
    return stack_.size() > 1;
  }

  void Control() {
    if (pos_ >= in_.size()) return;  // a lone backslash at the very end
    const char c = in_[pos_];
    if (!IsLetter(c)) {
      ++pos_;
      Symbol(c);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    std::string_view word = in_.substr(start, pos_ - start);
    if (word.size() > kMaxControlWordLength) word = word.substr(0, kMaxControlWordLength);
    bool hasParam = false;
    bool negative = false;
    long param = 0;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParam = true;
      param = std::min(kParamLimit, param * 10 + (in_[pos_] - '0'));
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    if (word == "bin") {
      // Raw bytes follow; never read them as RTF.
      const std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
      pos_ += std::min(n, in_.size() - pos_);
      return;
    }
    if (SkipFallback()) return;
    Word(word, hasParam, param);
  }

  void Symbol(char c) {
    if (c == '\'') {
      const int hi = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
      if (hi < 0) return;
      ++pos_;
      const int lo = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
      if (lo < 0) return;  // one hex digit only: the escape is dropped with it
      ++pos_;
      if (!SkipFallback()) Char(FromCp1252(static_cast<unsigned char>(hi * 16 + lo)));
      return;
    }
    if (SkipFallback()) return;
    switch (c) {
      case '\\':
      case '{':
      case '}': Char(static_cast<unsigned char>(c)); break;
      case '~': Char(0x00A0); break;
      case '_': Char(0x2011); break;
      case '*': S().dest = TDest::Skip; break;
      case '\n':
      case '\r': EndParagraph(); break;
      default: break;  // optional hyphen, index marks and unknown symbols
    }
  }

  void Word(std::string_view w, bool hasParam, long param) {
    if (Hidden()) return;  // nothing inside a skipped group matters
    TGroupState& s = S();
    const bool on = !hasParam || param != 0;
    if (w == "par" || w == "sect" || w == "page") return EndParagraph();
    if (w == "line") return Char('\n');
    if (w == "tab") return Char('\t');
    if (w == "u") return Unicode(param);
    if (w == "uc") {
      s.uc = static_cast<int>(std::clamp(param, 0L, 16L));
      return;
    }
    if (w == "b") {
      s.fmt.Bold = on;
      return;
    }
    if (w == "i") {
      s.fmt.Italic = on;
      return;
    }
    if (w == "ulnone") {
      s.fmt.Underline = false;
      return;
    }
    if (w.starts_with("ul") && w != "ulc") {
      s.fmt.Underline = on;
      return;
    }
    if (w == "v") {
      s.hidden = on;
      return;
    }
    if (w == "plain") {
      s.fmt = {};
      s.hidden = false;
      return;
    }
    if (w == "fs") {
      s.fmt.HalfPoints =
          param <= 0 ? 0 : static_cast<int>(std::clamp<long>(param, kRtfMinHalfPoints, kRtfMaxHalfPoints));
      return;
    }
    if (w == "cf") {
      s.fmt.Color = param > 0 && static_cast<std::size_t>(param) < colors_.size()
                        ? colors_[static_cast<std::size_t>(param)]
                        : std::nullopt;
      return;
    }
    if (w == "pard" || w == "ql") {
      s.align = TRtfAlign::Left;
      return;
    }
    if (w == "qc") {
      s.align = TRtfAlign::Center;
      return;
    }
    if (w == "qr") {
      s.align = TRtfAlign::Right;
      return;
    }
    if (w == "qj") {
      s.align = TRtfAlign::Justify;
      return;
    }
    if (w == "colortbl") {
      s.dest = TDest::ColorTable;
      colors_.clear();
      ResetComponents();
      return;
    }
    if (s.dest == TDest::ColorTable) {
      const int v = static_cast<int>(std::clamp(param, 0L, 255L));
      if (w == "red") {
        red_ = v;
        componentSeen_ = true;
      } else if (w == "green") {
        green_ = v;
        componentSeen_ = true;
      } else if (w == "blue") {
        blue_ = v;
        componentSeen_ = true;
      }
      return;
    }
    for (const TSymbolWord& sym : kSymbolWords)
      if (w == sym.word) return Char(sym.cp);
    for (std::string_view d : kSkippedDestinations)
      if (w == d) {
        s.dest = TDest::Skip;
        return;
      }
    // Anything else (fonts, spacing, document settings) has no effect here.
  }

  void Unicode(long param) {
    long v = param < 0 ? param + 65536 : param;
    if (v < 0) v = kReplacement;
    skip_ = S().uc;
    const auto cp = static_cast<char32_t>(v);
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      FlushSurrogate();
      highSurrogate_ = cp;
      return;
    }
    if (cp >= 0xDC00 && cp <= 0xDFFF && highSurrogate_ != 0) {
      const char32_t full = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
      highSurrogate_ = 0;
      Emit(full);
      return;
    }
    Char(cp);
  }

  void FlushSurrogate() {
    if (highSurrogate_ == 0) return;
    highSurrogate_ = 0;
    Emit(kReplacement);
  }

  // One character of content in the current destination.
  void Char(char32_t cp) {
    FlushSurrogate();
    Emit(cp);
  }

  void Emit(char32_t cp) {
    if (Hidden()) return;
    TGroupState& s = S();
    if (s.dest == TDest::ColorTable) {
      if (cp == ';') CommitColor();
      return;
    }
    if (s.hidden) return;
    if (cp < 0x20 && cp != '\n' && cp != '\t') return;  // stray control bytes
    std::string utf8;
    AppendUtf8(utf8, cp);
    AppendText(para_, s.fmt, utf8);
  }

  void EndParagraph() {
    FlushSurrogate();
    if (Hidden() || S().dest != TDest::Text) return;
    para_.Align = S().align;
    doc_.Paragraphs.push_back(std::move(para_));
    para_ = {};
  }

  void ResetComponents() {
    red_ = green_ = blue_ = 0;
    componentSeen_ = false;
  }

  void CommitColor() {
    if (componentSeen_)
      colors_.push_back(static_cast<TColor>(red_) | (static_cast<TColor>(green_) << 8) |
                        (static_cast<TColor>(blue_) << 16));
    else
      colors_.push_back(std::nullopt);  // the "auto" entry
    ResetComponents();
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  std::vector<TGroupState> stack_;  // [0] is outside every group
  std::size_t overflow_ = 0;        // groups opened beyond the depth cap
  int skip_ = 0;
  char32_t highSurrogate_ = 0;
  std::vector<std::optional<TColor>> colors_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool componentSeen_ = false;
  TRtfDocument doc_;
  TRtfParagraph para_;
};

// Length of a well-formed UTF-8 sequence at s[i], or 0.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return 1;
  std::size_t n;
  char32_t cp;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    cp = b0 & 0x07;
  } else
    return 0;
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = Utf8SequenceLength(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  char32_t high = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    const auto u = static_cast<char32_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (high) AppendUtf8(out, kReplacement);
      high = u;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      AppendUtf8(out, high ? 0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00) : kReplacement);
      high = 0;
    } else {
      if (high) AppendUtf8(out, kReplacement);
      high = 0;
      AppendUtf8(out, u);
    }
  }
  if (high) AppendUtf8(out, kReplacement);
  return out;
}

}  // namespace

std::string TRtfParagraph::Text() const {
  std::string s;
  for (const TRtfRun& r : Runs) s += r.Text;
  return s;
}

std::string TRtfDocument::Text() const {
  std::string s;
  for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
    if (i > 0) s += '\n';
    s += Paragraphs[i].Text();
  }
  return s;
}

bool IsRtf(std::string_view bytes) { return bytes.starts_with("{\\rtf"); }

TRtfDocument ParseRtf(std::string_view bytes) { return TRtfParser(bytes).Run(); }

std::optional<TRtfDocument> ParsePlainText(std::string_view bytes) {
  std::string text;
  if (bytes.starts_with("\xFF\xFE")) {
    text = Utf16ToUtf8(bytes.substr(2), false);
  } else if (bytes.starts_with("\xFE\xFF")) {
    text = Utf16ToUtf8(bytes.substr(2), true);
  } else {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) {
      text.assign(bytes);
    } else {
      for (char c : bytes) AppendUtf8(text, FromCp1252(static_cast<unsigned char>(c)));
    }
  }
  // Text has no NUL bytes and few control characters; anything else is binary.
  std::size_t controls = 0;
  for (char c : text) {
    if (c == '\0') return std::nullopt;
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') ++controls;
  }
  if (controls * 20 > text.size()) return std::nullopt;

  TRtfDocument doc;
  TRtfParagraph para;
  const TRtfCharFormat plain;
  auto endLine = [&] {
    doc.Paragraphs.push_back(std::move(para));
    para = {};
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i++];
    if (c == '\r') {
      if (i < text.size() && text[i] == '\n') ++i;
      endLine();
    } else if (c == '\n') {
      endLine();
    } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
      AppendText(para, plain, std::string_view(&c, 1));
    }
  }
  if (!para.Runs.empty()) doc.Paragraphs.push_back(std::move(para));
  return doc;
}

std::optional<TRtfDocument> ReadRichOrPlainText(std::string_view bytes) {
  if (IsRtf(bytes)) return ParseRtf(bytes);
  return ParsePlainText(bytes);
}

}  // namespace vantor
