// Qt's print preview for a job of label pages. The preview draws the job with
// the same procedure and surface that print it, on the preview's printer; its
// Print button prints the job for real through the same drawing.
#pragma once

#include <QPrintPreviewDialog>
#include <functional>

#include "printing/qt/QtPrintJob.h"

class QPrintPreviewWidget;

namespace vantor {

// Draws a whole job on `job` (BeginDoc .. EndDoc, e.g. through DrawRun).
// `preview`: the pages the dialog shows, which must leave every serial and
// setting as it found them; false: the dialog's Print button, which prints
// the job and moves on as printing does.
using TJobDrawing = std::function<void(TPrintJob& job, bool preview)>;

class TPrintPreview : public QPrintPreviewDialog {
  Q_OBJECT

 public:
  // `printer` (the one the job would print on) must outlive the dialog.
  TPrintPreview(QPrinter& printer, TJobDrawing drawing, QWidget* parent = nullptr);

  void SetCalibrationSource(TCalibrationSource source) { calibration_ = std::move(source); }
  // How a failure while drawing is told (default: a message box).
  void SetError(std::function<void(const QString&)> error) { error_ = std::move(error); }

  QPrintPreviewWidget* PreviewWidget() const;
  // Draws the pages again, e.g. after the job's options changed.
  void Refresh();
  // Whether `printer` is the preview's stand-in rather than a real device.
  static bool IsPreviewPainting(QPrinter& printer);

 private:
  void Paint(QPrinter* printer);

  TJobDrawing drawing_;
  TCalibrationSource calibration_;
  std::function<void(const QString&)> error_;
};

}  // namespace vantor
