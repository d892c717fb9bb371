// The calibration dialog (measured, computed, saved, shown, reset; nonsense
// refused) and the calibrations kept per printer, as a printer job uses them.
#include <gtest/gtest.h>
#include <QByteArray>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "printing/qt/CalibrationDialog.h"
#include "printing/qt/CalibrationStore.h"
#include "printing/qt/QtPrintJob.h"
#include "surface/CorrectedSurface.h"

namespace vantor::test {
namespace {

class CalibrationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    file = dir.filePath("vantor.ini");
    store = std::make_unique<TCalibrationStore>(file);
    dialog = std::make_unique<TCalibrationDialog>(*store, QStringLiteral("Office/Laser 1"));
    dialog->SetWarning([this](const QString& t) { warnings.push_back(t); });
    dialog->SetPagePrinter([this](const QString& p) { pagesPrinted.push_back(p); });
    dialog->SetPrinterCheck([](const QString& p) { return p == "Office/Laser 1" || p == "Office"; });
  }
  void Set(QLineEdit* e, const char* text) { e->setText(QString::fromLatin1(text)); }
  void Measure() {  // A 2 mm right and 1 mm up, stretched across by 1 %
    Set(dialog->AFromLeft, "42");
    Set(dialog->AFromTop, "59");
    Set(dialog->AToB, "101");
    Set(dialog->AToC, "100");
    QTest::mouseClick(dialog->Compute, Qt::LeftButton);
  }

  QTemporaryDir dir;
  QString file;
  std::unique_ptr<TCalibrationStore> store;
  std::unique_ptr<TCalibrationDialog> dialog;
  std::vector<QString> warnings;
  std::vector<QString> pagesPrinted;
};

TEST_F(CalibrationDialogTest, MeasuredComputedSavedShownAndReset) {
  EXPECT_EQ(dialog->OffsetX->text(), "0.00");
  EXPECT_EQ(dialog->ScaleY->text(), "1.0000");
  QTest::mouseClick(dialog->PrintPage, Qt::LeftButton);
  EXPECT_EQ(pagesPrinted, std::vector<QString>{QStringLiteral("Office/Laser 1")});

  // The printer put A 2 mm right and 1 mm up, and stretched across by 1 %.
  Set(dialog->AFromLeft, "42");
  Set(dialog->AFromTop, "59");
  Set(dialog->AToB, "101");
  Set(dialog->AToC, "100");
  QTest::mouseClick(dialog->Compute, Qt::LeftButton);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(dialog->OffsetX->text(), "-1.58");  // 40 - 42 / 1.01
  EXPECT_EQ(dialog->OffsetY->text(), "1.00");
  EXPECT_EQ(dialog->ScaleX->text(), "0.9901");
  EXPECT_EQ(dialog->ScaleY->text(), "1.0000");
  QTest::mouseClick(dialog->Save, Qt::LeftButton);
  ASSERT_TRUE(warnings.empty()) << warnings[0].toStdString();
  const TStoredCalibration kept = store->Load(QStringLiteral("Office/Laser 1"));
  EXPECT_TRUE(kept.warning.isEmpty());
  EXPECT_DOUBLE_EQ(kept.calibration.offsetXMm, -1.58);
  EXPECT_DOUBLE_EQ(kept.calibration.scaleX, 0.9901);
  EXPECT_TRUE(store->Load(QStringLiteral("Office")).calibration.IsIdentity()) << "kept for that printer alone";

  // A new dialog shows what is kept; Reset forgets it.
  TCalibrationDialog again(*store, QStringLiteral("Office/Laser 1"));
  EXPECT_EQ(again.OffsetX->text(), "-1.58");
  QTest::mouseClick(again.Reset, Qt::LeftButton);
  EXPECT_EQ(again.OffsetX->text(), "0.00");
  EXPECT_TRUE(store->Load(QStringLiteral("Office/Laser 1")).calibration.IsIdentity());
}

TEST_F(CalibrationDialogTest, NonsenseIsRefusedAndNothingIsSaved) {
  ASSERT_TRUE(store->Save(QStringLiteral("Office/Laser 1"), {1, 1, 1, 1}).isEmpty());
  struct Row {
    const char* name;
    const char* offsetX;
    const char* scaleY;
    const char* warning;
  };
  const Row rows[] = {
      {"not a number", "abc", "1", "Offset across: \"abc\" is not a number."},
      {"empty", "", "1", "Offset across: \"\" is not a number."},
      {"offset beyond 20 mm", "20.5", "1",
       "The offset across must be a number of millimetres from -20 to 20. Nothing was saved."},
      {"scale below 0.9", "0", "0.85", "The scale down must be a number from 0.9 to 1.1. Nothing was saved."},
      {"scale infinite", "0", "inf", "Scale down: \"inf\" is not a number."},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    warnings.clear();
    Set(dialog->OffsetX, r.offsetX);
    Set(dialog->OffsetY, "0");
    Set(dialog->ScaleX, "1");
    Set(dialog->ScaleY, r.scaleY);
    QTest::mouseClick(dialog->Save, Qt::LeftButton);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], QString::fromLatin1(r.warning));
    EXPECT_TRUE(store->Load(QStringLiteral("Office/Laser 1")).calibration == (TCalibration{1, 1, 1, 1}));
  }
  // Measurements that give a scale out of range change nothing either.
  warnings.clear();
  Set(dialog->OffsetX, "1");
  Set(dialog->AFromLeft, "40");
  Set(dialog->AFromTop, "60");
  Set(dialog->AToB, "150");
  Set(dialog->AToC, "100");
  QTest::mouseClick(dialog->Compute, Qt::LeftButton);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("These measurements give a correction out of range.")));
  EXPECT_EQ(dialog->OffsetX->text(), "1");
}

// Values computed for one printer name and then another typed or chosen stay
// as computed, for whichever printer is shown at Save; a name no printer has
// keeps nothing.
TEST_F(CalibrationDialogTest, ComputedValuesOutliveTheChoiceOfPrinterAndUnknownPrintersKeepNothing) {
  Measure();
  dialog->Printer->setCurrentText(QStringLiteral("Office"));
  EXPECT_EQ(dialog->OffsetX->text(), "-1.58") << "computed values kept";
  EXPECT_EQ(dialog->CorrectionBox->title(), QStringLiteral("Correction for \"Office\""));
  QTest::mouseClick(dialog->Save, Qt::LeftButton);
  ASSERT_TRUE(warnings.empty()) << warnings[0].toStdString();
  EXPECT_EQ(dialog->Status->text(), QStringLiteral("Saved for \"Office\"."));
  EXPECT_DOUBLE_EQ(store->Load(QStringLiteral("Office")).calibration.offsetXMm, -1.58);
  EXPECT_TRUE(store->Load(QStringLiteral("Office/Laser 1")).calibration.IsIdentity());

  dialog->Printer->setCurrentText(QStringLiteral("Offic"));
  EXPECT_EQ(dialog->OffsetX->text(), "0.00") << "saved values give way to the next printer's";
  Measure();
  QTest::mouseClick(dialog->Save, Qt::LeftButton);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], QStringLiteral("No printer named \"Offic\". Nothing was saved."));
  QSettings kept(file, QSettings::IniFormat);
  kept.beginGroup(QStringLiteral("PrinterCalibration"));
  EXPECT_EQ(kept.childGroups(), QStringList{"Office"});
}

// "." always, and the decimal separator of the operator's numbers; never a
// group separator.
TEST_F(CalibrationDialogTest, NumbersTakeTheLocalesDecimalSeparator) {
  struct Row {
    QLocale::Language language;
    const char* text;
    double value;  // NaN: refused
  };
  const double refused = std::nan("");
  const Row rows[] = {
      {QLocale::English, "1.5", 1.5},        {QLocale::English, "1,5", refused}, {QLocale::English, "1,005", refused},
      {QLocale::German, "1,5", 1.5},         {QLocale::German, "1.5", 1.5},      {QLocale::German, "-0,25", -0.25},
      {QLocale::German, "1.005,5", refused},
  };
  const QLocale before;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    QLocale::setDefault(QLocale(r.language));
    warnings.clear();
    Set(dialog->OffsetX, r.text);
    const std::optional<TCalibration> shown = dialog->ShownCalibration();
    EXPECT_EQ(shown.has_value(), !std::isnan(r.value));
    if (shown) {
      EXPECT_DOUBLE_EQ(shown->offsetXMm, r.value);
    }
  }
  QLocale::setDefault(before);
}

// A settings file that cannot be read or holds garbage is ignored with a
// warning: the printer prints uncorrected, nothing crashes.
TEST(CalibrationStore, UnreadableOrGarbageIsIgnoredWithAWarning) {
  QTemporaryDir dir;
  struct Row {
    const char* name;
    QByteArray contents;  // written as the file
    bool folder;          // the settings path is a folder instead
    const char* warning;  // part of it; nullptr: no warning
  };
  const QByteArray group = "[PrinterCalibration]\n";
  const Row rows[] = {
      {"no file", {}, false, nullptr},
      {"a folder where the file should be", {}, true, "cannot be read"},
      {"binary garbage", QByteArray("\x00\xff\xfe[[[=\n\x01", 9), false, nullptr},
      {"a value that is not a number", group + "P\\offsetX=abc\nP\\offsetY=0\nP\\scaleX=1\nP\\scaleY=1\n", false,
       "holds \"abc\" for offsetX, not a number"},
      {"a value missing", group + "P\\offsetX=1\n", false, "not a number"},
      {"out of range", group + "P\\offsetX=0\nP\\offsetY=0\nP\\scaleX=5\nP\\scaleY=1\n", false, "out of range"},
      {"infinite", group + "P\\offsetX=inf\nP\\offsetY=0\nP\\scaleX=1\nP\\scaleY=1\n", false, "not a number"},
      {"good", group + "P\\offsetX=1.5\nP\\offsetY=-2\nP\\scaleX=1.01\nP\\scaleY=0.99\n", false, nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString path = dir.filePath(QString::fromLatin1(r.name).replace(' ', '_') + ".ini");
    if (r.folder) {
      ASSERT_TRUE(QDir().mkpath(path));
    } else if (!r.contents.isNull()) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(r.contents);
    }
    TCalibrationStore store(path);
    const TStoredCalibration got = store.Load(QStringLiteral("P"));
    if (r.warning) {
      EXPECT_TRUE(got.warning.contains(QString::fromLatin1(r.warning))) << got.warning.toStdString();
      EXPECT_TRUE(got.calibration.IsIdentity());
    } else {
      EXPECT_TRUE(got.warning.isEmpty()) << got.warning.toStdString();
    }
    if (std::string(r.name) == "good") {
      EXPECT_TRUE(got.calibration == (TCalibration{1.5, -2, 1.01, 0.99}));
    }
    // The dialog opens on it and says so.
    TCalibrationDialog dialog(store, QStringLiteral("P"));
    if (r.warning) {
      EXPECT_EQ(dialog.Status->text(), got.warning);
    }
  }
}

// The first calibration kept makes the settings file, folder and all.
TEST(CalibrationStore, FirstSaveMakesTheFile) {
  QTemporaryDir dir;
  TCalibrationStore store(dir.filePath("not/yet/there.ini"));
  EXPECT_TRUE(store.Load(QStringLiteral("P")).warning.isEmpty());
  EXPECT_EQ(store.Save(QStringLiteral("P"), {1, 2, 1.01, 0.99}), QString());
  EXPECT_TRUE(store.Load(QStringLiteral("P")).calibration == (TCalibration{1, 2, 1.01, 0.99}));
  // A folder where the file should be: nothing is saved, and it says why.
  ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.ini")));
  TCalibrationStore blocked(dir.filePath("folder.ini"));
  EXPECT_FALSE(blocked.Save(QStringLiteral("P"), {1, 2, 1.01, 0.99}).isEmpty());
}

// A printer job draws through the calibration kept for its printer's name.
TEST(CalibrationStore, PrinterJobDrawsThroughThePrintersCalibration) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("out.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  TSheetOptions options;
  TNamedPrinterJob job(printer, options);
  const TCalibration c{1, 2, 1.01, 0.99};
  QString asked;
  job.SetCalibrationSource([&](const QString& name) {
    asked = name;
    return c;
  });
  job.BeginDoc();
  EXPECT_TRUE(job.Calibration() == c);
  EXPECT_NE(dynamic_cast<TCorrectedSurface*>(&job.Page()), nullptr);
  job.EndDoc();
  EXPECT_EQ(asked, printer.printerName());
}

}  // namespace
}  // namespace vantor::test
