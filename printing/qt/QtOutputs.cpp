#include "printing/qt/QtOutputs.h"

#include <QFile>
#include <QPrinterInfo>
#include <stdexcept>

namespace vantor {

TPrinterOutput::TPrinterOutput(const QPrinterInfo& info, const std::optional<TCalibration>& calibration)
    : printer_(info, QPrinter::HighResolution), job_(printer_, sheet_) {
  if (calibration) job_.SetCalibrationSource([c = *calibration](const QString&) { return c; });
}

TTraceFileJob::TTraceFileJob(const std::string& path, int dpi, const TCalibration& c)
    : TTraceJob(dpi, c), file_(QString::fromStdString(path)) {}

void TTraceFileJob::Commit() {
  if (!file_.IsOpen()) file_.Open();  // a run of no page is an empty trace
  file_.Commit();
}

void TTraceFileJob::WritePage(const std::string& page) {
  QFile& file = file_.IsOpen() ? file_.File() : file_.Open();
  if (file.write(page.data(), static_cast<qint64>(page.size())) < 0) {
    const QString reason = file.errorString();
    file_.Discard();
    throw std::runtime_error("Cannot write \"" + file_.Target().toStdString() + "\": " + reason.toStdString());
  }
}

std::unique_ptr<TSheetOutput> TQtOutputFactory::Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) {
  const int dpi = OutputDpi(spec);
  const TCalibration calibration = spec.calibration.value_or(TCalibration{});
  switch (spec.output) {
    case TOutputKind::Pdf:
      return std::make_unique<TPdfOutput>(QString::fromStdString(spec.target), dpi, calibration,
                                          page ? TemplatePageSize(*page) : QPageSize(QPageSize::A4));
    case TOutputKind::Trace: return std::make_unique<TTraceOutput>(spec.target, dpi, calibration);
    case TOutputKind::Printer: break;
  }
  const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(spec.target));
  if (info.isNull()) throw std::runtime_error("no printer named \"" + spec.target + "\"");
  auto printer = std::make_unique<TPrinterOutput>(info, spec.calibration);
  if (page) printer->Printer().setPageSize(TemplatePageSize(*page));
  if (dpi > 0) printer->Printer().setResolution(dpi);
  return printer;
}

}  // namespace vantor
