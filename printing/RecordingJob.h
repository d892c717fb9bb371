// A print job whose page is a recording surface: for traces, tests and timings.
#pragma once

#include <optional>

#include "printing/PrintJob.h"
#include "surface/CorrectedSurface.h"
#include "surface/RecordingSurface.h"

namespace vantor {

class TRecordingJob : public TPrintJob {
 public:
  // With a calibration other than none, the page is drawn through it, so the
  // recording holds the corrected coordinates.
  explicit TRecordingJob(int dpi = 300, const TCalibration& calibration = {}) : page_(dpi, dpi) {
    if (!calibration.IsIdentity()) corrected_.emplace(page_, calibration);
  }
  bool ShowDialog() override { return true; }
  void SetPortrait() override {}
  void SetTitle(const std::string&) override {}
  void SetCopies(int) override {}
  void BeginDoc() override { page_.ClearOps(); }  // one page a document
  TSurface& Page() override { return corrected_ ? static_cast<TSurface&>(*corrected_) : page_; }
  void EndDoc() override {}
  TRecordingSurface& Recording() { return page_; }
  TJobDestination Destination() const override { return destination_; }
  void SetDestination(TJobDestination destination) { destination_ = std::move(destination); }

 private:
  TJobDestination destination_{TOutputKind::Trace, {}};
  TRecordingSurface page_;
  std::optional<TCorrectedSurface> corrected_;
};

}  // namespace vantor
