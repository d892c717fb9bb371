// Draw on the recording surface with any parameters and resolution: no
// undefined behaviour, the surface's brush and alignment come back as they
// were whatever happens, the same object draws the same thing twice, and
// every bar lies inside the reported box.
#include <string>
#include <vector>

#include "barcode/BarLL.h"
#include "fuzz/BarcodeInput.h"
#include "fuzz/FuzzCheck.h"
#include "surface/RecordingSurface.h"

using namespace vantor;

namespace {

struct Drawn {
  std::string error;
  TPoint size;
  std::vector<TRecordedOp> ops;
};

Drawn DrawOnce(TLLBarcode& bc, int dpiX, int dpiY, int x0, int y0) {
  TRecordingSurface s(dpiX, dpiY);
  s.SetBrushColor(0x123456);
  s.SetBrushStyle(TBrushStyle::Clear);
  s.SetTextAlign(TTextAlign::TopLeft);
  Drawn d;
  try {
    bc.Draw(s, x0, y0, d.size);
  } catch (const EOverflow& e) {
    d.error = e.what();
  }
  FUZZ_CHECK(s.BrushColor() == 0x123456u);
  FUZZ_CHECK(s.BrushStyle() == TBrushStyle::Clear);
  FUZZ_CHECK(s.TextAlign() == TTextAlign::TopLeft);
  d.ops = s.Ops();
  return d;
}

bool SameOps(const std::vector<TRecordedOp>& a, const std::vector<TRecordedOp>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].Kind != b[i].Kind || !(a[i].P1 == b[i].P1) || !(a[i].P2 == b[i].P2) || a[i].Text != b[i].Text)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  TLLBarcode bc;
  const int dpiX = in.ConsumeIntegralInRange(0, 2400);
  const int dpiY = in.ConsumeBool() ? dpiX : in.ConsumeIntegralInRange(0, 2400);
  const int x0 = in.ConsumeIntegralInRange(-1000, 1000);
  const int y0 = in.ConsumeIntegralInRange(-1000, 1000);
  fuzz::FillDrawParams(in, bc.Params);
  fuzz::Context() = fuzz::Describe(bc.Params) + " dpi=" + std::to_string(dpiX) + "x" + std::to_string(dpiY) + " at " +
                    std::to_string(x0) + "," + std::to_string(y0);

  const Drawn first = DrawOnce(bc, dpiX, dpiY, x0, y0);
  const Drawn second = DrawOnce(bc, dpiX, dpiY, x0, y0);
  FUZZ_CHECK(first.error == second.error);
  FUZZ_CHECK(SameOps(first.ops, second.ops));
  if (!first.error.empty()) return 0;

  FUZZ_CHECK(first.size.x > 0 && first.size.y > 0);
  for (const TRecordedOp& op : first.ops) {
    if (op.Kind != TOpKind::FillRect) continue;
    fuzz::Context() += "\nsize " + std::to_string(first.size.x) + "x" + std::to_string(first.size.y) + ", bar " +
                       std::to_string(op.Left()) + "," + std::to_string(op.Top()) + " .. " +
                       std::to_string(op.Right()) + "," + std::to_string(op.Bottom());
    FUZZ_CHECK(op.Left() >= x0 && op.Right() <= x0 + first.size.x);
    FUZZ_CHECK(op.Top() >= y0 && op.Bottom() <= y0 + first.size.y);
  }
  return 0;
}
