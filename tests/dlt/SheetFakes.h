// A headless sheet host over the label model, and a print job on a recording
// surface, for the layout tests.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "dlt/LabelState.h"
#include "dlt/Sheet.h"
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

inline constexpr const char* kPaperJam = "Printing on \"FakePrinter\" failed: paper jam";

// A page on a printer that can fail mid-sheet: once `failAfter` drawing
// operations are on it, the next one throws.
class FailingPage : public TRecordingSurface {
 public:
  using TRecordingSurface::TRecordingSurface;
  int failAfter = -1;  // -1: never

  void Rectangle(int x1, int y1, int x2, int y2) override {
    Check();
    TRecordingSurface::Rectangle(x1, y1, x2, y2);
  }
  void FillRect(int x1, int y1, int x2, int y2) override {
    Check();
    TRecordingSurface::FillRect(x1, y1, x2, y2);
  }
  void Polygon(const std::vector<TPoint>& points) override {
    Check();
    TRecordingSurface::Polygon(points);
  }
  void TextOut(int x, int y, std::string_view text) override {
    Check();
    TRecordingSurface::TextOut(x, y, text);
  }

 private:
  void Check() const {
    if (failAfter >= 0 && static_cast<int>(Ops().size()) >= failAfter) throw std::runtime_error(kPaperJam);
  }
};

class FakeJob : public TPrintJob {
 public:
  explicit FakeJob(int dpi = 300) : page(dpi, dpi) {}
  FailingPage page;
  bool confirm = true;
  bool portrait = false;
  std::string title;
  int copies = 0;
  int begun = 0, ended = 0, aborted = 0;
  int failAfterOps = -1;   // the page fails once this many operations are on it
  bool failAtEnd = false;  // the printer refuses the finished document

  bool ShowDialog() override { return confirm; }
  void SetPortrait() override { portrait = true; }
  void SetTitle(const std::string& t) override { title = t; }
  void SetCopies(int c) override { copies = c; }
  void BeginDoc() override {
    ++begun;
    page.failAfter = failAfterOps;
  }
  TSurface& Page() override { return page; }
  // A page of the same document: the finished one is kept, the surface starts empty.
  void NewPage() override {
    pages.push_back(page.Ops());
    page.ClearOps();
    ++newPages;
  }
  void EndDoc() override {
    if (failAtEnd) throw std::runtime_error(kPaperJam);
    pages.push_back(page.Ops());
    ++ended;
  }
  void AbortDoc() override { ++aborted; }

  int newPages = 0;
  std::vector<std::vector<TRecordedOp>> pages;  // every finished page, in order
};

}  // namespace vantor::test
