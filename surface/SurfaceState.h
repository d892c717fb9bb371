// The state a drawing surface keeps between operations, shared by every
// implementation so they all start from the same values: those of a fresh
// device context (white solid brush, pen 1, "Arial" 8 pt in black, top-left
// alignment, opaque white background, pixel mode at origin 0,0).
#pragma once

#include <cstdint>

#include "surface/Surface.h"

namespace vantor {

class TSurfaceState : public TSurface {
 public:
  TColor BrushColor() const override { return brushColor_; }
  void SetBrushColor(TColor c) override {
    brushColor_ = c;
    ++version_;
  }
  TBrushStyle BrushStyle() const override { return brushStyle_; }
  void SetBrushStyle(TBrushStyle s) override {
    brushStyle_ = s;
    ++version_;
  }
  int PenWidth() const override { return penWidth_; }
  void SetPenWidth(int w) override {
    penWidth_ = w;
    ++version_;
  }

  const TFontSpec& Font() const override { return font_; }
  void SetFont(const TFontSpec& f) override {
    font_ = f;
    ++version_;
  }
  TTextAlign TextAlign() const override { return align_; }
  void SetTextAlign(TTextAlign a) override {
    align_ = a;
    ++version_;
  }
  TBkMode BkMode() const override { return bkMode_; }
  void SetBkMode(TBkMode m) override {
    bkMode_ = m;
    ++version_;
  }
  TColor BkColor() const override { return bkColor_; }
  void SetBkColor(TColor c) override {
    bkColor_ = c;
    ++version_;
  }

  TPoint PrintingOffset() const override { return printingOffset_; }
  void SetPrintingOffset(TPoint p) { printingOffset_ = p; }
  TPoint Origin() const override { return origin_; }
  void SetOrigin(TPoint p) override {
    origin_ = p;
    ++version_;
  }
  TMapMode MapMode() const override { return mapMode_; }
  void SetMapMode(TMapMode m) override {
    mapMode_ = m;
    ++version_;
  }

  // Counts the setter calls (the printing offset aside): a surface that keeps
  // the state with what it draws takes a new copy only when this has moved.
  std::uint64_t StateVersion() const { return version_; }

 private:
  std::uint64_t version_ = 0;
  TColor brushColor_ = 0xFFFFFF;
  TBrushStyle brushStyle_ = TBrushStyle::Solid;
  int penWidth_ = 1;
  TFontSpec font_;
  TTextAlign align_ = TTextAlign::TopLeft;
  TBkMode bkMode_ = TBkMode::Opaque;
  TColor bkColor_ = 0xFFFFFF;
  TPoint printingOffset_;
  TPoint origin_;
  TMapMode mapMode_ = TMapMode::Pixels;
};

}  // namespace vantor
