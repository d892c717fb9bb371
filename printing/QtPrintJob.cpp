#include "printing/QtPrintJob.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWidget>
#include <stdexcept>

#include "qt/QtSurface.h"

namespace vantor {

namespace {
std::runtime_error Failure(const QString& text) { return std::runtime_error(text.toStdString()); }
}  // namespace

TPrinterJob::TPrinterJob(QPrinter& printer, TSheetOptions& options, QWidget* parent)
    : printer_(printer), options_(options), parent_(parent) {}

TPrinterJob::~TPrinterJob() = default;

bool TPrinterJob::ShowDialog() {
  QPrintDialog dialog(&printer_, parent_);
  auto* tab = new QWidget;
  tab->setWindowTitle("Labels");
  auto* layout = new QVBoxLayout(tab);
  auto* outlines = new QCheckBox(kOutlinesCaption, tab);
  outlines->setObjectName("PrintOutlines");
  outlines->setChecked(options_.outlines);
  layout->addWidget(outlines);
  layout->addStretch();
  dialog.setOptionTabs({tab});
  if (dialog.exec() != QDialog::Accepted) return false;
  options_.outlines = outlines->isChecked();
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
    throw Failure(QString("Cannot start printing on \"%1\"").arg(printer_.printerName()));
  }
  surface_ = std::make_unique<TQtSurface>(*painter_, printer_.logicalDpiX(), printer_.logicalDpiY());
  surface_->SetPrintingOffset(PrinterPrintingOffset(printer_));
}

TSurface& TPrinterJob::Page() {
  if (!surface_) throw Failure("No page: the document has not begun");
  return *surface_;
}

void TPrinterJob::EndDoc() {
  surface_.reset();
  if (painter_ && !painter_->end()) {
    painter_.reset();
    throw Failure(QString("Printing on \"%1\" failed").arg(printer_.printerName()));
  }
  painter_.reset();
}

void TPrinterJob::AbortDoc() {
  surface_.reset();
  if (painter_) {
    printer_.abort();
    painter_->end();
    painter_.reset();
  }
}

TPdfJob::TPdfJob(const QString& path, int dpi) : path_(path), dpi_(dpi) {}

TPdfJob::~TPdfJob() {
  if (painter_) AbortDoc();
}

void TPdfJob::SetTitle(const std::string& title) { title_ = QString::fromStdString(title); }

void TPdfJob::BeginDoc() {
  if (painter_) {
    surface_.reset();
    if (!writer_->newPage()) throw Failure(QString("Cannot add a page to \"%1\"").arg(path_));
    surface_ = std::make_unique<TQtSurface>(*painter_, dpi_, dpi_);
    ++pages_;
    return;
  }
  const QFileInfo target(path_);
  tempPath_ = target.absolutePath() + "/." + target.fileName() + ".part";
  writer_ = std::make_unique<QPdfWriter>(tempPath_);
  writer_->setResolution(dpi_);
  writer_->setTitle(title_);
  writer_->setCreator("Vantor");
  writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    painter_.reset();
    writer_.reset();
    QFile::remove(tempPath_);
    throw Failure(QString("Cannot write \"%1\"").arg(path_));
  }
  surface_ = std::make_unique<TQtSurface>(*painter_, dpi_, dpi_);
  pages_ = 1;
}

TSurface& TPdfJob::Page() {
  if (!surface_) throw Failure("No page: the document has not begun");
  return *surface_;
}

void TPdfJob::AbortDoc() {
  surface_.reset();
  if (painter_) painter_->end();
  painter_.reset();
  writer_.reset();
  if (!tempPath_.isEmpty()) QFile::remove(tempPath_);
  pages_ = 0;
}

void TPdfJob::Finish() {
  if (!painter_) throw Failure(QString("Nothing was printed to \"%1\"").arg(path_));
  surface_.reset();
  const bool ended = painter_->end();
  painter_.reset();
  writer_.reset();
  if (!ended || QFileInfo(tempPath_).size() == 0) {
    QFile::remove(tempPath_);
    throw Failure(QString("Cannot write \"%1\"").arg(path_));
  }
  QFile::remove(path_);
  if (!QFile::rename(tempPath_, path_)) {
    QFile::remove(tempPath_);
    throw Failure(QString("Cannot write \"%1\"").arg(path_));
  }
}

}  // namespace vantor
