#include "dlt/HeadlessHost.h"

#include "barcode/BarProps.h"
#include "barcode/LoMetric.h"
#include "dlt/MediaSetup.h"

namespace vantor {

THeadlessHost::THeadlessHost(const THeadlessChoice& choice) {
  const TMediaSetup& setup = MediaSetupFor(choice.mediaMode);
  state_.SetMediaMode(choice.mediaMode);
  // The window's change handling: a six-character serial rebuilds the barcode text.
  state_.SetSerialHook([this](const std::string& s) {
    if (s.size() == kSerialLength) RefreshPreview();
  });
  state_.SetSerial(choice.serial.empty() ? std::string(setup.serial) : choice.serial);
  state_.SetBarcodeText(state_.ComposeBarcodeText());
  rotated_ = setup.rotatedSequence.enabled ? choice.rotated : setup.rotatedSequence.checked;
  colored_ = setup.coloredSequence.enabled ? choice.colored : setup.coloredSequence.checked;

  TBarcodeParams& p = barcode_.Params;
  p.CodeType = CODE39;
  p.Fontname = "Arial";
  p.Fontscaling = 150;
  p.Ratio = setup.ratio;
  p.ModuleWidth = setup.moduleWidth;
  p.HeightPercent = setup.heightPercent;
  p.HighDensity = setup.highDensity;
  p.HumanReadable = setup.humanReadable;
  p.WidthReduce = setup.widthReduce;
  p.ZoomSize = setup.zoomSize;
  const bool rotateBarcode = setup.rotateBarcode.enabled ? choice.rotateBarcode : setup.rotateBarcode.checked;
  p.Rotation = rotateBarcode ? rotate_180 : rotate_000;
}

void THeadlessHost::DrawBarcode(TSurface& page, int x, int y) {
  SetCaption(barcode_.Params, state_.BarcodeText());
  LoMetricPrint(barcode_, page, x, y, nullptr);
}

}  // namespace vantor
