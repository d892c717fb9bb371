// The Print, Help and Colors buttons, print preview and printer calibration.
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QRadioButton>
#include <exception>

#include "app/window/MainWindow.h"
#include "app/window/MessageReporter.h"
#include "app/window/Reprints.h"
#include "colors/widgets/ColorBox.h"
#include "dlt/DltJournal.h"
#include "dlt/DltRun.h"
#include "journal/qt/JournalSettings.h"
#include "journal/widgets/JournalWindow.h"
#include "journal/widgets/WindowJournal.h"
#include "printing/JournalledJob.h"
#include "printing/PrintJournalled.h"
#include "printing/qt/CalibrationDialog.h"
#include "printing/qt/CalibrationStore.h"
#include "printing/qt/PrintPreview.h"
#include "printing/qt/QtPrintJob.h"

namespace vantor {

void TMainWindow::PrintClick() {
  Trace("PrintClick");
  if (!state_.CheckSequence()) {
    reporter_->Warning(tr(kSequenceError));
    return;
  }
  // A job whose counter would run past 999 would print serials that are not
  // six characters long; refuse it before the dialog opens (and the dialog
  // refuses the job it is changed to before it closes).
  if (const std::optional<std::string> refusal = JobRefusal(sheetOptions_)) {
    reporter_->Warning(QString::fromStdString(*refusal));
    return;
  }
  try {
    std::unique_ptr<TPrintJob> job = jobFactory_ ? jobFactory_() : DefaultJob();
    if (!job) return;
    EnableSerialField();
    if (!job->ShowDialog()) return;
    DrawJob(*job, false);
  } catch (const std::exception& e) {
    // The serial moves on only after a printed job: the operator can print again.
    reporter_->Error(QString::fromStdString(e.what()));
  }
}

std::optional<std::string> TMainWindow::JobRefusal(const TSheetOptions& options) const {
  return SheetRefusal(state_.Serial(), options.sheets, options.startLabel);
}

QPrinter& TMainWindow::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void TMainWindow::SetCalibrationStore(std::unique_ptr<TCalibrationStore> store) { calibrations_ = std::move(store); }

TCalibrationStore& TMainWindow::CalibrationStore() {
  if (!calibrations_) calibrations_ = std::make_unique<TCalibrationStore>();
  return *calibrations_;
}

TCalibration TMainWindow::CalibrationFor(const QString& printer) {
  const TStoredCalibration stored = CalibrationStore().Load(printer);
  if (!stored.warning.isEmpty()) qWarning("%s", qPrintable(stored.warning));
  return stored.calibration;
}

std::unique_ptr<TPrintJob> TMainWindow::DefaultJob() {
  auto job = std::make_unique<TPrinterJob>(Printer(), sheetOptions_, this);
  job->SetLabelsTabFields({.sheets = true, .maxSheets = kMaxSheets, .labelsPerPage = kLabelsPerSheet});
  job->SetJobCheck([this](const TSheetOptions& o) { return JobRefusal(o); });
  job->SetWarning([this](const QString& text) { reporter_->Warning(text); });
  job->SetCalibrationSource([this](const QString& printer) { return CalibrationFor(printer); });
  return job;
}

namespace {

// The sheets as the window shows them, as a value: the serial as Print takes
// it (a media kind's prefix forced), the media, the look and the colours.
TDltLabelRun WindowRun(const TLabelState& state, const TMainWindow& window, const TSheetOptions& options) {
  TLabelState probe = state;
  probe.SetSerialHook(nullptr);
  probe.CheckSequence();
  THeadlessChoice look;
  look.mediaMode = state.MediaMode();
  look.serial = probe.Serial();
  look.colored = window.Serial_Color->isChecked();
  look.rotated = window.Text_Rotate->isChecked();
  look.rotateBarcode = window.Bar_Rotate->isChecked();
  return TDltLabelRun(look, state.Colors, options);
}

}  // namespace

void TMainWindow::DrawJob(TPrintJob& job, bool preview) {
  if (preview) {
    // Drawn from a value: the window's serial stays where it is.
    DrawRun(WindowRun(state_, *this, sheetOptions_), job);
    return;
  }
  // What Print does once its dialog has closed.
  EnableSerialField();
  state_.CheckSequence();
  const TDltLabelRun run = WindowRun(state_, *this, sheetOptions_);
  if (!DltPageSerials(run.FirstSerial(), run.Options())) {
    reporter_->Warning(tr(kSequenceError));
    return;
  }
  // Qt's printers, files included, take the whole document when it ends.
  TJobOutput output(job, TDelivery::AtEndDoc);
  if (Journal().Print(run, output) != TWindowJournal::TResult::Printed) return;
  // The serial moves on once the journal has the job printed, and only here.
  SetSerialText(run.NextSerial());
  RefreshPreview();
  sheetOptions_.startLabel = 1;  // the partly used sheet is used up
}

void TMainWindow::PrintPreview() {
  Trace("PrintPreview");
  {
    // Checked on a copy: the preview must not force a prefix into the field.
    TLabelState probe = state_;
    probe.SetSerialHook(nullptr);
    if (!probe.CheckSequence()) {
      reporter_->Warning(QString::fromLatin1(kSequenceError));
      return;
    }
    if (const std::optional<std::string> refusal =
            SheetRefusal(probe.Serial(), sheetOptions_.sheets, sheetOptions_.startLabel)) {
      reporter_->Warning(QString::fromStdString(*refusal));
      return;
    }
  }
  Printer().setPageOrientation(QPageLayout::Portrait);  // as Print sets it
  TPrintPreview dialog(
      Printer(), [this](TPrintJob& job, bool preview) { DrawJob(job, preview); }, this);
  dialog.SetCalibrationSource([this](const QString& printer) { return CalibrationFor(printer); });
  dialog.SetError([this](const QString& text) { reporter_->Error(text); });
  dialog.exec();
}

void TMainWindow::PrinterCalibration() {
  Trace("PrinterCalibration");
  TCalibrationDialog dialog(CalibrationStore(), Printer().printerName(), this);
  dialog.exec();
}

void TMainWindow::SetJobFactory(TJobFactory factory) { jobFactory_ = std::move(factory); }

TWindowJournal& TMainWindow::Journal() {
  if (!journal_) {
    journalAccess_ = std::make_unique<journal::TJournalAccess>();
    journalAccess_->SetPasswordPrompt(PasswordDialogPrompt(this));
    journal_ = std::make_unique<TWindowJournal>(*journalAccess_, this);
    journal_->SetTell([this](const QString& text) { reporter_->Error(text); });
  }
  return *journal_;
}

void TMainWindow::SetJournalLocation(std::optional<std::string> given) {
  Journal().Access().SetGiven(std::move(given));
}

void TMainWindow::ShowInterruptedJobs() {
  const QString text = DescribeInterruptedJobs(Journal().TakeInterrupted());
  if (!text.isEmpty()) reporter_->Warning(text);
}

void TMainWindow::JournalClick() {
  Trace("JournalClick");
  if (!journalWindow_) {
    journalWindow_ = new TJournalWindow(Journal(), this);
    journalWindow_->setWindowFlag(Qt::Window);
    // A DLT reprint looks like what this window prints now.
    AddReprints(*journalWindow_, [this](THeadlessChoice& choice, TColorTable& colors) {
      choice.colored = Serial_Color->isChecked();
      choice.rotated = Text_Rotate->isChecked();
      choice.rotateBarcode = Bar_Rotate->isChecked();
      colors = state_.Colors;
    });
  }
  journalWindow_->show();
  journalWindow_->raise();
  journalWindow_->Refresh();
}

void TMainWindow::HelpClick() {
  Trace("HelpClick");
  if (helpBox_) helpBox_->exec();
}

void TMainWindow::AttachColorBox(TColorBox& box) {
  box.SetSelectStandard3of9([this] { STD_3of9->setChecked(true); });
  SetColorsHook([&box] { box.exec(); });
}

void TMainWindow::ColorsClick() {
  Trace("ColorsClick");
  if (colorsHook_) colorsHook_();
}

}  // namespace vantor
