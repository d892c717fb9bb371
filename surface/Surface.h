// The drawing surface: what the barcode engine, the rotated label and the sheet
// layouts draw on. No toolkit types here; Qt adapters and the recording surface
// implement it. Coordinates are integer device pixels (in pixel mapping mode),
// x to the right, y downwards, relative to the movable drawing origin.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "surface/Color.h"

namespace vantor {

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

enum class TBrushStyle { Solid, Clear };
// TopLeft: (x, y) is the top-left corner of the text box.
// TopCenter: (x, y) is the middle of the text box's top edge.
enum class TTextAlign { TopLeft, TopCenter };
enum class TBkMode { Opaque, Transparent };
// Pixels: one unit per device pixel, y down. LoMetric (0.1 mm) and HiMetric
// (0.01 mm): y up, so points below the origin have negative y. Other stands for
// any further mode a platform may report; the engine refuses it.
enum class TMapMode { Pixels, LoMetric, HiMetric, Other };

// A font description. Height > 0 is the cell height in device pixels (ascent +
// descent); Height == 0 means "take PointSize at the surface's vertical
// resolution" (em height = PointSize * dpiY / 72). Escapement turns the text
// counter-clockwise, in tenths of a degree, about the text's reference point.
struct TFontSpec {
  std::string Face = "Arial";
  int Height = 0;
  int PointSize = 8;
  bool Bold = false;
  TColor Color = 0;  // text colour, toolkit form (red in the low byte)
  int Escapement = 0;
  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

class TSurface {
 public:
  virtual ~TSurface() = default;

  // Dots per inch; 0 means "unknown: use the screen's resolution".
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;

  virtual TColor BrushColor() const = 0;
  virtual void SetBrushColor(TColor c) = 0;
  virtual TBrushStyle BrushStyle() const = 0;
  virtual void SetBrushStyle(TBrushStyle s) = 0;
  virtual int PenWidth() const = 0;  // the pen is black
  virtual void SetPenWidth(int w) = 0;

  // Outline in the pen, interior in the brush (nothing inside with a clear brush).
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Brush only: from the smaller coordinate up to, not including, the larger.
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  // Filled with the brush, outlined with the pen.
  virtual void Polygon(const std::vector<TPoint>& points) = 0;

  virtual const TFontSpec& Font() const = 0;
  virtual void SetFont(const TFontSpec& f) = 0;
  virtual TTextAlign TextAlign() const = 0;
  virtual void SetTextAlign(TTextAlign a) = 0;
  virtual TBkMode BkMode() const = 0;
  virtual void SetBkMode(TBkMode m) = 0;
  virtual TColor BkColor() const = 0;
  virtual void SetBkColor(TColor c) = 0;

  // Text in the current font and alignment; opaque text fills its box with the
  // background colour first. Text is UTF-8 on every path (labels, barcodes,
  // sheets) and is drawn and measured as the characters it encodes.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Extent of the text in the current font, unrotated, in device pixels.
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;

  // Printers: corner of the printable area from the paper's corner, in dots.
  virtual TPoint PrintingOffset() const { return {0, 0}; }
  // Where logical (0, 0) lands, in device pixels.
  virtual TPoint Origin() const = 0;
  virtual void SetOrigin(TPoint p) = 0;
  virtual TMapMode MapMode() const = 0;
  virtual void SetMapMode(TMapMode m) = 0;
};

// The screen's resolution, used whenever a surface reports 0. The Qt layer sets
// it from the primary screen at start-up; headless code sees 96.
int ScreenDpiX();
int ScreenDpiY();
void SetScreenDpi(int x, int y);

}  // namespace vantor
