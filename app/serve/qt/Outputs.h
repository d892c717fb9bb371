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

#include "app/serve/JobRequest.h"
#include "dlt/DltCommand.h"
#include "lto/LtoCommand.h"
#include "printing/qt/QtOutputs.h"

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
class TPreviewFactory : public TOutputFactory {
 public:
  TPreviewFactory(int page, TPreviewFormat format, std::vector<TLabelRect> places, TPreviewImage& image)
      : page_(page), format_(format), places_(std::move(places)), image_(image) {}
  // The paper: `page`, A4 (DltPage) without one.
  std::unique_ptr<TSheetOutput> Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) override;

 private:
  int page_;
  TPreviewFormat format_;
  std::vector<TLabelRect> places_;
  TPreviewImage& image_;
};

// PDF files in a private folder of their own, read back as bytes once the
// runner has put them in place; printers by name as the command line opens
// them.
class TPdfBytesFactory : public TOutputFactory {
 public:
  TPdfBytesFactory();
  bool Usable() const { return folder_.isValid(); }
  // The paper: `page`, A4 (DltPage) without one.
  std::unique_ptr<TSheetOutput> Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) override;
  // The file a PDF run writes to, and what it holds once written (empty
  // before). The file is removed once read.
  std::string Path() const;
  QByteArray TakeBytes();
  // An output could not be opened (a printer, the file): the service's fault.
  bool OutputFailed() const { return failed_; }

 private:
  QTemporaryDir folder_;
  bool failed_ = false;
  TQtOutputFactory outputs_;
};

}  // namespace vantor::serve
