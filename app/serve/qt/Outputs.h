// The web service's outputs on the command line's runners: a page of a run as
// SVG or PNG (the preview, never journalled), and a run as PDF bytes (a job's
// download). Both take the runners' factories, so the run is checked, drawn
// and journalled exactly as on the command line.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/OutputFactories.h"
#include "app/serve/JobRequest.h"
#include "dlt/DltCommand.h"
#include "lto/LtoCommand.h"

namespace vantor::serve {

// Preview pages are drawn in the PDF's dots; a PNG is scaled down to this.
inline constexpr int kPreviewDpi = 600;
inline constexpr int kPngDpi = 96;

// A4, the page of the tape-label sheets.
TPageSize DltPage();

// What a preview job made: the page as an image, once the run has drawn it.
struct TPreviewImage {
  QByteArray bytes;
  int pages = 0;  // pages the run drew
};

// Opens a preview job for each run: `page` (0-based) drawn as `format`, the
// `places` outlined faintly beneath it (the template's labels, so the start
// label shows), every other page drawn nowhere.
class TPreviewFactory : public TPrintJobFactory, public TLtoOutputFactory {
 public:
  TPreviewFactory(int page, TPreviewFormat format, std::vector<TLabelRect> places, TPreviewImage& image)
      : page_(page), format_(format), places_(std::move(places)), image_(image) {}
  std::unique_ptr<TSheetOutput> Open(const TPrintOptions& options, int dpi, TSheetOptions& sheet) override;
  std::unique_ptr<TSheetOutput> Open(TPrintOutput output, const std::string& target, int dpi, TPageSize page,
                                     const std::optional<TCalibration>& calibration) override;

 private:
  int page_;
  TPreviewFormat format_;
  std::vector<TLabelRect> places_;
  TPreviewImage& image_;
};

// PDF files in a private folder of their own, read back as bytes once the
// runner has put them in place; printers by name as the command line opens
// them.
class TPdfBytesFactory : public TPrintJobFactory, public TLtoOutputFactory {
 public:
  TPdfBytesFactory();
  bool Usable() const { return folder_.isValid(); }
  std::unique_ptr<TSheetOutput> Open(const TPrintOptions& options, int dpi, TSheetOptions& sheet) override;
  std::unique_ptr<TSheetOutput> Open(TPrintOutput output, const std::string& target, int dpi, TPageSize page,
                                     const std::optional<TCalibration>& calibration) override;
  // The file a PDF run writes to, and what it holds once written (empty
  // before). The file is removed once read.
  std::string Path() const;
  QByteArray TakeBytes();
  // An output could not be opened (a printer, the file): the service's fault.
  bool OutputFailed() const { return failed_; }

 private:
  template <typename F>
  std::unique_ptr<TSheetOutput> Watch(F open);

  QTemporaryDir folder_;
  bool failed_ = false;
  TQtPrintJobFactory dlt_;
  TQtLtoOutputFactory lto_;
};

}  // namespace vantor::serve
