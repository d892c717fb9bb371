#include "printing/qt/CalibrationStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QSettings>
#include <QUrl>
#include <cmath>

namespace vantor {

namespace {

// Printer names may hold '/', which QSettings takes for a group separator.
QString Group(const QString& printer) {
  return QStringLiteral("PrinterCalibration/") + QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

constexpr const char* kKeys[] = {"offsetX", "offsetY", "scaleX", "scaleY"};

double* Field(TCalibration& c, int i) {
  switch (i) {
    case 0: return &c.offsetXMm;
    case 1: return &c.offsetYMm;
    case 2: return &c.scaleX;
    default: return &c.scaleY;
  }
}

QString Tr(const char* text) { return QCoreApplication::translate("TCalibrationStore", text); }

}  // namespace

QString CalibrationProblem(const TCalibration& c) {
  switch (CalibrationFault(c)) {
    case TCalibrationField::None: return {};
    case TCalibrationField::OffsetX: return Tr("The offset across must be a number of millimetres from -20 to 20.");
    case TCalibrationField::OffsetY: return Tr("The offset down must be a number of millimetres from -20 to 20.");
    case TCalibrationField::ScaleX: return Tr("The scale across must be a number from 0.9 to 1.1.");
    case TCalibrationField::ScaleY: return Tr("The scale down must be a number from 0.9 to 1.1.");
  }
  return {};
}

TCalibrationStore::TCalibrationStore() = default;
TCalibrationStore::TCalibrationStore(const QString& iniFile) : file_(iniFile) {}
TCalibrationStore::~TCalibrationStore() = default;

std::unique_ptr<QSettings> TCalibrationStore::Open() const {
  if (file_.isEmpty()) return OpenProgramSettings();
  return std::make_unique<QSettings>(file_, QSettings::IniFormat);
}

TStoredCalibration TCalibrationStore::Load(const QString& printer) const {
  TStoredCalibration result;
  const std::unique_ptr<QSettings> settings = Open();
  // Qt reports a file whose folder does not exist yet as an access error; it
  // only means nothing was ever kept.
  if (!QFileInfo::exists(settings->fileName())) return result;
  if (settings->status() != QSettings::NoError) {
    result.warning = Tr("The settings file \"%1\" cannot be read; \"%2\" prints without calibration.")
                         .arg(settings->fileName(), printer);
    return result;
  }
  settings->beginGroup(Group(printer));
  if (settings->childKeys().isEmpty()) return result;
  TCalibration c;
  for (int i = 0; i < 4; ++i) {
    const QVariant v = settings->value(QLatin1String(kKeys[i]));
    bool ok = false;
    const double d = QLocale::c().toDouble(v.toString().trimmed(), &ok);
    if (!ok || !std::isfinite(d)) {
      result.warning = Tr("The calibration kept for \"%1\" holds \"%2\" for %3, not a number; it prints "
                          "without calibration.")
                           .arg(printer, v.toString(), QLatin1String(kKeys[i]));
      return result;
    }
    *Field(c, i) = d;
  }
  if (const QString problem = CalibrationProblem(c); !problem.isEmpty()) {
    result.warning = Tr("The calibration kept for \"%1\" is out of range (%2); it prints without calibration.")
                         .arg(printer, problem);
    return result;
  }
  result.calibration = c;
  return result;
}

QString TCalibrationStore::Commit(QSettings& settings) const {
  settings.sync();
  if (settings.status() != QSettings::NoError)
    return Tr("The settings file \"%1\" cannot be written.").arg(settings.fileName());
  return {};
}

QString TCalibrationStore::Save(const QString& printer, const TCalibration& c) {
  if (const QString problem = CalibrationProblem(c); !problem.isEmpty()) return problem;
  if (printer.isEmpty()) return Tr("Choose a printer first.");
  const std::unique_ptr<QSettings> settings = Open();
  if (QFileInfo::exists(settings->fileName()) && settings->status() != QSettings::NoError)
    return Tr("The settings file \"%1\" cannot be read, so nothing was saved.").arg(settings->fileName());
  settings->beginGroup(Group(printer));
  TCalibration copy = c;
  // Written in the C locale, so a file moved between locales reads the same.
  for (int i = 0; i < 4; ++i)
    settings->setValue(QLatin1String(kKeys[i]), QLocale::c().toString(*Field(copy, i), 'g', 17));
  settings->endGroup();
  return Commit(*settings);
}

QString TCalibrationStore::Reset(const QString& printer) {
  const std::unique_ptr<QSettings> settings = Open();
  settings->remove(Group(printer));
  return Commit(*settings);
}

TCalibration StoredCalibrationFor(const QString& printer) {
  const TStoredCalibration stored = TCalibrationStore().Load(printer);
  if (!stored.warning.isEmpty()) {
    static QSet<QString> said;  // a job of many pages warns once
    if (!said.contains(stored.warning)) {
      said.insert(stored.warning);
      qWarning("%s", qPrintable(stored.warning));
    }
  }
  return stored.calibration;
}

}  // namespace vantor
