// One sheet on one page, drawn from a layout's description: page set-up, the
// frame pass, the content pass and the closing lines. Internal to the DLT
// family: TDltLabelRun drives it on a host of its own.
#pragma once

#include <string>

#include "dlt/Sheet.h"
#include "dlt/SheetLayouts.h"

namespace vantor {

class TSheetPainter {
 public:
  TSheetPainter(TSheetHost& host, TSurface& page, const TSheetOptions& options)
      : host_(host), page_(page), options_(options) {}

  // Both passes leave the labels before `firstLabel` (0-based, row by row)
  // and from `endLabel` on blank, and give them no serial; positions are worked out as if they were
  // drawn, so every other label sits where it does on a full sheet.

  // The label outlines (when asked for) and the cells. Walks the sheet's serials
  // for the cell colours and puts the first one back afterwards: the run's
  // internal drawing on its own host, never a caller's state.
  void FramePass(const TSheetLayoutSpec& layout, int firstLabel = 0, int endLabel = kLabelsPerSheet);
  // The barcodes and characters of every label, then the closing lines.
  void ContentPass(const TSheetLayoutSpec& layout, int firstLabel = 0, int endLabel = kLabelsPerSheet);

 private:
  void PageSetUp();
  // The host's barcode at (x, y); below kWholeDotBarsBelowDpi on whole dots.
  void DrawBarcode(int x, int y);
  void DrawCells(const TLabelContent& label, int left, int top, const std::string& text);
  // The characters and suffix of one label; returns the last character's x.
  int DrawCharacters(const TLabelContent& label, int x, int y, int column, const std::string& text);
  void ClosingLines(const TSheetLayoutSpec& layout);
  void SetFill(TColor c);
  void SetTextFont(const TTextFont& font);
  // The cell colour rule: a digit's table colour when "Colored sequence" is on, else white.
  TColor CellColor(char c) const;
  void TextAt(int x, int y, char c, int escapement);

  TSheetHost& host_;
  TSurface& page_;
  TSheetOptions options_;
  TDots d_;
};

inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kBlack = 0x000000;

}  // namespace vantor
