// The outputs an output description names, on Qt: PDF files, printers by
// name, trace files; and the factory that opens them.
#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "printing/HeadlessRun.h"
#include "printing/Output.h"
#include "printing/qt/QtPrintJob.h"
#include "qt/OutputFile.h"

class QPrinterInfo;

namespace vantor {

// A PDF file: the document is put in place by Finish.
class TPdfOutput : public TSheetOutput {
 public:
  TPdfOutput(const QString& path, int dpi, const TCalibration& calibration,
             const QPageSize& page = QPageSize(QPageSize::A4))
      : job_(path, dpi, calibration, page) {}
  TPrintJob& Job() override { return job_; }
  void Finish() override { job_.Finish(); }

 private:
  TPdfJob job_;
};

// A printer by name, no dialog. Without a calibration of its own the
// printer's kept one applies.
class TPrinterOutput : public TSheetOutput {
 public:
  TPrinterOutput(const QPrinterInfo& info, const std::optional<TCalibration>& calibration);
  TPrintJob& Job() override { return job_; }
  QPrinter& Printer() { return printer_; }

 private:
  TSheetOptions sheet_;  // the job's Labels tab, never shown
  QPrinter printer_;
  TNamedPrinterJob job_;
};

// The trace goes page by page into a temporary file beside its place, which
// replaces the file at once when every page is drawn, or is removed.
class TTraceFileJob : public TTraceJob {
 public:
  TTraceFileJob(const std::string& path, int dpi, const TCalibration& c);
  void AbortDoc() override { file_.Discard(); }
  void Commit();

 protected:
  void WritePage(const std::string& page) override;

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

// PDF files, named printers and trace files on Qt. A PDF takes `page` (A4
// without one); a printer takes it and the description's dpi when given.
class TQtOutputFactory : public TOutputFactory {
 public:
  std::unique_ptr<TSheetOutput> Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) override;
};

}  // namespace vantor
