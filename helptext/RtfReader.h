// A small, forgiving reader for the rich text (RTF) that help files use, with a
// plain-text fallback. The result is a toolkit-free document model of
// paragraphs and formatted runs; the help window turns it into a text
// document. Any input is accepted: malformed RTF is read as far as it makes
// sense, work is linear in the input size and group nesting is capped.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "surface/Color.h"

namespace vantor {

struct TRtfCharFormat {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  int HalfPoints = 0;           // font size in half points; 0: the viewer's own size
  std::optional<TColor> Color;  // toolkit form; nothing: the viewer's text colour
  friend bool operator==(const TRtfCharFormat&, const TRtfCharFormat&) = default;
};

// Text is UTF-8; '\n' is a line break inside the paragraph, '\t' a tab.
struct TRtfRun {
  TRtfCharFormat Format;
  std::string Text;
};

enum class TRtfAlign { Left, Center, Right, Justify };

struct TRtfParagraph {
  TRtfAlign Align = TRtfAlign::Left;
  std::vector<TRtfRun> Runs;
  std::string Text() const;
};

struct TRtfDocument {
  std::vector<TRtfParagraph> Paragraphs;
  // All paragraphs' text joined by '\n'.
  std::string Text() const;
};

// Groups nested deeper than this are dropped whole; real writers stay far below.
inline constexpr std::size_t kRtfMaxGroupDepth = 100;
// \fsN is clamped to 1..144 points so a hostile size cannot stall the layout.
inline constexpr int kRtfMinHalfPoints = 2;
inline constexpr int kRtfMaxHalfPoints = 288;

// True when the content is rich text: it starts with "{\rtf".
bool IsRtf(std::string_view bytes);
// Reads rich text; never fails (what cannot be understood is skipped).
TRtfDocument ParseRtf(std::string_view bytes);
// Reads plain text: UTF-16 with a byte-order mark, UTF-8, or else Windows-1252;
// one paragraph per line. Nothing when the bytes are not text (binary data).
std::optional<TRtfDocument> ParsePlainText(std::string_view bytes);
// Rich text when the content starts with "{\rtf", plain text otherwise.
std::optional<TRtfDocument> ReadRichOrPlainText(std::string_view bytes);

}  // namespace vantor
