#include "printing/SheetPainter.h"

namespace vantor {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char CharAt(const std::string& s, std::size_t i) { return i < s.size() ? s[i] : ' '; }

// The label grid in millimetres from the paper's corner.
constexpr long double kLabelLeft = 22, kLabelTop = 34, kLabelWidth = 57, kLabelHeight = 21;
constexpr long double kCellLeft = 23.2, kCellTop = 36, kCellInset = 1.2, kCellDrop = 2;
constexpr long double kCellWidth = 9, kCellHeight = 5;
constexpr int kRows = 10, kColumns = 3, kCells = 6;
constexpr int kPen = 2;  // dots
}  // namespace

void TSheetPainter::PageSetUp() {
  const int dpiX = page_.DpiX() > 0 ? page_.DpiX() : ScreenDpiX();
  const int dpiY = page_.DpiY() > 0 ? page_.DpiY() : ScreenDpiY();
  d_ = TDots::FromDpi(dpiX, dpiY);
  const TPoint offset = page_.PrintingOffset();
  page_.SetOrigin({-offset.x, -offset.y});
  page_.SetTextAlign(TTextAlign::TopLeft);
}

void TSheetPainter::SetFill(TColor c) {
  page_.SetBrushStyle(TBrushStyle::Solid);
  page_.SetBrushColor(c);
  page_.SetBkColor(c);
  page_.SetBkMode(TBkMode::Opaque);
}

void TSheetPainter::SetTextFont(int points, bool bold) {
  TFontSpec f;
  f.Face = "Arial";
  f.Height = 0;
  f.PointSize = points;
  f.Bold = bold;
  f.Color = kBlack;
  page_.SetFont(f);
}

TColor TSheetPainter::CellColour(char c) const {
  return host_.ColoredSequence() && IsDigit(c) ? host_.DigitColor(c - '0') : kWhite;
}

void TSheetPainter::TextAt(int x, int y, char c) { page_.TextOut(x, y, std::string(1, c)); }

// A character turned by 270 degrees: top facing right, running downwards from
// the point. The turned font is made for this one character only.
void TSheetPainter::RotatedTextAt(int x, int y, char c) {
  const TFontSpec previous = page_.Font();
  TFontSpec turned = previous;
  turned.Escapement = 2700;
  page_.SetFont(turned);
  page_.TextOut(x, y, std::string(1, c));
  page_.SetFont(previous);
}

void TSheetPainter::DrawLabelFrames() {
  PageSetUp();
  page_.SetPenWidth(kPen);
  SetFill(kWhite);
  int top = d_.Y(kLabelTop), bottom = d_.StepY(top, kLabelHeight);
  for (int row = 0; row < kRows; ++row) {
    int left = d_.X(kLabelLeft), right = d_.StepX(left, kLabelWidth);
    for (int col = 0; col < kColumns; ++col) {
      if (options_.outlines) page_.Rectangle(left, top, right, bottom);
      left = d_.StepX(left, kLabelWidth);
      right = d_.StepX(right, kLabelWidth);
    }
    top = d_.StepY(top, kLabelHeight);
    bottom = d_.StepY(bottom, kLabelHeight);
  }
}

void TSheetPainter::DrawCells(bool reversed) {
  const std::string remembered = host_.BarcodeText();
  PageSetUp();
  page_.SetPenWidth(kPen);
  SetFill(kWhite);

  int labelTop = d_.Y(kLabelTop), labelBottom = d_.StepY(labelTop, kLabelHeight);
  int cellTop = d_.Y(kCellTop), cellBottom = d_.StepY(cellTop, kCellHeight);
  for (int row = 0; row < kRows; ++row) {
    int labelLeft = d_.X(kLabelLeft), labelRight = d_.StepX(labelLeft, kLabelWidth);
    int cellLeft = d_.X(kCellLeft), cellRight = d_.StepX(cellLeft, kCellWidth);
    for (int col = 0; col < kColumns; ++col) {
      if (options_.outlines) page_.Rectangle(labelLeft, labelTop, labelRight, labelBottom);
      const std::string text = host_.BarcodeText();
      int l = cellLeft, r = cellRight;
      for (int k = 1; k <= kCells; ++k) {
        const char c = CharAt(text, static_cast<std::size_t>(reversed ? kCells - k : k - 1));
        const TColor colour = CellColour(c);
        if (host_.ColoredSequence() && IsDigit(c)) {
          page_.Rectangle(l, cellTop, r, cellBottom);
          SetFill(colour);
          page_.FillRect(l + kPen, cellTop + kPen, r - kPen, cellBottom - kPen);
          SetFill(kWhite);
        } else {
          SetFill(kWhite);
          page_.Rectangle(l, cellTop, r, cellBottom);
        }
        l = d_.StepX(l, kCellWidth);
        r = d_.StepX(r, kCellWidth);
      }
      labelLeft = d_.StepX(labelLeft, kLabelWidth);
      labelRight = d_.StepX(labelRight, kLabelWidth);
      cellLeft = d_.StepX(labelLeft, kCellInset);
      cellRight = d_.StepX(cellLeft, kCellWidth);
      host_.NextSequence();
    }
    labelTop = d_.StepY(labelTop, kLabelHeight);
    labelBottom = d_.StepY(labelBottom, kLabelHeight);
    cellTop = d_.StepY(labelTop, kCellDrop);
    cellBottom = d_.StepY(cellTop, kCellHeight);
  }
  // Back to the sheet's first serial: the content pass walks the same 30.
  host_.SetBarcodeText(remembered);
  host_.SetSerialText(remembered.substr(0, 6));
}

void TSheetPainter::ContentUpright(bool withSuffix, long double barcodeX, const char* name, const char* credit) {
  PageSetUp();
  int bx = d_.X(barcodeX), by = d_.Y(41);
  int x1 = d_.X(26.7L), y = d_.Y(36.3L);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      host_.DrawBarcode(page_, bx, by);
      SetTextFont(10, true);
      SetFill(kWhite);
      const std::string text = host_.BarcodeText();
      int x = x1;
      for (int k = 1; k <= kCells; ++k) {
        const char c = CharAt(text, static_cast<std::size_t>(k - 1));
        SetFill(CellColour(c));
        TextAt(x, y, c);
        if (k < kCells) x = d_.StepX(x, k == 5 ? 8 : 9);
      }
      if (withSuffix && text.size() > 6) {
        SetTextFont(6, false);  // on the fill that character 6 left
        TextAt(TDots::Round(x + 2.5L * d_.dx), TDots::Round(y + 1.5L * d_.dy), text[6]);
      }
      host_.NextSequence();
      host_.RefreshPreview();
      x1 = d_.StepX(x, 13);
      bx = d_.StepX(bx, 57);
    }
    y = d_.StepY(y, 21);
    x1 = d_.X(26.7L);
    by = d_.StepY(by, 21);
    bx = d_.X(barcodeX);
  }
  ClosingLines(credit, name);
}

void TSheetPainter::ContentBreeceHill() {
  PageSetUp();
  host_.SetBarcodeText(host_.SerialText());
  int bx = d_.X(27.55L), by = d_.Y(36.35L);
  int x1 = d_.X(39), y = d_.Y(49);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      host_.DrawBarcode(page_, bx, by);
      SetTextFont(10, true);
      SetFill(kWhite);
      const std::string text = host_.BarcodeText();
      int x = x1;
      for (int k = 1; k <= kCells; ++k) {
        TextAt(x, y, CharAt(text, static_cast<std::size_t>(k - 1)));
        if (k < kCells) x = d_.StepX(x, 4);
      }
      host_.NextSequence();
      host_.RefreshPreview();
      x1 = d_.StepX(x, 37);
      bx = d_.StepX(bx, 57);
    }
    y = d_.StepY(y, 21);
    x1 = d_.X(40.3L);  // later rows start 1.3 mm further right than the first
    by = d_.StepY(by, 21);
    bx = d_.X(27.55L);
  }
  ClosingLines("Printed by Orlis Vantor Version 3.2", "Breece Hill");
}

void TSheetPainter::ContentRotated(bool storageTek) {
  PageSetUp();
  const long double barcodeX = storageTek ? 24 : 27;
  int bx = d_.X(barcodeX), by = d_.Y(41);
  int c6 = d_.X(30.7L), y = d_.Y(37);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 1; col <= kColumns; ++col) {
      host_.DrawBarcode(page_, bx, by);
      // Characters in black in both layouts, so the first sheet of a run looks
      // like every later one.
      SetTextFont(12, false);
      SetFill(kWhite);
      const std::string text = host_.BarcodeText();
      const char ch6 = CharAt(text, 5);
      SetFill(CellColour(ch6));
      RotatedTextAt(c6, y, ch6);
      if (storageTek) {
        SetFill(CellColour(ch6));
        SetTextFont(6, false);
        const int sx = c6 + d_.X(-4) + (col == 3 ? 2 : 0);
        if (text.size() > 6) RotatedTextAt(sx, y + d_.Y(1.6L), text[6]);
        SetTextFont(12, false);
      }
      int c = d_.StepX(c6, storageTek ? 8.5L : 8.8L);
      for (int k = 5; k >= 1; --k) {
        const char ch = CharAt(text, static_cast<std::size_t>(k - 1));
        SetFill(CellColour(ch));
        RotatedTextAt(c, y, ch);
        if (k > 1) c = d_.StepX(c, 8.8L);
      }
      host_.NextSequence();
      host_.RefreshPreview();
      c6 = d_.StepX(c, 13.3L);
      bx = d_.StepX(bx, 57);
    }
    y = d_.StepY(y, 21);
    c6 = d_.X(30.7L);
    by = d_.StepY(by, 21);
    bx = d_.X(barcodeX);
  }
  ClosingLines("Printed by Orlis Vantor Version 3.2",
               storageTek ? "StorageTek Rotated Text" : "Standard 3 of 9 Rotate Text");
}

void TSheetPainter::ClosingLines(const char* credit, const char* name) {
  SetTextFont(16, true);
  SetFill(kWhite);
  // The lines sit 180 dots lower than their millimetre positions on a 300-dpi
  // printer: 15.24 mm, which puts the layout name just below the last row. As a
  // fixed count of dots it would shrink to 7.6 mm at 600 dpi and print the name
  // across the last row's barcodes, so it is kept as that length on every printer.
  const int drop = d_.Y(15.24L);
  page_.TextOut(d_.X(44), d_.Y(7.55L) + drop, credit);
  page_.TextOut(d_.X(22), d_.Y(231) + drop, name);
}

}  // namespace vantor
