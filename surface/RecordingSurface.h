// A drawing surface that draws nothing and keeps every drawing operation with
// its integer coordinates and the state in force (font, colours, alignment,
// background, origin, mapping mode). Tests read the operations; the print
// trace (printing/PrintTrace.h) writes them out.
//
// Text metrics are fixed so that results never depend on installed fonts, in
// the units of the current mapping mode:
//   cell height  c = Font().Height when it is above 0, otherwise
//                    round(PointSize x DpiY x 1.15 / 72) (1.15: the ascent plus
//                    descent of Arial-like faces per em), at least 1;
//   TextHeight(t) = c for any text, the empty one included;
//   TextWidth(t)  = (number of characters of t) x ceil(c / 2), t being UTF-8
//                   like all surface text.
#pragma once

#include <string>
#include <vector>

#include "surface/SurfaceState.h"

namespace vantor {

enum class TOpKind { FillRect, Rectangle, Polygon, TextOut };

struct TRecordedOp {
  TOpKind Kind = TOpKind::FillRect;
  TPoint P1;                   // FillRect, Rectangle: first corner as given; TextOut: reference point
  TPoint P2;                   // FillRect, Rectangle: second corner as given
  std::vector<TPoint> Points;  // Polygon
  std::string Text;            // TextOut
  TFontSpec Font;
  TTextAlign Align = TTextAlign::TopLeft;
  TColor BrushColor = 0;
  TBrushStyle BrushStyle = TBrushStyle::Solid;
  int PenWidth = 1;
  TColor BkColor = 0;
  TBkMode BkMode = TBkMode::Opaque;
  TPoint Origin;
  TMapMode MapMode = TMapMode::Pixels;

  // The corners normalised (FillRect, Rectangle): right and bottom exclusive.
  int Left() const { return P1.x < P2.x ? P1.x : P2.x; }
  int Right() const { return P1.x < P2.x ? P2.x : P1.x; }
  int Top() const { return P1.y < P2.y ? P1.y : P2.y; }
  int Bottom() const { return P1.y < P2.y ? P2.y : P1.y; }

  friend bool operator==(const TRecordedOp&, const TRecordedOp&) = default;
};

class TRecordingSurface : public TSurfaceState {
 public:
  explicit TRecordingSurface(int dpiX = 96, int dpiY = 96) : dpiX_(dpiX), dpiY_(dpiY) {}

  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }
  void SetDpi(int x, int y) {
    dpiX_ = x;
    dpiY_ = y;
  }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;

  void SetFont(const TFontSpec& f) override {
    TSurfaceState::SetFont(f);
    ++fontChanges_;
  }
  void SetMapMode(TMapMode m) override {
    TSurfaceState::SetMapMode(m);
    ++mapModeChanges_;
  }

  // The fixed metric: cell height of a font at a vertical resolution.
  static int CellHeight(const TFontSpec& f, int dpiY);

  // The operations so far, in order. Read after drawing: more drawing may move them.
  const std::vector<TRecordedOp>& Ops() const;
  std::vector<TRecordedOp> OpsOf(TOpKind kind) const;
  std::size_t OpCount() const { return records_.size(); }
  void ClearOps();
  int FontChanges() const { return fontChanges_; }
  int MapModeChanges() const { return mapModeChanges_; }

 private:
  // While drawing, an operation is kept as its kind, corners and the index of
  // the state in force; states are stored once for as long as they last. A
  // barcode records one operation a bar, and copying the whole state (a font
  // name among it) into every one cost more than the drawing itself. Ops()
  // expands them to TRecordedOp when they are read.
  struct TState {
    TFontSpec Font;
    TTextAlign Align;
    TColor BrushColor;
    TBrushStyle BrushStyle;
    int PenWidth;
    TColor BkColor;
    TBkMode BkMode;
    TPoint Origin;
    TMapMode MapMode;
    friend bool operator==(const TState&, const TState&) = default;
  };
  struct TCompactOp {
    TOpKind Kind = TOpKind::FillRect;
    std::uint32_t State = 0;
    TPoint P1;
    TPoint P2;
    std::uint32_t Extra = 0;  // Polygon: index in polygons_; TextOut: index in texts_
  };
  std::uint32_t CurrentState() { return StateVersion() != stateVersion_ || states_.empty() ? NewState() : state_; }
  std::uint32_t NewState();
  // Written field by field where the record will stay: a record built aside
  // and copied in was read back whole before its parts had landed, which
  // stalled every bar.
  void Record(TOpKind kind, TPoint p1, TPoint p2, std::uint32_t extra) {
    const std::uint32_t state = CurrentState();
    TCompactOp& op = records_.emplace_back();
    op.Kind = kind;
    op.State = state;
    op.P1 = p1;
    op.P2 = p2;
    op.Extra = extra;
  }

  int dpiX_;
  int dpiY_;
  std::vector<TCompactOp> records_;
  std::vector<TState> states_;
  std::vector<std::vector<TPoint>> polygons_;
  std::vector<std::string> texts_;
  std::uint64_t stateVersion_ = 0;  // StateVersion() when state_ was taken
  std::uint32_t state_ = 0;
  mutable std::vector<TRecordedOp> ops_;  // records_ expanded, as far as read
  int fontChanges_ = 0;
  int mapModeChanges_ = 0;
};

}  // namespace vantor
