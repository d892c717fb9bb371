#include "printing/qt/PrintPreview.h"

#include <QMessageBox>
#include <QPaintEngine>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <exception>

#include "printing/qt/CalibrationStore.h"

namespace vantor {

TPrintPreview::TPrintPreview(QPrinter& printer, TJobDrawing drawing, QWidget* parent)
    : QPrintPreviewDialog(&printer, parent), drawing_(std::move(drawing)), calibration_(StoredCalibrationFor) {
  connect(this, &QPrintPreviewDialog::paintRequested, this, &TPrintPreview::Paint);
}

QPrintPreviewWidget* TPrintPreview::PreviewWidget() const { return findChild<QPrintPreviewWidget*>(); }

void TPrintPreview::Refresh() {
  if (QPrintPreviewWidget* w = PreviewWidget()) w->updatePreview();
}

// While the preview collects its pages the printer paints into pictures;
// printing from the preview paints on the printer's own engine.
bool TPrintPreview::IsPreviewPainting(QPrinter& printer) {
  const QPaintEngine* engine = printer.paintEngine();
  return engine && engine->type() == QPaintEngine::Picture;
}

void TPrintPreview::Paint(QPrinter* printer) {
  TSheetOptions unused;  // the job brings its own options; this job shows no dialog
  TNamedPrinterJob job(*printer, unused, this);
  job.SetCalibrationSource(calibration_);
  try {
    drawing_(job, IsPreviewPainting(*printer));
  } catch (const std::exception& e) {
    // A slot must not let an exception into Qt's event handling.
    const QString text = QString::fromStdString(e.what());
    if (error_)
      error_(text);
    else
      QMessageBox::critical(this, QStringLiteral("Vantor"), text);
  }
}

}  // namespace vantor
