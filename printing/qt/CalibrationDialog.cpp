#include "printing/qt/CalibrationDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "printing/CalibrationPage.h"
#include "printing/qt/QtPrintJob.h"

namespace vantor {

namespace {

QLineEdit* Field(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  return edit;
}

QString Decimal(double v, int decimals) { return QLocale::c().toString(v, 'f', decimals); }

QString NoSuchPrinter(const QString& name) {
  return QCoreApplication::translate("vantor::TCalibrationDialog", "No printer named \"%1\".").arg(name);
}

bool SystemHasPrinter(const QString& name) { return !name.isEmpty() && !QPrinterInfo::printerInfo(name).isNull(); }

// The page on the named printer, without a dialog and without correction:
// what is measured must be the printer's own error.
void PrintPageOn(const QString& name) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (info.isNull()) throw std::runtime_error(NoSuchPrinter(name).toStdString());
  QPrinter printer(info, QPrinter::HighResolution);
  TSheetOptions options;
  TNamedPrinterJob job(printer, options);
  job.SetCalibrationSource(nullptr);
  vantor::PrintCalibrationPage(job);
}

}  // namespace

TCalibrationDialog::TCalibrationDialog(TCalibrationStore& store, const QString& printer, QWidget* parent)
    : QDialog(parent), store_(store), printPage_(PrintPageOn), printerExists_(SystemHasPrinter) {
  setWindowTitle(tr("Printer Calibration"));
  auto* layout = new QVBoxLayout(this);
  BuildPrinterRows(*layout, printer);
  BuildMeasuredRows(*layout);
  BuildCorrectionRows(*layout);
  BuildButtons(*layout);
  ConnectFields();
  LoadPrinter();
}

void TCalibrationDialog::BuildPrinterRows(QVBoxLayout& layout, const QString& printer) {
  auto* top = new QFormLayout;
  Printer = new QComboBox(this);
  Printer->setObjectName("Printer");
  // The system's printers; a name typed in is the fall-back for one it does
  // not list, and is checked before anything is kept for it.
  Printer->setEditable(true);
  Printer->setInsertPolicy(QComboBox::NoInsert);
  Printer->addItems(QPrinterInfo::availablePrinterNames());
  if (!printer.isEmpty() && Printer->findText(printer) < 0) Printer->addItem(printer);
  Printer->setCurrentText(printer.isEmpty() ? QPrinterInfo::defaultPrinterName() : printer);
  top->addRow(tr("Printer"), Printer);
  layout.addLayout(top);

  PrintPage = new QPushButton(tr("Print calibration page"), this);
  PrintPage->setObjectName("PrintPage");
  layout.addWidget(PrintPage);
}

void TCalibrationDialog::BuildMeasuredRows(QVBoxLayout& layout) {
  auto* measured = new QGroupBox(tr("Measured on the calibration page (mm)"), this);
  auto* mform = new QFormLayout(measured);
  AFromLeft = Field(measured, "AFromLeft");
  AFromTop = Field(measured, "AFromTop");
  AToB = Field(measured, "AToB");
  AToC = Field(measured, "AToC");
  mform->addRow(tr("A from the left edge"), AFromLeft);
  mform->addRow(tr("A from the top edge"), AFromTop);
  mform->addRow(tr("A to B (across)"), AToB);
  mform->addRow(tr("A to C (down)"), AToC);
  Compute = new QPushButton(tr("Compute"), measured);
  Compute->setObjectName("Compute");
  mform->addRow(QString(), Compute);
  layout.addWidget(measured);
}

void TCalibrationDialog::BuildCorrectionRows(QVBoxLayout& layout) {
  auto* correction = new QGroupBox(this);
  CorrectionBox = correction;
  auto* cform = new QFormLayout(correction);
  OffsetX = Field(correction, "OffsetX");
  OffsetY = Field(correction, "OffsetY");
  ScaleX = Field(correction, "ScaleX");
  ScaleY = Field(correction, "ScaleY");
  cform->addRow(tr("Offset across (mm)"), OffsetX);
  cform->addRow(tr("Offset down (mm)"), OffsetY);
  cform->addRow(tr("Scale across"), ScaleX);
  cform->addRow(tr("Scale down"), ScaleY);
  layout.addWidget(correction);

  Status = new QLabel(this);
  Status->setObjectName("Status");
  Status->setWordWrap(true);
  layout.addWidget(Status);
}

void TCalibrationDialog::BuildButtons(QVBoxLayout& layout) {
  auto* buttons = new QDialogButtonBox(this);
  Save = buttons->addButton(tr("&Save"), QDialogButtonBox::AcceptRole);
  Reset = buttons->addButton(tr("&Reset"), QDialogButtonBox::ResetRole);
  Close = buttons->addButton(QDialogButtonBox::Close);
  Save->setObjectName(QStringLiteral("Save"));
  Reset->setObjectName(QStringLiteral("Reset"));
  layout.addWidget(buttons);
  // Saving, forgetting and printing cannot be taken back: they take a click or
  // their mnemonic. Enter computes, which changes nothing kept.
  for (QPushButton* b : {PrintPage, Save, Reset}) b->setAutoDefault(false);
  Compute->setDefault(true);
}

void TCalibrationDialog::ConnectFields() {
  connect(Printer, &QComboBox::currentTextChanged, this, &TCalibrationDialog::PrinterChanged);
  for (QLineEdit* field : {OffsetX, OffsetY, ScaleX, ScaleY})
    connect(field, &QLineEdit::textEdited, this, [this] { unsaved_ = true; });
  connect(PrintPage, &QPushButton::clicked, this, &TCalibrationDialog::PrintCalibrationPage);
  connect(Compute, &QPushButton::clicked, this, &TCalibrationDialog::ComputeFromMeasurements);
  connect(Save, &QPushButton::clicked, this, &TCalibrationDialog::SaveCalibration);
  connect(Reset, &QPushButton::clicked, this, &TCalibrationDialog::ResetCalibration);
  connect(Close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TCalibrationDialog::PrinterName() const { return Printer->currentText().trimmed(); }

void TCalibrationDialog::Warn(const QString& text) {
  if (warn_)
    warn_(text);
  else
    QMessageBox::warning(this, windowTitle(), text);
}

void TCalibrationDialog::Show(const TCalibration& c) {
  OffsetX->setText(Decimal(c.offsetXMm, 2));
  OffsetY->setText(Decimal(c.offsetYMm, 2));
  ScaleX->setText(Decimal(c.scaleX, 4));
  ScaleY->setText(Decimal(c.scaleY, 4));
}

void TCalibrationDialog::PrinterChanged() {
  if (!unsaved_) {
    LoadPrinter();
    return;
  }
  CorrectionBox->setTitle(tr("Correction for \"%1\"").arg(PrinterName()));
  Status->setText(tr("Not saved yet; Save keeps it for \"%1\".").arg(PrinterName()));
}

void TCalibrationDialog::LoadPrinter() {
  const TStoredCalibration stored = store_.Load(PrinterName());
  Show(stored.calibration);
  unsaved_ = false;
  CorrectionBox->setTitle(tr("Correction for \"%1\"").arg(PrinterName()));
  Status->setText(stored.warning.isEmpty()
                      ? (stored.calibration.IsIdentity() ? tr("No correction kept.") : tr("The kept correction."))
                      : stored.warning);
}

std::optional<double> TCalibrationDialog::Number(QLineEdit* field, const QString& caption) {
  const QString text = field->text().trimmed();
  // ".", or the decimal separator of the operator's numbers or of the
  // language the window speaks ("99,5" in German). Group separators are
  // refused: "1,005" must not become a thousand.
  bool ok = false;
  double v = 0;
  for (QLocale locale : {QLocale::c(), QLocale(), QLocale(QLocale::system().uiLanguages().value(0))}) {
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    v = locale.toDouble(text, &ok);
    if (ok) break;
  }
  if (!ok || !std::isfinite(v)) {
    Warn(tr("%1: \"%2\" is not a number.").arg(caption, text));
    field->setFocus();
    return std::nullopt;
  }
  return v;
}

std::optional<TCalibration> TCalibrationDialog::ShownCalibration() {
  TCalibration c;
  const std::pair<QLineEdit*, double*> fields[] = {
      {OffsetX, &c.offsetXMm}, {OffsetY, &c.offsetYMm}, {ScaleX, &c.scaleX}, {ScaleY, &c.scaleY}};
  const QString captions[] = {tr("Offset across"), tr("Offset down"), tr("Scale across"), tr("Scale down")};
  for (int i = 0; i < 4; ++i) {
    const std::optional<double> v = Number(fields[i].first, captions[i]);
    if (!v) return std::nullopt;
    *fields[i].second = *v;
  }
  return c;
}

void TCalibrationDialog::PrintCalibrationPage() {
  try {
    printPage_(PrinterName());
    Status->setText(tr("The calibration page went to \"%1\". Measure it and enter the values.").arg(PrinterName()));
  } catch (const std::exception& e) {
    Warn(QString::fromStdString(e.what()));
  }
}

void TCalibrationDialog::ComputeFromMeasurements() {
  TCalibrationMeasurement m;
  const std::pair<QLineEdit*, double*> fields[] = {
      {AFromLeft, &m.aFromLeftMm}, {AFromTop, &m.aFromTopMm}, {AToB, &m.aToBMm}, {AToC, &m.aToCMm}};
  const QString captions[] = {tr("A from the left edge"), tr("A from the top edge"), tr("A to B"), tr("A to C")};
  for (int i = 0; i < 4; ++i) {
    const std::optional<double> v = Number(fields[i].first, captions[i]);
    if (!v) return;
    *fields[i].second = *v;
  }
  const TCalibration c = CalibrationFromMeasurement(m);
  if (const QString problem = CalibrationProblem(c); !problem.isEmpty()) {
    Warn(tr("These measurements give a correction out of range. %1 Measure again on a page printed without "
            "correction.")
             .arg(problem));
    return;
  }
  Show(c);
  unsaved_ = true;
  Status->setText(tr("Computed; Save keeps it for \"%1\".").arg(PrinterName()));
}

void TCalibrationDialog::SaveCalibration() {
  const std::optional<TCalibration> c = ShownCalibration();
  if (!c) return;
  if (!printerExists_(PrinterName())) {
    Warn(NoSuchPrinter(PrinterName()) + QLatin1Char(' ') + tr("Nothing was saved."));
    Printer->setFocus();
    return;
  }
  if (const QString problem = store_.Save(PrinterName(), *c); !problem.isEmpty()) {
    Warn(problem + QLatin1Char(' ') + tr("Nothing was saved."));
    return;
  }
  unsaved_ = false;
  Status->setText(tr("Saved for \"%1\".").arg(PrinterName()));
}

void TCalibrationDialog::ResetCalibration() {
  if (const QString problem = store_.Reset(PrinterName()); !problem.isEmpty()) {
    Warn(problem);
    return;
  }
  Show(TCalibration{});
  unsaved_ = false;
  Status->setText(tr("\"%1\" prints without correction.").arg(PrinterName()));
}

}  // namespace vantor
