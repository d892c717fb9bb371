// A run's output on a job the test keeps, for the runners and windows that
// open an output per run.
#pragma once

#include "printing/HeadlessRun.h"

namespace vantor::test {

class TFakeOutput : public TSheetOutput {
 public:
  explicit TFakeOutput(TPrintJob& job) : job_(job) {}
  TPrintJob& Job() override { return job_; }

 private:
  TPrintJob& job_;
};

}  // namespace vantor::test
