// A headless sheet host over the label model, and the print job of the
// tests, for the layout tests.
#pragma once

#include <string>
#include <vector>

#include "dlt/LabelState.h"
#include "dlt/Sheet.h"
#include "support/FakePrintJob.h"
#include "surface/RecordingSurface.h"

namespace vantor::test {

class FakeHost : public TSheetHost {
 public:
  TLabelState state;
  bool colored = true;
  bool serialEnabled = false;
  std::vector<TPoint> barcodePoints;
  std::vector<std::string> barcodeTexts;    // the text each barcode was drawn with
  std::vector<std::string> previewSerials;  // serial at each RefreshPreview

  FakeHost() {
    state.SetSerialHook([this](const std::string& s) {
      // The window's change handling: a six-character serial rebuilds the barcode text.
      if (s.size() == 6) state.SetBarcodeText(state.ComposeBarcodeText());
    });
  }
  void Start(TMediaMode mode, const std::string& serial) {
    state.SetMediaMode(mode);
    state.SetSerial(serial);
    state.SetBarcodeText(state.ComposeBarcodeText());
  }

  std::string SerialText() const override { return state.Serial(); }
  void SetSerialText(const std::string& t) override { state.SetSerial(t); }
  void EnableSerialField() override { serialEnabled = true; }
  std::string BarcodeText() const override { return state.BarcodeText(); }
  void SetBarcodeText(const std::string& t) override { state.SetBarcodeText(t); }
  bool ColoredSequence() const override { return colored; }
  TColor DigitColor(int d) const override { return state.Colors[static_cast<std::size_t>(d)]; }
  void NextSequence() override { state.NextSequence(); }
  void RefreshPreview() override { previewSerials.push_back(state.Serial()); }
  void DrawBarcode(TSurface&, int x, int y) override {
    barcodePoints.push_back({x, y});
    barcodeTexts.push_back(state.BarcodeText());
  }
};

using FakeJob = TFakePrintJob;

}  // namespace vantor::test
