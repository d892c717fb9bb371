#include "app/cli/OutputFactories.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

#include "printing/qt/QtPrintJob.h"
#include "qt/OutputFile.h"

namespace vantor {

namespace {

class TPdfOutput : public TSheetOutput {
 public:
  TPdfOutput(const std::string& path, int dpi, const TCalibration& c, const QPageSize& page = QPageSize(QPageSize::A4))
      : job_(QString::fromStdString(path), dpi, c, page) {}
  TPrintJob& Job() override { return job_; }
  void Finish() override { job_.Finish(); }

 private:
  TPdfJob job_;
};

class TPrinterOutput : public TSheetOutput {
 public:
  // Without a calibration of its own the printer's kept one applies.
  TPrinterOutput(const QPrinterInfo& info, TSheetOptions& sheet, const std::optional<TCalibration>& c)
      : printer_(info, QPrinter::HighResolution), job_(printer_, sheet) {
    if (c) job_.SetCalibrationSource([c = *c](const QString&) { return c; });
  }
  TPrintJob& Job() override { return job_; }
  QPrinter& Printer() { return printer_; }

 private:
  QPrinter printer_;
  TNamedPrinterJob job_;
};

// An LTO run on a named printer: its sheet options stay at their defaults.
class TLtoPrinterOutput : public TPrinterOutput {
 public:
  TLtoPrinterOutput(const QPrinterInfo& info, const std::optional<TCalibration>& c) : TPrinterOutput(info, sheet_, c) {}

 private:
  TSheetOptions sheet_;
};

// The trace goes page by page into a temporary file beside its place, which
// replaces the file at once when every sheet is drawn, or is removed.
class TTraceFileJob : public TTraceJob {
 public:
  TTraceFileJob(const std::string& path, int dpi, const TCalibration& c)
      : TTraceJob(dpi, c), file_(QString::fromStdString(path)) {}
  void AbortDoc() override { file_.Discard(); }
  void Commit() {
    if (!file_.IsOpen()) file_.Open();  // a run of no page is an empty trace
    file_.Commit();
  }

 protected:
  void WritePage(const std::string& page) override {
    QFile& file = file_.IsOpen() ? file_.File() : file_.Open();
    if (file.write(page.data(), static_cast<qint64>(page.size())) < 0) {
      const QString reason = file.errorString();
      file_.Discard();
      throw std::runtime_error("Cannot write \"" + file_.Target().toStdString() + "\": " + reason.toStdString());
    }
  }

 private:
  TOutputFile file_;
};

class TTraceOutput : public TSheetOutput {
 public:
  TTraceOutput(const std::string& path, int dpi, const TCalibration& c) : job_(path, dpi, c) {}
  TPrintJob& Job() override { return job_; }
  void Finish() override { job_.Commit(); }

 private:
  TTraceFileJob job_;
};

}  // namespace

std::unique_ptr<TSheetOutput> TQtPrintJobFactory::Open(const TPrintOptions& o, int dpi, TSheetOptions& sheet) {
  switch (o.output) {
    case TPrintOutput::Pdf: return std::make_unique<TPdfOutput>(o.target, dpi, o.calibration.value_or(TCalibration{}));
    case TPrintOutput::Trace:
      return std::make_unique<TTraceOutput>(o.target, dpi, o.calibration.value_or(TCalibration{}));
    case TPrintOutput::Printer: break;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(o.target));
  if (info.isNull()) throw std::runtime_error("no printer named \"" + o.target + "\"");
  return std::make_unique<TPrinterOutput>(info, sheet, o.calibration);
}

std::unique_ptr<TSheetOutput> TQtLtoOutputFactory::Open(TPrintOutput output, const std::string& target, int dpi,
                                                        TPageSize page,
                                                        const std::optional<TCalibration>& calibration) {
  switch (output) {
    case TPrintOutput::Pdf:
      return std::make_unique<TPdfOutput>(target, dpi, calibration.value_or(TCalibration{}), TemplatePageSize(page));
    case TPrintOutput::Trace: return std::make_unique<TTraceOutput>(target, dpi, calibration.value_or(TCalibration{}));
    case TPrintOutput::Printer: break;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(target));
  if (info.isNull()) throw std::runtime_error("no printer named \"" + target + "\"");
  auto printer = std::make_unique<TLtoPrinterOutput>(info, calibration);
  printer->Printer().setPageSize(TemplatePageSize(page));
  if (dpi > 0) printer->Printer().setResolution(dpi);
  return printer;
}

}  // namespace vantor
