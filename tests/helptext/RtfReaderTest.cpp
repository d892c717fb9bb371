#include "helptext/RtfReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

namespace vantor {
namespace {

// Compact rendering of a document: paragraphs on their own lines, "[c]" etc.
// for alignment, formatted runs as <flags>text</>, line breaks as <br>.
std::string Describe(const TRtfDocument& doc) {
  std::string out;
  for (std::size_t p = 0; p < doc.Paragraphs.size(); ++p) {
    const TRtfParagraph& para = doc.Paragraphs[p];
    if (p > 0) out += '\n';
    if (para.Align == TRtfAlign::Center) out += "[c]";
    if (para.Align == TRtfAlign::Right) out += "[r]";
    if (para.Align == TRtfAlign::Justify) out += "[j]";
    for (const TRtfRun& run : para.Runs) {
      std::string flags;
      auto add = [&](const std::string& f) { flags += (flags.empty() ? "" : ",") + f; };
      if (run.Format.Bold) add("b");
      if (run.Format.Italic) add("i");
      if (run.Format.Underline) add("u");
      if (run.Format.HalfPoints) add("s" + std::to_string(run.Format.HalfPoints));
      if (run.Format.Color) {
        char rgb[8];
        std::snprintf(rgb, sizeof rgb, "#%06X", RgbFromColor(*run.Format.Color));
        add(rgb);
      }
      std::string text;
      for (char c : run.Text) text += c == '\n' ? std::string("<br>") : std::string(1, c);
      out += flags.empty() ? text : "<" + flags + ">" + text + "</>";
    }
  }
  return out;
}

struct TRtfRow {
  const char* name;
  std::string input;
  std::string expected;
};

const TRtfRow kFeatureRows[] = {
    {"paragraphs", R"({\rtf1 Hello\par World})", "Hello\nWorld"},
    {"empty paragraph kept, trailing one dropped", R"({\rtf1 a\par\par b\par})", "a\n\nb"},
    {"line break stays in the paragraph", R"({\rtf1 a\line b})", "a<br>b"},
    {"tab", R"({\rtf1 a\tab b})", "a\tb"},
    {"source line ends are not text", "{\\rtf1 a\r\nb}", "ab"},
    {"backslash before a line end is a paragraph", "{\\rtf1 a\\\nb}", "a\nb"},
    {"bold on and off", R"({\rtf1 a\b b\b0 c})", "a<b>b</>c"},
    {"group restores the format", R"({\rtf1 {\b bold} plain})", "<b>bold</> plain"},
    {"italic and underline", R"({\rtf1 \i x\i0 \ul y\ulnone  z})", "<i>x</><u>y</> z"},
    {"underline variants", R"({\rtf1 \uldb d\ul0 e})", "<u>d</>e"},
    {"plain resets", R"({\rtf1\b\i x\plain y})", "<b,i>x</>y"},
    {"font size", R"({\rtf1 \fs40 big})", "<s40>big</>"},
    {"font size clamped", R"({\rtf1 \fs99999999999 x\fs1 y})", "<s288>x</><s2>y</>"},
    {"colour table", R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue128;}\cf1 r\cf2 n\cf0 d})",
     "<#FF0000>r</><#000080>n</>d"},
    {"colour outside the table", R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf7 x})", "x"},
    {"colour components clamped", R"({\rtf1{\colortbl;\red999\green-4\blue16;}\cf1 x})", "<#FF0010>x</>"},
    {"hex escapes in Windows-1252", R"({\rtf1 caf\'e9 \'80})", "caf\xC3\xA9 \xE2\x82\xAC"},
    {"unicode with one fallback character", R"({\rtf1 \u8364?x})",
     "\xE2\x82\xAC"
     "x"},
    {"uc2 skips two escapes", R"({\rtf1\uc2 \u8364\'80\'80y})",
     "\xE2\x82\xAC"
     "y"},
    {"uc0 skips nothing", R"({\rtf1\uc0 \u8364 x})",
     "\xE2\x82\xAC"
     "x"},
    {"fallback skip stops at a group end", R"({\rtf1\uc3 {\u8364 a}b})",
     "\xE2\x82\xAC"
     "b"},
    {"surrogate pair", R"({\rtf1 \u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
    {"lone surrogate", R"({\rtf1 \u-10179?x})", "\xEF\xBF\xBDx"},
    {"escaped braces and backslash", R"({\rtf1 \{a\}\\b})", "{a}\\b"},
    {"skipped destinations",
     R"({\rtf1{\fonttbl{\f0 Arial;}}{\stylesheet{\s0 Normal;}}{\info{\title T}}{\*\generator X;}{\*\unknown y}Body})",
     "Body"},
    {"colour table inside a skipped group is ignored",
     R"({\rtf1{\colortbl;\red255\green0\blue0;}{\*\x{\colortbl;\red0\green255\blue0;}}\cf1 r})", "<#FF0000>r</>"},
    {"field result shown, instruction skipped", R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})", "link"},
    {"symbol words", R"({\rtf1 a\emdash b\bullet\~c})",
     "a\xE2\x80\x94"
     "b\xE2\x80\xA2\xC2\xA0"
     "c"},
    {"alignment", R"({\rtf1\qc Title\par\pard Body})", "[c]Title\nBody"},
    {"hidden text", R"({\rtf1 a{\v secret}b})", "ab"},
    {"binary data skipped", R"({\rtf1 a\bin3 {}xb})", "ab"},
    {"unknown control words ignored", R"({\rtf1\ansi\deff0\viewkind4\sa200 text})", "text"},
};

TEST(RtfReader, ReadsEachFeature) {
  for (const TRtfRow& row : kFeatureRows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(IsRtf(row.input));
    EXPECT_EQ(Describe(ParseRtf(row.input)), row.expected);
  }
}

// Each symbol word stands for the character the RTF format gives it; the space
// after a word only ends the word.
const std::pair<const char*, const char*> kSymbolWordRows[] = {
    {"emdash", "\u2014"},     // em dash
    {"endash", "\u2013"},     // en dash
    {"lquote", "\u2018"},     // left single quotation mark
    {"rquote", "\u2019"},     // right single quotation mark
    {"ldblquote", "\u201C"},  // left double quotation mark
    {"rdblquote", "\u201D"},  // right double quotation mark
    {"bullet", "\u2022"},     // bullet
    {"emspace", "\u2003"},    // em space
    {"enspace", "\u2002"},    // en space
    {"qmspace", "\u2005"},    // one-quarter em (four-per-em) space
    {"zwj", "\u200D"},        // zero width joiner
    {"zwnj", "\u200C"},       // zero width non-joiner
};

TEST(RtfReader, EachSymbolWordGivesItsCharacter) {
  for (const auto& [word, character] : kSymbolWordRows) {
    SCOPED_TRACE(word);
    const std::string input = std::string("{\\rtf1 a\\") + word + " b}";
    EXPECT_EQ(Describe(ParseRtf(input)), std::string("a") + character + "b");
  }
}

std::string Repeat(std::string_view s, std::size_t n) {
  std::string out;
  out.reserve(s.size() * n);
  for (std::size_t i = 0; i < n; ++i) out += s;
  return out;
}

const TRtfRow kMalformedRows[] = {
    {"unclosed groups", R"({\rtf1 {\b abc)", "<b>abc</>"},
    {"extra closing brace ends the document", R"({\rtf1 a}}} b)", "a"},
    {"truncated hex escape", R"({\rtf1 a\'4)", "a"},
    {"hex escape with bad digits", R"({\rtf1 a\'zzb})", "azzb"},
    {"hex escape with one digit", R"({\rtf1 a\'4zb})", "azb"},
    {"lone backslash at the end", "{\\rtf1 a\\", "a"},
    {"huge unicode number", R"({\rtf1 \u99999999999999999999?x})", "\xEF\xBF\xBDx"},
    {"huge negative number", R"({\rtf1 \u-99999999999?x})", "\xEF\xBF\xBDx"},
    {"huge binary length", R"({\rtf1 a\bin99999999999 bcd})", "a"},
    {"overlong control word", "{\\rtf1 \\" + Repeat("a", 100) + " x}", "x"},
    {"nesting within the cap", "{\\rtf1 a" + Repeat("{", 50) + "x" + Repeat("}", 50) + "b}", "axb"},
    {"nesting beyond the cap is dropped whole", "{\\rtf1 a" + Repeat("{", 500) + "x\\b" + Repeat("}", 500) + "b}",
     "ab"},
    {"control bytes ignored",
     std::string("{\\rtf1 a\x01\x7f"
                 "b}"),
     "a\x7f"
     "b"},
};

TEST(RtfReader, SurvivesMalformedInput) {
  for (const TRtfRow& row : kMalformedRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Describe(ParseRtf(row.input)), row.expected);
  }
}

// Pathological sizes finish (linear work) and keep memory bounded.
TEST(RtfReader, LargeHostileInputsFinish) {
  const std::string deep = "{\\rtf1 " + Repeat("{", 2'000'000) + "x";
  EXPECT_EQ(ParseRtf(deep).Text(), "");
  const std::string escapes = "{\\rtf1\\uc0 " + Repeat("\\u8364", 500'000) + "}";
  EXPECT_EQ(ParseRtf(escapes).Text(), Repeat("\xE2\x82\xAC", 500'000));
  const std::string groups = "{\\rtf1 " + Repeat("{\\b x}", 300'000) + "}";
  const TRtfDocument doc = ParseRtf(groups);
  ASSERT_EQ(doc.Paragraphs.size(), 1u);
  EXPECT_EQ(doc.Paragraphs[0].Runs.size(), 1u) << "equal runs merge";
}

struct TPlainRow {
  const char* name;
  std::string input;
  bool isText;
  std::string expected;
};

const TPlainRow kPlainRows[] = {
    {"lines become paragraphs", "Hello\r\nWorld\n", true, "Hello\nWorld"},
    {"old Mac line ends", "a\rb", true, "a\nb"},
    {"blank lines kept", "a\n\nb", true, "a\n\nb"},
    {"rtf must start the file", " {\\rtf1 x}", true, " {\\rtf1 x}"},
    {"UTF-8",
     "Gr\xC3\xB6\xC3\x9F"
     "e",
     true,
     "Gr\xC3\xB6\xC3\x9F"
     "e"},
    {"UTF-8 byte-order mark dropped", "\xEF\xBB\xBFok", true, "ok"},
    {"Windows-1252 when not UTF-8", "caf\xE9 \x80", true, "caf\xC3\xA9 \xE2\x82\xAC"},
    {"UTF-16LE with byte-order mark", std::string("\xFF\xFEH\0i\0\n\0", 8), true, "Hi"},
    {"UTF-16BE with byte-order mark", std::string("\xFE\xFF\0O\0K", 6), true, "OK"},
    {"tabs and form feeds are text", "a\tb\fc", true, "a\tbc"},
    {"empty", "", true, ""},
    {"NUL bytes mean binary", std::string("MZ\x90\0\x03\0\0\0", 8), false, ""},
    {"mostly control characters mean binary", "\x01\x02\x03\x04\x05\x06 abc", false, ""},
};

TEST(RtfReader, PlainTextFallback) {
  for (const TPlainRow& row : kPlainRows) {
    SCOPED_TRACE(row.name);
    ASSERT_FALSE(IsRtf(row.input));
    const std::optional<TRtfDocument> doc = ReadRichOrPlainText(row.input);
    ASSERT_EQ(doc.has_value(), row.isText);
    if (doc) {
      EXPECT_EQ(Describe(*doc), row.expected);
    }
  }
}

TEST(RtfReader, EmptyTextHasNoParagraphs) {
  EXPECT_TRUE(ReadRichOrPlainText("")->Paragraphs.empty());
  EXPECT_TRUE(ReadRichOrPlainText("{\\rtf1}")->Paragraphs.empty());
}

}  // namespace
}  // namespace vantor
