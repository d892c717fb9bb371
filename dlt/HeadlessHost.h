// A sheet host without a window: the label model and one barcode set up the
// way the window's preview barcode is for the chosen media mode. The command
// line prints through it; tests use it as the reference host.
#pragma once

#include "barcode/BarLL.h"
#include "dlt/LabelState.h"
#include "dlt/Sheet.h"

namespace vantor {

struct THeadlessChoice {
  TMediaMode mediaMode = TMediaMode::Standard3of9;
  std::string serial;         // empty: the mode's default serial
  bool rotated = false;       // "Rotated sequence" (only where the mode allows it)
  bool colored = true;        // "Colored sequence" (only where the mode allows it)
  bool rotateBarcode = true;  // "Rotate barcode"
};

class THeadlessHost : public TSheetHost {
 public:
  explicit THeadlessHost(const THeadlessChoice& choice);

  TLabelState& State() { return state_; }
  TLLBarcode& Barcode() { return barcode_; }
  bool Rotated() const { return rotated_; }

  std::string SerialText() const override { return state_.Serial(); }
  void SetSerialText(const std::string& text) override { state_.SetSerial(text); }
  std::string BarcodeText() const override { return state_.BarcodeText(); }
  void SetBarcodeText(const std::string& text) override { state_.SetBarcodeText(text); }
  bool ColoredSequence() const override { return colored_; }
  TColor DigitColor(int digit) const override { return state_.Colors[static_cast<std::size_t>(digit)]; }
  void NextSequence() override { state_.NextSequence(); }
  void RefreshPreview() override { state_.SetBarcodeText(state_.ComposeBarcodeText()); }
  void DrawBarcode(TSurface& page, int x, int y) override;

 private:
  TLabelState state_;
  TLLBarcode barcode_;
  bool rotated_ = false;
  bool colored_ = true;
};

}  // namespace vantor
