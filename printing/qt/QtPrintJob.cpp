#include "printing/qt/QtPrintJob.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWidget>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "printing/qt/CalibrationStore.h"
#include "qt/OutputFile.h"
#include "qt/QtSurface.h"

namespace vantor {

namespace {
std::runtime_error Failure(const QString& text) { return std::runtime_error(text.toStdString()); }

// "Cannot write "<path>"", with the system's reason when there is one.
std::runtime_error CannotWrite(const QString& path, const QString& reason = {}) {
  return Failure(QString("Cannot write \"%1\"").arg(path) + (reason.isEmpty() ? QString() : ": " + reason));
}
}  // namespace

namespace {
QString Tr(const char* text) { return QCoreApplication::translate("vantor::PrintJob", text); }
}  // namespace

TLabelsTab::TLabelsTab(const TSheetOptions& options, const TLabelsTabFields& fields, QWidget* parent)
    : QWidget(parent) {
  setWindowTitle(QCoreApplication::translate("vantor::PrintJob", "Labels"));
  auto* layout = new QVBoxLayout(this);
  Outlines = new QCheckBox(Tr(kOutlinesCaption), this);
  Outlines->setObjectName("PrintOutlines");
  Outlines->setChecked(options.outlines);
  if (!fields.outlines) Outlines->hide();
  layout->addWidget(Outlines);
  auto* form = new QFormLayout;
  if (fields.sheets) {
    Sheets = new QSpinBox(this);
    Sheets->setObjectName("Sheets");
    Sheets->setRange(1, kMaxSheets);
    Sheets->setValue(options.sheets);
    form->addRow(Tr(kSheetsCaption), Sheets);
  }
  StartLabel = new QSpinBox(this);
  StartLabel->setObjectName("StartLabel");
  StartLabel->setRange(1, fields.labelsPerPage);
  StartLabel->setValue(options.startLabel);
  StartLabel->setToolTip(
      QCoreApplication::translate("vantor::PrintJob",
                                  "The first page starts at this label, in the order the labels are filled; the labels "
                                  "before it stay blank. Later pages start at label 1."));
  form->addRow(Tr(kStartLabelCaption), StartLabel);
  layout->addLayout(form);
  layout->addStretch();
}

TSheetOptions TLabelsTab::Options(TSheetOptions base) const {
  base.outlines = Outlines->isChecked();
  if (Sheets) base.sheets = Sheets->value();
  base.startLabel = StartLabel->value();
  return base;
}

TJobPrintDialog::TJobPrintDialog(QPrinter* printer, const TSheetOptions& options, const TLabelsTabFields& fields,
                                 QWidget* parent)
    : QPrintDialog(printer, parent), tab_(new TLabelsTab(options, fields)), base_(options) {
  setOptionTabs({tab_});
}

void TJobPrintDialog::accept() {
  if (check_) {
    if (const std::optional<std::string> refusal = check_(tab_->Options(base_))) {
      const QString text = QString::fromStdString(*refusal);
      if (warn_)
        warn_(text);
      else
        QMessageBox::warning(this, QStringLiteral("Vantor"), text);
      return;  // the dialog stays open for another choice
    }
  }
  QPrintDialog::accept();
}

QPageSize TemplatePageSize(TPageSize page) {
  return QPageSize(QSizeF(static_cast<double>(page.width.Micrometres()) / 1000,
                          static_cast<double>(page.height.Micrometres()) / 1000),
                   QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

TPrinterJob::TPrinterJob(QPrinter& printer, TSheetOptions& options, QWidget* parent)
    : printer_(printer), options_(options), parent_(parent), calibration_(StoredCalibrationFor) {}

TPrinterJob::~TPrinterJob() = default;

bool TPrinterJob::ShowDialog() {
  TJobPrintDialog dialog(&printer_, options_, fields_, parent_);
  dialog.SetCheck(check_);
  dialog.SetWarning(warn_);
  if (dialog.exec() != QDialog::Accepted) return false;
  options_ = dialog.Labels()->Options(options_);
  return true;
}

void TPrinterJob::SetPortrait() { printer_.setPageOrientation(QPageLayout::Portrait); }
void TPrinterJob::SetTitle(const std::string& title) { printer_.setDocName(QString::fromStdString(title)); }
void TPrinterJob::SetCopies(int copies) { printer_.setCopyCount(copies); }

void TPrinterJob::BeginDoc() {
  // Positions count from the paper's corner; the layouts shift the origin by
  // the printing offset themselves.
  printer_.setFullPage(false);
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&printer_)) {
    painter_.reset();
    throw Failure(
        QCoreApplication::translate("vantor::PrintJob", "Cannot start printing on \"%1\"").arg(printer_.printerName()));
  }
  surface_ = std::make_unique<TQtSurface>(*painter_, printer_.logicalDpiX(), printer_.logicalDpiY());
  surface_->SetPrintingOffset(PrinterPrintingOffset(printer_));
  inForce_ = calibration_ ? calibration_(printer_.printerName()) : TCalibration{};
  corrected_.reset();
  if (!inForce_.IsIdentity()) corrected_ = std::make_unique<TCorrectedSurface>(*surface_, inForce_);
}

TSurface& TPrinterJob::Page() {
  if (!surface_) throw Failure("No page: the document has not begun");
  if (corrected_) return *corrected_;
  return *surface_;
}

void TPrinterJob::NewPage() {
  if (!painter_) throw Failure("No page: the document has not begun");
  if (!printer_.newPage()) throw Failure(QString("Printing on \"%1\" failed").arg(printer_.printerName()));
}

void TPrinterJob::EndDoc() {
  corrected_.reset();
  surface_.reset();
  if (painter_ && !painter_->end()) {
    painter_.reset();
    throw Failure(
        QCoreApplication::translate("vantor::PrintJob", "Printing on \"%1\" failed").arg(printer_.printerName()));
  }
  painter_.reset();
}

void TPrinterJob::AbortDoc() {
  corrected_.reset();
  surface_.reset();
  if (painter_) {
    printer_.abort();
    painter_->end();
    painter_.reset();
  }
}

TPdfJob::TPdfJob(const QString& path, int dpi, const TCalibration& calibration, const QPageSize& page)
    : path_(path), out_(path), dpi_(dpi), page_(page), calibration_(calibration) {}

TPdfJob::~TPdfJob() {
  if (painter_ || out_.IsOpen()) Discard();
}

void TPdfJob::SetTitle(const std::string& title) { title_ = QString::fromStdString(title); }

void TPdfJob::BeginDoc() {
  if (painter_) {
    corrected_.reset();
    surface_.reset();
    if (!writer_->newPage()) {
      if (out_.File().error() != QFileDevice::NoError) throw CannotWrite(path_, out_.File().errorString());
      throw Failure(QString("Cannot add a page to \"%1\"").arg(path_));
    }
    surface_ = std::make_unique<TQtSurface>(*painter_, dpi_, dpi_);
    if (!calibration_.IsIdentity()) corrected_ = std::make_unique<TCorrectedSurface>(*surface_, calibration_);
    ++pages_;
    return;
  }
  QFile& file = out_.Open();
  writer_ = std::make_unique<QPdfWriter>(&file);
  writer_->setResolution(dpi_);
  writer_->setTitle(title_);
  writer_->setCreator("Vantor");
  writer_->setPageLayout(QPageLayout(page_, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    Discard();
    throw CannotWrite(path_);
  }
  surface_ = std::make_unique<TQtSurface>(*painter_, dpi_, dpi_);
  if (!calibration_.IsIdentity()) corrected_ = std::make_unique<TCorrectedSurface>(*surface_, calibration_);
  pages_ = 1;
}

TSurface& TPdfJob::Page() {
  if (!surface_) throw Failure("No page: the document has not begun");
  if (corrected_) return *corrected_;
  return *surface_;
}

void TPdfJob::Discard() {
  corrected_.reset();
  surface_.reset();
  if (painter_ && painter_->isActive()) painter_->end();
  painter_.reset();
  writer_.reset();
  out_.Discard();
  pages_ = 0;
}

void TPdfJob::AbortDoc() { Discard(); }

void TPdfJob::Finish() {
  if (!painter_) throw Failure(QString("Nothing was printed to \"%1\"").arg(path_));
  corrected_.reset();
  surface_.reset();
  const bool ended = painter_->end();
  painter_.reset();
  writer_.reset();
  // The PDF writer does not report failed writes (a full disk, say); the file does.
  if (!ended || out_.File().error() != QFileDevice::NoError || out_.File().size() == 0) {
    const QString reason = out_.File().error() == QFileDevice::NoError ? QString() : out_.File().errorString();
    out_.Discard();
    throw CannotWrite(path_, reason);
  }
  out_.Commit();
}

TJobDestination TPrinterJob::Destination() const {
  if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
    return {TJobDestination::TKind::Pdf, printer_.outputFileName().toStdString()};
  return {TJobDestination::TKind::Printer, printer_.printerName().toStdString()};
}

}  // namespace vantor
