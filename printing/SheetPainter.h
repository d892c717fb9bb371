// One sheet on one page: page set-up, frame passes, content passes, closing
// lines. Internal to the printing code; PrintSheet drives it.
#pragma once

#include <string>

#include "printing/Sheet.h"
#include "printing/SheetGeometry.h"

namespace vantor {

class TSheetPainter {
 public:
  TSheetPainter(TSheetHost& host, TSurface& page, const TSheetOptions& options)
      : host_(host), page_(page), options_(options) {}

  // Frame passes.
  void DrawLabelFrames();
  void DrawLabelCells() { DrawCells(false); }
  void DrawLabelCellsReversed() { DrawCells(true); }

  // Content passes with their closing lines.
  void ContentUpright(bool withSuffix, long double barcodeX, const char* name, const char* credit);
  void ContentBreeceHill();
  void ContentRotated(bool storageTek);

  void ClosingLines(const char* credit, const char* name);

 private:
  void PageSetUp();
  void DrawCells(bool reversed);
  void SetFill(TColor c);
  void SetTextFont(int points, bool bold);
  // The cell colour rule: a digit's table colour when "Colored sequence" is on, else white.
  TColor CellColour(char c) const;
  void TextAt(int x, int y, char c);
  void RotatedTextAt(int x, int y, char c);

  TSheetHost& host_;
  TSurface& page_;
  TSheetOptions options_;
  TDots d_;
};

inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kBlack = 0x000000;

}  // namespace vantor
