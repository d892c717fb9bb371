// Print jobs on Qt: the system's printers through the print dialog (CUPS
// included), a named printer without a dialog, and PDF files.
#pragma once

#include <QPageSize>
#include <QPrintDialog>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "printing/PrintJob.h"
#include "qt/OutputFile.h"
#include "surface/CorrectedSurface.h"
#include "templates/SheetTemplate.h"

class QFile;
class QPainter;
class QPrinter;
class QPdfWriter;
class QCheckBox;
class QMessageBox;
class QShowEvent;
class QSpinBox;

namespace vantor {

class TQtSurface;

inline constexpr const char* kOutlinesCaption = QT_TRANSLATE_NOOP("vantor::PrintJob", "Print label outlines");
inline constexpr const char* kSheetsCaption = QT_TRANSLATE_NOOP("vantor::PrintJob", "Sheets");
inline constexpr const char* kStartLabelCaption = QT_TRANSLATE_NOOP("vantor::PrintJob", "Start at label");

// What a job's "Labels" tab offers besides "Print label outlines".
// The family fills it in: the dialog knows no sheet of its own.
struct TLabelsTabFields {
  bool sheets = false;    // "Sheets": a job of whole pages (the label count sets it otherwise)
  int maxSheets = 1;      // "Sheets" runs from 1 to this
  int labelsPerPage = 1;  // "Start at label" runs from 1 to this
  bool outlines = true;   // "Print label outlines": for a family that draws them
};

// The print dialog's "Labels" tab.
class TLabelsTab : public QWidget {
  Q_OBJECT

 public:
  TLabelsTab(const TSheetOptions& options, const TLabelsTabFields& fields, QWidget* parent = nullptr);
  // The options as the tab shows them; the rest of `base` kept.
  TSheetOptions Options(TSheetOptions base) const;

  QCheckBox* Outlines = nullptr;
  QSpinBox* Sheets = nullptr;  // null when the fields leave it out
  QSpinBox* StartLabel = nullptr;
};

// Why the job the tab describes cannot print (a serial run past its end, say),
// or nothing.
using TJobCheck = std::function<std::optional<std::string>(const TSheetOptions&)>;
// The correction a printer's pages are drawn through, by printer name.
using TCalibrationSource = std::function<TCalibration(const QString& printerName)>;

// Qt's print dialog with the "Labels" tab, which does not close on a job the
// check refuses: the operator sees why and can change the job.
class TJobPrintDialog : public QPrintDialog {
  Q_OBJECT

 public:
  TJobPrintDialog(QPrinter* printer, const TSheetOptions& options, const TLabelsTabFields& fields,
                  QWidget* parent = nullptr);
  void SetCheck(TJobCheck check) { check_ = std::move(check); }
  void SetWarning(std::function<void(const QString&)> warn) { warn_ = std::move(warn); }
  // The pages of the job the tab describes (by default its sheets); a job of
  // more than kConfirmPagesOver pages is printed only once confirmed.
  void SetPageCount(std::function<int(const TSheetOptions&)> pages) { pages_ = std::move(pages); }
  // Asks the question; true: print. By default BigJobQuestion.
  void SetConfirm(std::function<bool(const QString&)> confirm) { confirm_ = std::move(confirm); }
  TLabelsTab* Labels() const { return tab_; }
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Copies would print the same serials again unrecorded: the field stays at 1.
  void DisableCopies();

  TLabelsTab* tab_;
  TSheetOptions base_;
  TJobCheck check_;
  std::function<void(const QString&)> warn_;
  std::function<int(const TSheetOptions&)> pages_;
  std::function<bool(const QString&)> confirm_;
};

// Jobs of more pages than this are confirmed in the window first.
inline constexpr int kConfirmPagesOver = 100;
// The question before a big job: Cancel is the default button, so an Enter
// pressed out of habit takes nothing.
std::unique_ptr<QMessageBox> BigJobQuestion(const QString& text, QWidget* parent = nullptr);

// A sheet template's page for QPrinter and QPdfWriter; standard sizes (A4,
// Letter) keep their names.
QPageSize TemplatePageSize(TPageSize page);

// The print dialog and the printer chosen there. The dialog carries an extra
// "Labels" tab (outlines, sheets, start label); its state is kept in
// `options` for the run. A job of several pages is one document. Pages are
// drawn through the printer's calibration (by default the one kept in the
// user's settings for the printer's name).
class TPrinterJob : public TPrintJob {
 public:
  TPrinterJob(QPrinter& printer, TSheetOptions& options, QWidget* parent = nullptr);
  ~TPrinterJob() override;

  void SetLabelsTabFields(const TLabelsTabFields& fields) { fields_ = fields; }
  void SetJobCheck(TJobCheck check) { check_ = std::move(check); }
  void SetPageCount(std::function<int(const TSheetOptions&)> pages) { pages_ = std::move(pages); }
  void SetWarning(std::function<void(const QString&)> warn) { warn_ = std::move(warn); }
  void SetCalibrationSource(TCalibrationSource source) { calibration_ = std::move(source); }
  // The calibration of the document begun last (none before that).
  const TCalibration& Calibration() const { return inForce_; }

  bool ShowDialog() override;
  void SetPortrait() override;
  void SetTitle(const std::string& title) override;
  void SetCopies(int copies) override;
  void BeginDoc() override;
  TSurface& Page() override;
  void NewPage() override;
  void EndDoc() override;
  void AbortDoc() override;
  // The printer's name, or the PDF file when the dialog printed to a file.
  TJobDestination Destination() const override;

 protected:
  QPrinter& printer_;

 private:
  TSheetOptions& options_;
  QWidget* parent_;
  TLabelsTabFields fields_;
  TJobCheck check_;
  std::function<void(const QString&)> warn_;
  std::function<int(const TSheetOptions&)> pages_;
  TCalibrationSource calibration_;
  TCalibration inForce_;
  bool queued_ = false;  // printing through a print queue, whose answer is checked
  int lastJob_ = 0;      // the user's newest job on the queue before this one
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtSurface> surface_;
  std::unique_ptr<TCorrectedSurface> corrected_;
};

// A printer picked by name, no dialog: the same printing path as the dialog's.
class TNamedPrinterJob : public TPrinterJob {
 public:
  using TPrinterJob::TPrinterJob;
  bool ShowDialog() override { return true; }
};

// Sheets into one PDF file at a chosen resolution and page size (A4 unless
// given), one page a sheet. The file appears only when Finish succeeds
// (written to a temporary file of the job's own beside it, then renamed), so a
// failure never leaves a partial file behind and two jobs writing the same
// file leave one of them whole.
class TPdfJob : public TPrintJob {
 public:
  // Pages are drawn through `calibration` when it is other than none.
  explicit TPdfJob(const QString& path, int dpi = 600, const TCalibration& calibration = {},
                   const QPageSize& page = QPageSize(QPageSize::A4));
  ~TPdfJob() override;

  bool ShowDialog() override { return true; }
  void SetPortrait() override {}
  void SetTitle(const std::string& title) override;
  void SetCopies(int) override {}
  void BeginDoc() override;  // the first opens the file, later ones start a new page
  TSurface& Page() override;
  void EndDoc() override {}
  void AbortDoc() override;
  TJobDestination Destination() const override { return {TOutputKind::Pdf, path_.toStdString()}; }
  // Closes the document and moves it into place. Throws with a message naming
  // the path (and the system's reason, where there is one) when the file
  // cannot be written; nothing is left behind then.
  void Finish();
  int Pages() const { return pages_; }

 private:
  void Discard();  // drops the document and its file

  QString path_;
  TOutputFile out_;
  int dpi_;
  QPageSize page_;
  QString title_ = "Vantor";
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtSurface> surface_;
  TCalibration calibration_;
  std::unique_ptr<TCorrectedSurface> corrected_;
  int pages_ = 0;
};

}  // namespace vantor
