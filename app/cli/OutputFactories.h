// The command line's outputs on Qt: PDF files, trace files and named
// printers, for DLT and LTO runs.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "dlt/DltCommand.h"
#include "lto/LtoCommand.h"

namespace vantor {

// PDF files, named printers and trace files on Qt.
class TQtPrintJobFactory : public TPrintJobFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(const TPrintOptions& options, int dpi, TSheetOptions& sheet) override;
};

// LTO sheets to PDF files, named printers and trace files on Qt, the pages
// the template's size.
class TQtLtoOutputFactory : public TLtoOutputFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(TPrintOutput output, const std::string& target, int dpi, TPageSize page,
                                     const std::optional<TCalibration>& calibration) override;
};

}  // namespace vantor
