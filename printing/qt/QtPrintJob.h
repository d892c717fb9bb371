// Print jobs on Qt: the system's printers through the print dialog (CUPS
// included), a named printer without a dialog, and PDF files.
#pragma once

#include <QPageSize>
#include <QString>
#include <memory>

#include "printing/Sheet.h"
#include "templates/SheetTemplate.h"

class QFile;
class QPainter;
class QPrinter;
class QPdfWriter;
class QWidget;
class QCheckBox;

namespace vantor {

class TQtSurface;

inline constexpr const char* kOutlinesCaption = "Print label outlines";

// A sheet template's page for QPrinter and QPdfWriter; standard sizes (A4,
// Letter) keep their names.
QPageSize TemplatePageSize(TPageSize page);

// The print dialog and the printer chosen there. The dialog carries an extra
// tab with "Print label outlines"; its state is kept in `options` for the run.
class TPrinterJob : public TPrintJob {
 public:
  TPrinterJob(QPrinter& printer, TSheetOptions& options, QWidget* parent = nullptr);
  ~TPrinterJob() override;

  bool ShowDialog() override;
  void SetPortrait() override;
  void SetTitle(const std::string& title) override;
  void SetCopies(int copies) override;
  void BeginDoc() override;
  TSurface& Page() override;
  void EndDoc() override;
  void AbortDoc() override;

 protected:
  QPrinter& printer_;

 private:
  TSheetOptions& options_;
  QWidget* parent_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtSurface> surface_;
};

// A printer picked by name, no dialog: the same printing path as the dialog's.
class TNamedPrinterJob : public TPrinterJob {
 public:
  using TPrinterJob::TPrinterJob;
  bool ShowDialog() override { return true; }
};

// Sheets into one PDF file at a chosen resolution and page size (A4 unless
// given), one page a sheet. The file
// appears only when Finish succeeds (written beside it first, then renamed), so
// a failure never leaves a partial file behind.
class TPdfJob : public TPrintJob {
 public:
  explicit TPdfJob(const QString& path, int dpi = 600, const QPageSize& page = QPageSize(QPageSize::A4));
  ~TPdfJob() override;

  bool ShowDialog() override { return true; }
  void SetPortrait() override {}
  void SetTitle(const std::string& title) override;
  void SetCopies(int) override {}
  void BeginDoc() override;  // the first opens the file, later ones start a new page
  TSurface& Page() override;
  void EndDoc() override {}
  void AbortDoc() override;
  // Closes the document and moves it into place. Throws with a message naming
  // the path (and the system's reason, where there is one) when the file
  // cannot be written; nothing is left behind then.
  void Finish();
  int Pages() const { return pages_; }

 private:
  void Discard();  // drops the document and its file

  QString path_;
  QString tempPath_;
  int dpi_;
  QPageSize page_;
  QString title_ = "Vantor";
  std::unique_ptr<QFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtSurface> surface_;
  int pages_ = 0;
};

}  // namespace vantor
