#include "surface/RecordingSurface.h"

#include "surface/Units.h"

namespace vantor {

// The state in force, stored when it differs from the last one stored.
std::uint32_t TRecordingSurface::NewState() {
  TState now{Font(), TextAlign(), BrushColor(), BrushStyle(), PenWidth(), BkColor(), BkMode(), Origin(), MapMode()};
  if (states_.empty() || !(states_[state_] == now)) {
    state_ = static_cast<std::uint32_t>(states_.size());
    states_.push_back(std::move(now));
  }
  stateVersion_ = StateVersion();
  return state_;
}

void TRecordingSurface::Rectangle(int x1, int y1, int x2, int y2) { Record(TOpKind::Rectangle, {x1, y1}, {x2, y2}, 0); }

void TRecordingSurface::FillRect(int x1, int y1, int x2, int y2) { Record(TOpKind::FillRect, {x1, y1}, {x2, y2}, 0); }

void TRecordingSurface::Polygon(const std::vector<TPoint>& points) {
  Record(TOpKind::Polygon, {}, {}, static_cast<std::uint32_t>(polygons_.size()));
  polygons_.push_back(points);
}

void TRecordingSurface::TextOut(int x, int y, std::string_view text) {
  Record(TOpKind::TextOut, {x, y}, {}, static_cast<std::uint32_t>(texts_.size()));
  texts_.emplace_back(text);
}

const std::vector<TRecordedOp>& TRecordingSurface::Ops() const {
  ops_.reserve(records_.size());
  for (std::size_t i = ops_.size(); i < records_.size(); ++i) {
    const TCompactOp& r = records_[i];
    const TState& st = states_[r.State];
    TRecordedOp& op = ops_.emplace_back();
    op.Kind = r.Kind;
    op.P1 = r.P1;
    op.P2 = r.P2;
    if (r.Kind == TOpKind::Polygon) op.Points = polygons_[r.Extra];
    if (r.Kind == TOpKind::TextOut) op.Text = texts_[r.Extra];
    op.Font = st.Font;
    op.Align = st.Align;
    op.BrushColor = st.BrushColor;
    op.BrushStyle = st.BrushStyle;
    op.PenWidth = st.PenWidth;
    op.BkColor = st.BkColor;
    op.BkMode = st.BkMode;
    op.Origin = st.Origin;
    op.MapMode = st.MapMode;
  }
  return ops_;
}

void TRecordingSurface::ClearOps() {
  records_.clear();
  states_.clear();
  polygons_.clear();
  texts_.clear();
  ops_.clear();
}

int TRecordingSurface::CellHeight(const TFontSpec& f, int dpiY) {
  if (f.Height > 0) return f.Height;
  const int c = RoundEven(f.PointSize * dpiY * 1.15 / 72);
  return c < 1 ? 1 : c;
}

int TRecordingSurface::TextWidth(std::string_view text) {
  const int c = CellHeight(Font(), dpiY_ ? dpiY_ : ScreenDpiY());
  int characters = 0;
  for (const char b : text) characters += (static_cast<unsigned char>(b) & 0xC0) != 0x80;  // not a continuation byte
  return characters * ((c + 1) / 2);
}

int TRecordingSurface::TextHeight(std::string_view) { return CellHeight(Font(), dpiY_ ? dpiY_ : ScreenDpiY()); }

std::vector<TRecordedOp> TRecordingSurface::OpsOf(TOpKind kind) const {
  std::vector<TRecordedOp> out;
  for (const TRecordedOp& op : Ops())
    if (op.Kind == kind) out.push_back(op);
  return out;
}

}  // namespace vantor
