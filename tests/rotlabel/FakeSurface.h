// A recording drawing surface for the rotated-label tests: text and polygons
// with the state in force, and fixed text metrics (each character the same
// width, one line height).
#pragma once

#include <string>
#include <vector>

#include "surface/Surface.h"

namespace vantor::test {

class TFakeSurface final : public TSurface {
 public:
  struct TTextCall {
    int x, y;
    std::string text;
    TFontSpec font;
    TBkMode bkMode;
    TColor bkColor;
    TTextAlign align;
  };
  struct TPolygonCall {
    std::vector<TPoint> points;
    TBrushStyle brushStyle;
    TColor brushColor;
  };

  TFakeSurface(int charWidth, int lineHeight) : charWidth_(charWidth), lineHeight_(lineHeight) {}

  std::vector<TTextCall> texts;
  std::vector<TPolygonCall> polygons;
  std::vector<std::string> order;  // "text" / "polygon", in call order
  std::vector<TFontSpec> measuredWith;

  int DpiX() const override { return 96; }
  int DpiY() const override { return 96; }
  TColor BrushColor() const override { return brushColor_; }
  void SetBrushColor(TColor c) override { brushColor_ = c; }
  TBrushStyle BrushStyle() const override { return brushStyle_; }
  void SetBrushStyle(TBrushStyle s) override { brushStyle_ = s; }
  int PenWidth() const override { return 1; }
  void SetPenWidth(int) override {}
  void Rectangle(int, int, int, int) override { order.push_back("rectangle"); }
  void FillRect(int, int, int, int) override { order.push_back("fillrect"); }
  void Polygon(const std::vector<TPoint>& points) override {
    polygons.push_back({points, brushStyle_, brushColor_});
    order.push_back("polygon");
  }
  const TFontSpec& Font() const override { return font_; }
  void SetFont(const TFontSpec& f) override { font_ = f; }
  TTextAlign TextAlign() const override { return align_; }
  void SetTextAlign(TTextAlign a) override { align_ = a; }
  TBkMode BkMode() const override { return bkMode_; }
  void SetBkMode(TBkMode m) override { bkMode_ = m; }
  TColor BkColor() const override { return bkColor_; }
  void SetBkColor(TColor c) override { bkColor_ = c; }
  void TextOut(int x, int y, std::string_view text) override {
    texts.push_back({x, y, std::string(text), font_, bkMode_, bkColor_, align_});
    order.push_back("text");
  }
  int TextWidth(std::string_view text) override {
    measuredWith.push_back(font_);
    return charWidth_ * static_cast<int>(text.size());
  }
  int TextHeight(std::string_view) override {
    measuredWith.push_back(font_);
    return lineHeight_;
  }
  TPoint Origin() const override { return {0, 0}; }
  void SetOrigin(TPoint) override {}
  TMapMode MapMode() const override { return TMapMode::Pixels; }
  void SetMapMode(TMapMode) override {}

 private:
  int charWidth_;
  int lineHeight_;
  TColor brushColor_ = 0x123456;
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  TFontSpec font_{"Courier", 9, 8, false, 0x00FF00, 0};
  TTextAlign align_ = TTextAlign::TopCenter;
  TBkMode bkMode_ = TBkMode::Opaque;
  TColor bkColor_ = 0xABCDEF;
};

}  // namespace vantor::test
