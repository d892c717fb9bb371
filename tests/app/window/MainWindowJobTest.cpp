// Print preview, a first sheet started part-way, many sheets from the window,
// and the printer calibration command: the window's commands and the dialogs
// behind them.
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "MainWindowFixture.h"
#include "printing/qt/CalibrationDialog.h"
#include "printing/qt/CalibrationStore.h"
#include "printing/qt/PrintPreview.h"
#include "printing/qt/QtPrintJob.h"

namespace vantor::test {
namespace {

using TButton = QRadioButton* TMainWindow::*;

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
      return std::make_unique<TFakePrintJob>();
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

    TFakePrintJob preview;
    menu->DrawJob(preview, true);
    EXPECT_TRUE(State() == before) << "after the preview the field shows " << Field();
    ASSERT_EQ(preview.pages.size(), static_cast<std::size_t>(r.sheets));

    TFakePrintJob fromPreview;
    menu->DrawJob(fromPreview, false);
    EXPECT_EQ(fromPreview.Traces(), preview.Traces());
    EXPECT_EQ(Field(), r.after);
    EXPECT_EQ(menu->SheetOptions().startLabel, 1) << "the used sheet is used up";
    EXPECT_EQ(menu->SheetOptions().sheets, r.sheets);

    // Print, from the same state, prints the same pages.
    SetUp();
    for (TButton b : r.clicks) Click((*menu).*b);
    if (r.typed) menu->SerialField->setText(QString::fromLatin1(r.typed));
    menu->SheetOptions().sheets = r.sheets;
    menu->SheetOptions().startLabel = r.start;
    auto printed = std::make_shared<TFakePrintJob>();
    menu->SetJobFactory([printed] { return TFakePrintJob::Handle(printed); });
    Click(menu->PrintButton);
    EXPECT_TRUE(reported.warnings.empty());
    EXPECT_EQ(printed->Traces(), preview.Traces());
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
  EXPECT_EQ(reported.warnings[0], QString::fromStdString(SheetRefusal("ABC960", 2).value_or("")))
      << "the whole job's refusal";
  EXPECT_EQ(made, 1) << "no job for the refused run";
  EXPECT_EQ(Field(), "ABC960");
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

}  // namespace
}  // namespace vantor::test
