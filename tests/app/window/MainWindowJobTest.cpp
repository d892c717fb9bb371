// Print preview, a first sheet started part-way, many sheets from the window,
// and printer calibration: the window's commands and the dialogs behind them.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <sstream>

#include "MainWindowFixture.h"
#include "printing/PrintTrace.h"
#include "printing/qt/CalibrationDialog.h"
#include "printing/qt/CalibrationStore.h"
#include "printing/qt/PrintPreview.h"
#include "printing/qt/QtPrintJob.h"
#include "surface/RecordingSurface.h"

namespace vantor::test {
namespace {

using TButton = QRadioButton* TMainWindow::*;

std::string Trace(const TRecordingSurface& page) {
  std::ostringstream out;
  WritePrintTrace(out, 1, page.Ops());
  return out.str();
}

// A job that keeps every page it was given, as the preview's pages are kept.
class TPagesJob : public TPrintJob {
 public:
  bool ShowDialog() override { return true; }
  void SetPortrait() override {}
  void SetTitle(const std::string&) override {}
  void SetCopies(int) override {}
  void BeginDoc() override { page.ClearOps(); }
  TSurface& Page() override { return page; }
  void NewPage() override {
    pages.push_back(Trace(page));
    page.ClearOps();
  }
  void EndDoc() override { pages.push_back(Trace(page)); }
  TRecordingSurface page{300, 300};
  std::vector<std::string> pages;
};

// Everything of the window the preview must leave alone.
struct TWindowState {
  std::string field, serial, barcode, labels;
  std::vector<TColor> cells;
  bool fieldEnabled;
  friend bool operator==(const TWindowState&, const TWindowState&) = default;
};

class MainWindowJobTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    made = 0;
    menu->SetJobFactory([this] {
      ++made;
      return std::make_unique<TPagesJob>();
    });
  }
  int made = 0;
  TWindowState State() const {
    return {Field(),  menu->LabelState().Serial(), menu->PreviewBarcode->Bar_Caption(),
            Labels(), CellsLeftToRight(),          menu->SerialField->isEnabled()};
  }
};

// The preview draws what Print prints, page for page, and leaves the window
// as it was; printing from the preview then moves on as Print does.
TEST_F(MainWindowJobTest, PreviewPaintsWhatPrintPrintsAndChangesNothing) {
  struct Row {
    const char* name;
    std::vector<TButton> clicks;
    const char* typed;
    int sheets, start;
    const char* after;
  };
  const Row rows[] = {
      {"one sheet", {}, "ABC100", 1, 1, "ABC130"},
      {"three sheets from label 13", {}, "ABC100", 3, 13, "ABC178"},
      {"cleaning, prefix forced by printing", {&TMainWindow::STK, &TMainWindow::STK_CLN}, "XYZ005", 2, 30, "CLN036"},
      {"diagnostic, field disabled", {&TMainWindow::STK, &TMainWindow::STK_DGN}, nullptr, 1, 2, "DG 029"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    SetUp();
    for (TButton b : r.clicks) Click((*menu).*b);
    if (r.typed) menu->SerialField->setText(QString::fromLatin1(r.typed));
    menu->SheetOptions().sheets = r.sheets;
    menu->SheetOptions().startLabel = r.start;
    const TWindowState before = State();

    TPagesJob preview;
    menu->DrawJob(preview, true);
    EXPECT_TRUE(State() == before) << "after the preview the field shows " << Field();
    ASSERT_EQ(preview.pages.size(), static_cast<std::size_t>(r.sheets));

    TPagesJob fromPreview;
    menu->DrawJob(fromPreview, false);
    EXPECT_EQ(fromPreview.pages, preview.pages);
    EXPECT_EQ(Field(), r.after);
    EXPECT_EQ(menu->SheetOptions().startLabel, 1) << "the used sheet is used up";
    EXPECT_EQ(menu->SheetOptions().sheets, r.sheets);

    // Print, from the same state, prints the same pages.
    SetUp();
    for (TButton b : r.clicks) Click((*menu).*b);
    if (r.typed) menu->SerialField->setText(QString::fromLatin1(r.typed));
    menu->SheetOptions().sheets = r.sheets;
    menu->SheetOptions().startLabel = r.start;
    auto printed = std::make_shared<TPagesJob>();
    menu->SetJobFactory([printed]() -> std::unique_ptr<TPrintJob> { return std::make_unique<TForwardJob>(printed); });
    Click(menu->PrintButton);
    EXPECT_TRUE(reported.warnings.empty());
    EXPECT_EQ(printed->pages, preview.pages);
    EXPECT_EQ(Field(), r.after);
  }
}

TEST_F(MainWindowJobTest, RefusalCoversTheWholeJob) {
  menu->SerialField->setText(QStringLiteral("ABC950"));
  menu->SheetOptions().sheets = 2;
  menu->SheetOptions().startLabel = 13;  // 48 labels: ABC950 to ABC997 fit
  Click(menu->PrintButton);
  EXPECT_TRUE(reported.warnings.empty());
  EXPECT_EQ(Field(), "ABC998");

  menu->SerialField->setText(QStringLiteral("ABC960"));
  menu->SheetOptions().sheets = 2;
  Click(menu->PrintButton);
  ASSERT_EQ(reported.warnings.size(), 1u);
  EXPECT_EQ(reported.warnings[0],
            QStringLiteral("2 sheets (60 labels) from ABC960 would need serials past ABC999; only 1 sheet fits. The "
                           "last first serial that still fits is ABC940."));
  EXPECT_EQ(made, 1) << "no job for the refused run";
  EXPECT_EQ(Field(), "ABC960");
}

// The print dialog's Labels tab: a refused job keeps the dialog open.
TEST(JobPrintDialog, RefusedJobKeepsTheDialogOpen) {
  QPrinter printer(QPrinter::HighResolution);
  TSheetOptions options;
  options.sheets = 1;
  TJobPrintDialog dialog(&printer, options, TLabelsTabFields{});
  std::vector<QString> warnings;
  dialog.SetWarning([&](const QString& t) { warnings.push_back(t); });
  dialog.SetCheck([](const TSheetOptions& o) { return SheetRefusal("ABC960", o.sheets, o.startLabel); });
  TLabelsTab* tab = dialog.Labels();
  ASSERT_NE(tab->Sheets, nullptr);
  EXPECT_EQ(tab->StartLabel->maximum(), 30);
  tab->Sheets->setValue(2);
  dialog.show();
  dialog.accept();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("2 sheets (60 labels) from ABC960")));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  tab->StartLabel->setValue(25);  // 36 labels: ABC960 to ABC995
  tab->Outlines->setChecked(true);
  dialog.accept();
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const TSheetOptions chosen = tab->Options(options);
  EXPECT_EQ(chosen.sheets, 2);
  EXPECT_EQ(chosen.startLabel, 25);
  EXPECT_TRUE(chosen.outlines);

  TJobPrintDialog lto(&printer, options, TLabelsTabFields{.sheets = false, .labelsPerPage = 51});
  EXPECT_EQ(lto.Labels()->Sheets, nullptr) << "a family that counts labels has no Sheets";
  EXPECT_EQ(lto.Labels()->StartLabel->maximum(), 51);
}

// Copies stay at one (each copy would carry the same serials unrecorded), and
// a job of more than 100 pages is asked about first, Cancel the default.
TEST(JobPrintDialog, CopiesStayAtOneAndBigJobsAreConfirmed) {
  QPrinter printer(QPrinter::HighResolution);
  TJobPrintDialog dialog(&printer, TSheetOptions{}, TLabelsTabFields{});
  dialog.show();
  const QList<QSpinBox*> copies = dialog.findChildren<QSpinBox*>(QStringLiteral("copies"));
  ASSERT_EQ(copies.size(), 1);
  EXPECT_FALSE(copies[0]->isEnabled());
  EXPECT_EQ(copies[0]->value(), 1);

  struct TRow {
    int sheets;
    bool answer;  // the operator's answer, when asked
    bool asked, accepted;
  } rows[] = {{100, false, false, true}, {101, false, true, false}, {101, true, true, true}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(std::to_string(row.sheets) + (row.answer ? " print" : " cancel"));
    std::vector<QString> asked;
    dialog.SetConfirm([&](const QString& q) {
      asked.push_back(q);
      return row.answer;
    });
    dialog.setResult(QDialog::Rejected);
    dialog.Labels()->Sheets->setValue(row.sheets);
    dialog.accept();
    EXPECT_EQ(asked, row.asked ? std::vector<QString>{QStringLiteral("This job prints 101 pages. Print them?")}
                               : std::vector<QString>{});
    EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted);
    dialog.show();
  }
  EXPECT_EQ(printer.copyCount(), 1);

  const std::unique_ptr<QMessageBox> box = BigJobQuestion(QStringLiteral("This job prints 101 pages. Print them?"));
  ASSERT_NE(box->defaultButton(), nullptr);
  EXPECT_EQ(box->buttonRole(box->defaultButton()), QMessageBox::RejectRole);
  EXPECT_EQ(box->escapeButton(), box->defaultButton());
}

// Qt's preview dialog on the window's printer: every page of the job, and the
// window unchanged when it closes.
TEST_F(MainWindowJobTest, PreviewDialogShowsEveryPage) {
  menu->SerialField->setText(QStringLiteral("ABC100"));
  menu->SheetOptions().sheets = 3;
  menu->SheetOptions().startLabel = 13;
  const TWindowState before = State();
  int pages = -1;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TPrintPreview*>(QApplication::activeModalWidget());
    if (!dialog) return;
    pages = dialog->PreviewWidget()->pageCount();
    dialog->reject();
  });
  menu->PrintPreview();
  EXPECT_EQ(pages, 3);
  EXPECT_TRUE(State() == before);
  EXPECT_TRUE(reported.errors.empty());
  EXPECT_EQ(made, 0) << "nothing printed";
}

TEST_F(MainWindowJobTest, PreviewOfARefusedJobWarnsAndOpensNothing) {
  menu->SerialField->setText(QStringLiteral("AB12C4"));
  menu->PrintPreview();
  ASSERT_EQ(reported.warnings.size(), 1u);
  EXPECT_EQ(reported.warnings[0], QStringLiteral("Error in Sequence Number"));
}

TEST_F(MainWindowJobTest, PrinterCalibrationOpensTheDialogForTheRunsPrinter) {
  QTemporaryDir dir;
  menu->SetCalibrationStore(std::make_unique<TCalibrationStore>(dir.filePath("v.ini")));
  QString printer;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TCalibrationDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    printer = dialog->PrinterName();
    dialog->reject();
  });
  menu->PrinterCalibration();
  EXPECT_EQ(printer, menu->Printer().printerName().trimmed());
}

// --- The calibration dialog and the kept calibrations ---------------------------

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
