// Printer calibrations kept in the user's settings, one per printer name.
// A settings file that cannot be read, or a value that is not a usable
// number, is ignored with a warning: the printer prints uncorrected.
#pragma once

#include <QString>
#include <memory>

#include "qt/ProgramSettings.h"
#include "surface/CorrectedSurface.h"

class QSettings;

namespace vantor {

struct TStoredCalibration {
  TCalibration calibration;  // none when nothing usable is stored
  QString warning;           // why what was stored was ignored; empty when fine
};

class TCalibrationStore {
 public:
  // The program's own settings (OpenProgramSettings).
  TCalibrationStore();
  // An INI file of its own.
  explicit TCalibrationStore(const QString& iniFile);
  ~TCalibrationStore();

  TStoredCalibration Load(const QString& printer) const;
  // Keeps `c` for the printer. Returns why not (nothing is saved then), or an
  // empty string.
  QString Save(const QString& printer, const TCalibration& c);
  // Forgets the printer's calibration: it prints uncorrected again.
  QString Reset(const QString& printer);

 private:
  std::unique_ptr<QSettings> Open() const;
  QString Commit(QSettings& settings) const;
  QString file_;
};

// The calibration a printer prints through: the stored one, its warning (if
// any) written to the log once for each printer and problem.
TCalibration StoredCalibrationFor(const QString& printer);

// Why a calibration is refused, as the dialog and the command line say it, or
// an empty string.
QString CalibrationProblem(const TCalibration& c);

}  // namespace vantor
