// A print job whose page is a recording surface: for traces, tests and timings.
#pragma once

#include "printing/Sheet.h"
#include "surface/RecordingSurface.h"

namespace vantor {

class TRecordingJob : public TPrintJob {
 public:
  explicit TRecordingJob(int dpi = 300) : page_(dpi, dpi) {}
  bool ShowDialog() override { return true; }
  void SetPortrait() override {}
  void SetTitle(const std::string&) override {}
  void SetCopies(int) override {}
  void BeginDoc() override { page_.ClearOps(); }  // one page a document
  TSurface& Page() override { return page_; }
  void EndDoc() override {}
  TRecordingSurface& Recording() { return page_; }

 private:
  TRecordingSurface page_;
};

}  // namespace vantor
