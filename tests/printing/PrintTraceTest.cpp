#include <gtest/gtest.h>

#include <sstream>

#include "printing/PrintTrace.h"

namespace vantor {
namespace {

TEST(PrintTrace, OneLinePerOperation) {
  TRecordingSurface s(300, 300);
  s.SetPenWidth(2);
  s.SetBrushColor(ColorFromRgb(0xFFFFFF));
  s.Rectangle(260, 402, 933, 650);
  s.SetBrushColor(ColorFromRgb(0x12AB34));
  s.FillRect(276, 427, 378, 482);
  s.SetBrushColor(0);
  s.Polygon({{1, 2}, {3, 4}, {5, 6}});
  TFontSpec f;
  f.PointSize = 10;
  f.Bold = true;
  f.Color = ColorFromRgb(0x000000);
  s.SetFont(f);
  s.SetBkColor(ColorFromRgb(0xFF0000));
  s.SetBkMode(TBkMode::Opaque);
  s.TextOut(315, 429, "A\"\\");
  f.Height = 22;
  f.Escapement = 2700;
  s.SetFont(f);
  s.SetBkMode(TBkMode::Transparent);
  s.SetTextAlign(TTextAlign::TopCenter);
  s.TextOut(1, 2, "x");

  std::ostringstream out;
  WritePrintTrace(out, 3, s.Ops());
  EXPECT_EQ(out.str(),
            "page 3\n"
            "rect 260 402 933 650 pen=2 brush=#FFFFFF\n"
            "fill 276 427 378 482 #12AB34\n"
            "poly 1 2 3 4 5 6 brush=#000000\n"
            "text 315 429 \"A\\\"\\\\\" font=\"Arial\" size=10pt bold=1 angle=0 color=#000000 bg=#FF0000 align=left\n"
            "text 1 2 \"x\" font=\"Arial\" size=22px bold=1 angle=2700 color=#000000 bg=none align=center\n");
}

}  // namespace
}  // namespace vantor
