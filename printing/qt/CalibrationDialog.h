// Printer Calibration: prints the calibration page on a printer, turns what
// the operator measured on it into a correction, and keeps the correction for
// that printer's name; shown and editable, with Reset. The printer is one the
// system knows: chosen from its list, or typed when it is not listed.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "printing/qt/CalibrationStore.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace vantor {

class TCalibrationDialog : public QDialog {
  Q_OBJECT

 public:
  // `store` must outlive the dialog. `printer`: the one chosen first.
  TCalibrationDialog(TCalibrationStore& store, const QString& printer, QWidget* parent = nullptr);

  // How a refusal is told (default: a warning box).
  void SetWarning(std::function<void(const QString&)> warn) { warn_ = std::move(warn); }
  // How the calibration page reaches a printer (default: that printer, no dialog, uncorrected).
  void SetPagePrinter(std::function<void(const QString& printer)> print) { printPage_ = std::move(print); }
  // Whether a printer of that name exists (default: the system's printers).
  void SetPrinterCheck(std::function<bool(const QString& printer)> exists) { printerExists_ = std::move(exists); }

  QString PrinterName() const;
  // The correction as the fields show it, or nothing (and a warning) when a
  // field is not a usable number.
  std::optional<TCalibration> ShownCalibration();

  QComboBox* Printer = nullptr;
  QPushButton* PrintPage = nullptr;
  QLineEdit* AFromLeft = nullptr;
  QLineEdit* AFromTop = nullptr;
  QLineEdit* AToB = nullptr;
  QLineEdit* AToC = nullptr;
  QPushButton* Compute = nullptr;
  QLineEdit* OffsetX = nullptr;
  QLineEdit* OffsetY = nullptr;
  QLineEdit* ScaleX = nullptr;
  QLineEdit* ScaleY = nullptr;
  QGroupBox* CorrectionBox = nullptr;  // its title names the printer
  QPushButton* Save = nullptr;
  QPushButton* Reset = nullptr;
  QPushButton* Close = nullptr;
  QLabel* Status = nullptr;

 public slots:
  void LoadPrinter();
  void PrintCalibrationPage();
  void ComputeFromMeasurements();
  void SaveCalibration();
  void ResetCalibration();

 private:
  void BuildPrinterRows(QVBoxLayout& layout, const QString& printer);
  void BuildMeasuredRows(QVBoxLayout& layout);
  void BuildCorrectionRows(QVBoxLayout& layout);
  void BuildButtons(QVBoxLayout& layout);
  void ConnectFields();
  void PrinterChanged();
  void Show(const TCalibration& c);
  void Warn(const QString& text);
  std::optional<double> Number(QLineEdit* field, const QString& caption);

  TCalibrationStore& store_;
  std::function<void(const QString&)> warn_;
  std::function<void(const QString&)> printPage_;
  std::function<bool(const QString&)> printerExists_;
  // The correction fields hold values computed or typed and not yet saved:
  // choosing another printer keeps them.
  bool unsaved_ = false;
};

}  // namespace vantor
