#include "printing/qt/QtPrintJob.h"

#include <cups/cups.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
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

// The CUPS queue a QPrinter prints on ("queue/instance" names an instance).
QByteArray QueueOf(const QPrinter& printer) { return printer.printerName().section('/', 0, 0).toLocal8Bit(); }

// Qt hands a finished document to CUPS and keeps CUPS's answer to itself: a
// queue that refuses jobs looks like one that printed. The queue is asked
// before the job and again after it.
struct TQueueAnswer {
  bool accepting = true;
  QString reason;
};

TQueueAnswer AskQueue(const QByteArray& queue) {
  TQueueAnswer answer;
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   queue.constData());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const kWanted[] = {"printer-is-accepting-jobs", "printer-state-message"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, kWanted);
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");  // frees the request
  if (!response) return answer;  // no scheduler, or not a CUPS queue: Qt's own answer is all there is
  if (ipp_attribute_t* a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
    answer.accepting = ippGetBoolean(a, 0) != 0;
  ipp_attribute_t* message = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
  const char* text = message ? ippGetString(message, 0, nullptr) : nullptr;
  answer.reason = QString::fromUtf8(text && *text ? text : "no reason given");
  ippDelete(response);
  return answer;
}

// The highest id of this user's jobs on the queue.
int LastJobId(const QByteArray& queue) {
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
  int last = 0;
  for (int i = 0; i < n; ++i) last = std::max(last, jobs[i].id);
  cupsFreeJobs(n, jobs);
  return last;
}

// Why the queue did not take the document Qt has just handed to it, or
// nothing. CUPS keeps the last request's answer per thread, and Qt's hand-over
// is the request before this; a job newer than `before` is looked for too.
std::optional<QString> RefusedJob(const QByteArray& queue, int before, const QString& title) {
  const ipp_status_t status = cupsLastError();
  const QString reason = QString::fromLocal8Bit(cupsLastErrorString());
  if (status > IPP_STATUS_OK_EVENTS_COMPLETE) return reason;
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
  std::optional<QString> refused = QStringLiteral("no job was created");
  for (int i = 0; i < n; ++i) {
    if (jobs[i].id <= before || QString::fromLocal8Bit(jobs[i].title) != title) continue;
    if (jobs[i].state == IPP_JSTATE_ABORTED || jobs[i].state == IPP_JSTATE_CANCELED)
      refused = QStringLiteral("the job was stopped at once");
    else
      refused.reset();
    break;
  }
  cupsFreeJobs(n, jobs);
  return refused;
}
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
    Sheets->setRange(1, fields.maxSheets);
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
  DisableCopies();
}

void TJobPrintDialog::DisableCopies() {
  // Qt's dialog offers no option to leave Copies out; its field is found by
  // name. Each copy would carry the same serials, and the journal one job.
  for (QSpinBox* copies : findChildren<QSpinBox*>(QStringLiteral("copies"))) {
    copies->setValue(1);
    copies->setEnabled(false);
    copies->setToolTip(QCoreApplication::translate(
        "vantor::PrintJob", "One copy: print the job again for another, so the print journal records it."));
  }
  for (QCheckBox* collate : findChildren<QCheckBox*>(QStringLiteral("collate"))) collate->setEnabled(false);
}

void TJobPrintDialog::showEvent(QShowEvent* event) {
  QPrintDialog::showEvent(event);
  DisableCopies();  // the dialog sets its fields up again when shown
}

std::unique_ptr<QMessageBox> BigJobQuestion(const QString& text, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Vantor"), text, QMessageBox::NoButton,
                                           parent);
  box->addButton(QCoreApplication::translate("vantor::PrintJob", "Print"), QMessageBox::AcceptRole);
  QPushButton* cancel = box->addButton(QMessageBox::Cancel);
  box->setDefaultButton(cancel);
  box->setEscapeButton(cancel);
  return box;
}

void TJobPrintDialog::accept() {
  const TSheetOptions options = tab_->Options(base_);
  if (check_) {
    if (const std::optional<std::string> refusal = check_(options)) {
      const QString text = QString::fromStdString(*refusal);
      if (warn_)
        warn_(text);
      else
        QMessageBox::warning(this, QStringLiteral("Vantor"), text);
      return;  // the dialog stays open for another choice
    }
  }
  const int pages = pages_ ? pages_(options) : options.sheets;
  if (pages > kConfirmPagesOver) {
    const QString question =
        QCoreApplication::translate("vantor::PrintJob", "This job prints %1 pages. Print them?").arg(pages);
    const bool print = confirm_ ? confirm_(question) : [&] {
      const std::unique_ptr<QMessageBox> box = BigJobQuestion(question, this);
      box->exec();
      return box->buttonRole(box->clickedButton()) == QMessageBox::AcceptRole;
    }();
    if (!print) return;  // the dialog stays open: fewer sheets, or Cancel there
  }
  for (QSpinBox* copies : findChildren<QSpinBox*>(QStringLiteral("copies"))) copies->setValue(1);
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
  if (pages_) dialog.SetPageCount(pages_);
  if (dialog.exec() != QDialog::Accepted) return false;
  options_ = dialog.Labels()->Options(options_);
  return true;
}

void TPrinterJob::SetPortrait() { printer_.setPageOrientation(QPageLayout::Portrait); }
void TPrinterJob::SetTitle(const std::string& title) { printer_.setDocName(QString::fromStdString(title)); }
void TPrinterJob::SetCopies(int copies) { printer_.setCopyCount(copies); }

void TPrinterJob::BeginDoc() {
  // The print preview paints the printer's pages into pictures: nothing goes
  // to the queue then.
  const QPaintEngine* engine = printer_.paintEngine();
  queued_ = printer_.outputFormat() == QPrinter::NativeFormat && !(engine && engine->type() == QPaintEngine::Picture);
  if (queued_) {
    const TQueueAnswer answer = AskQueue(QueueOf(printer_));
    if (!answer.accepting)
      throw Failure(QCoreApplication::translate("vantor::PrintJob", "The print queue \"%1\" refuses jobs: %2")
                        .arg(printer_.printerName(), answer.reason));
    lastJob_ = LastJobId(QueueOf(printer_));
  }
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
  const bool ended = painter_ != nullptr;
  painter_.reset();
  if (ended && queued_) {
    if (const std::optional<QString> refused = RefusedJob(QueueOf(printer_), lastJob_, printer_.docName()))
      throw Failure(QCoreApplication::translate("vantor::PrintJob", "The print queue \"%1\" did not take the job: %2")
                        .arg(printer_.printerName(), *refused));
  }
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
    return {TOutputKind::Pdf, printer_.outputFileName().toStdString()};
  return {TOutputKind::Printer, printer_.printerName().toStdString()};
}

}  // namespace vantor
