// A headless sheet host over the label model, and a print job on a recording
// surface, for the layout tests.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "app/LabelState.h"
#include "printing/Sheet.h"
#include "surface/RecordingSurface.h"

namespace vantor::test {

class FakeHost : public TSheetHost {
 public:
  TLabelState state;
  bool colored = true;
  bool serialEnabled = false;
  std::vector<TPoint> barcodePoints;
  std::vector<std::string> barcodeTexts;  // the text each barcode was drawn with
  std::vector<std::string> previewSerials;  // serial at each RefreshPreview

  FakeHost() {
    state.SetSerialHook([this](const std::string& s) {
      // The window's change handling: a six-character serial rebuilds the barcode text.
      if (s.size() == 6) state.SetBarcodeText(state.ComposeBarcodeText());
    });
  }
  void Start(int mode, const std::string& serial) {
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

class FakeJob : public TPrintJob {
 public:
  explicit FakeJob(int dpi = 300) : page(dpi, dpi) {}
  TRecordingSurface page;
  bool confirm = true;
  bool portrait = false;
  std::string title;
  int copies = 0;
  int begun = 0, ended = 0, aborted = 0;
  int failAfterOps = -1;  // throw from Page() use once this many ops are recorded

  bool ShowDialog() override { return confirm; }
  void SetPortrait() override { portrait = true; }
  void SetTitle(const std::string& t) override { title = t; }
  void SetCopies(int c) override { copies = c; }
  void BeginDoc() override { ++begun; }
  TSurface& Page() override { return page; }
  void EndDoc() override {
    if (failAfterOps >= 0) throw std::runtime_error("printer went away");
    ++ended;
  }
  void AbortDoc() override { ++aborted; }
};

}  // namespace vantor::test
