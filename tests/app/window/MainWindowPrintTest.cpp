// The Print, Help, Colors and Quit buttons. A printed sheet is compared with
// the same sheet drawn as a run from the headless host's choice, which shares
// the sheet code but none of the window's handling of the serial, preview and
// barcode.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include "MainWindowFixture.h"
#include "app/window/HelpWindow.h"
#include "app/window/Icons.h"
#include "colors/widgets/ColorBox.h"
#include "dlt/DltRun.h"
#include "dlt/HeadlessHost.h"
#include "printing/PrintJournalled.h"

namespace vantor::test {
namespace {

using TButton = QRadioButton* TMainWindow::*;

class MainWindowPrintTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The window's jobs belong to the window: each passes on to `log`.
    log = std::make_shared<TFakePrintJob>();
    log->failure = "The printer is out of paper";
    made = 0;
    menu->SetJobFactory([this] {
      ++made;
      return TFakePrintJob::Handle(log);
    });
  }
  std::shared_ptr<TFakePrintJob> log;
  int made = 0;
};

struct TPrintRow {
  const char* name;
  std::vector<TButton> clicks;
  const char* typed;  // nullptr: the mode's default serial
  bool rotated;       // "Rotated sequence", where the mode lets it change
  int mode;
  const char* printedFrom;  // first serial of the sheet, after the check
  const char* fieldAfter;
  const char* barcodeAfter;
};

const TPrintRow kPrintRows[] = {
    {"Standard 3 of 9 upright", {}, "ABC100", false, 4, "ABC100", "ABC130", "ABC130"},
    {"Standard 3 of 9 rotated", {}, "000000", true, 4, "000000", "000030", "000030"},
    {"StorageTek DLT IV", {&TMainWindow::STK}, "A B120", true, 0, "A B120", "A B150", "A B150D"},
    {"StorageTek DLT IV upright", {&TMainWindow::STK}, nullptr, false, 0, "000000", "000030", "000030D"},
    {"StorageTek diagnostic, field disabled",
     {&TMainWindow::STK, &TMainWindow::STK_DGN},
     nullptr,
     true,
     1,
     "DG 000",
     "DG 030",
     "DG 030C"},
    {"StorageTek cleaning, typed prefix forced",
     {&TMainWindow::STK, &TMainWindow::STK_CLN},
     "XYZ005",
     true,
     2,
     "CLN005",
     "CLN035",
     "CLN035C"},
    {"Breece Hill, sheet ending at 999", {&TMainWindow::Breece}, "QRS970", false, 5, "QRS970", "QRS999", "QRS999"},
    {"Other", {&TMainWindow::OtherMaker}, nullptr, false, 6, "000000", "000030", "000030"},
};

TEST_F(MainWindowPrintTest, PrintsTheSheetTheHeadlessHostPrintsAndContinuesTheSequence) {
  for (const TPrintRow& row : kPrintRows) {
    SCOPED_TRACE(row.name);
    SetUp();
    for (TButton b : row.clicks) Click((*menu).*b);
    if (row.typed) menu->SerialField->setText(QString::fromLatin1(row.typed));
    if (menu->Text_Rotate->isEnabled()) menu->Text_Rotate->setChecked(row.rotated);
    Click(menu->PrintButton);

    EXPECT_TRUE(reported.warnings.empty());
    EXPECT_TRUE(reported.errors.empty());
    ASSERT_EQ(log->ended, 1);
    EXPECT_EQ(log->title, "Vantor");
    EXPECT_TRUE(log->portrait);
    EXPECT_EQ(log->copies, 1);
    EXPECT_EQ(Field(), row.fieldAfter);
    EXPECT_EQ(menu->LabelState().Serial(), row.fieldAfter);
    EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), row.barcodeAfter);
    EXPECT_TRUE(menu->SerialField->isEnabled());
    std::string preview = row.fieldAfter;
    if (!menu->Text_Rotate->isChecked()) preview.assign(preview.rbegin(), preview.rend());
    EXPECT_EQ(Labels(), preview) << "the preview follows the printing";

    THeadlessChoice choice;
    choice.mediaMode = static_cast<TMediaMode>(row.mode);
    choice.serial = row.printedFrom;
    choice.rotated = row.rotated;
    TFakePrintJob refJob;
    DrawRun(TDltLabelRun(choice, THeadlessHost(choice).State().Colors, {}), refJob);
    ASSERT_FALSE(refJob.page.Ops().empty());
    EXPECT_EQ(log->Traces(), refJob.Traces());
    // The trace leaves out the origin and mapping mode; the operations hold all.
    EXPECT_TRUE(log->page.Ops() == refJob.page.Ops());
  }
}

TEST_F(MainWindowPrintTest, CancelledDialogOnlyEnablesTheSerialField) {
  Click(menu->STK);
  Click(menu->STK_DGN);
  ASSERT_FALSE(menu->SerialField->isEnabled());
  log->confirm = false;
  Click(menu->PrintButton);
  EXPECT_EQ(log->dialogs, 1);
  EXPECT_EQ(log->begun, 0);
  EXPECT_TRUE(log->page.Ops().empty());
  EXPECT_TRUE(menu->SerialField->isEnabled());
  EXPECT_EQ(Field(), "DG 000");
  EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "DG 000C");
  EXPECT_TRUE(reported.warnings.empty());
  EXPECT_TRUE(reported.errors.empty());
}

TEST_F(MainWindowPrintTest, RefusedSerialsWarnAndPrintNothing) {
  struct TRow {
    const char* name;
    const char* serial;
    const char* warning;  // nullptr: the model's refusal of the sheet
  };
  const TRow rows[] = {
      {"too short", "12", "Error in Sequence Number"},
      {"letter in the counter", "AB12C4", "Error in Sequence Number"},
      {"hyphen in the prefix", "12-456", "Error in Sequence Number"},
      {"sheet past 999", "000971", nullptr},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    menu->SerialField->setText(QString::fromLatin1(row.serial));
    Click(menu->PrintButton);
    ASSERT_EQ(reported.warnings.size(), 1u);
    EXPECT_EQ(reported.warnings[0], row.warning ? QString::fromLatin1(row.warning)
                                                : QString::fromStdString(SheetRefusal(row.serial).value_or("")));
    EXPECT_EQ(made, 0);
    EXPECT_EQ(Field(), row.serial);
  }
}

// Wherever the printer fails (the first page, mid-sheet, the finished
// document) the failure is reported and nothing moves: the same labels print
// on the next attempt.
TEST_F(MainWindowPrintTest, PrinterFailureIsReportedAndTheSerialStays) {
  struct TRow {
    const char* name;
    int failOnPage, failAfterOps;
    bool failAtEnd;
  };
  const TRow rows[] = {
      {"when the page is opened", 0, -1, false},
      {"mid-sheet", -1, 900, false},
      {"when the document ends", -1, -1, true},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    SetUp();
    menu->SerialField->setText(QStringLiteral("ABC100"));
    log->failOnPage = row.failOnPage;
    log->failAfterOps = row.failAfterOps;
    log->failAtEnd = row.failAtEnd;
    Click(menu->PrintButton);
    ASSERT_EQ(reported.errors.size(), 1u);
    EXPECT_EQ(reported.errors[0], QStringLiteral("The printer is out of paper"));
    EXPECT_EQ(log->ended, 0);
    EXPECT_EQ(Field(), "ABC100") << "the same labels print on the next attempt";
    EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "ABC100");
    EXPECT_EQ(Labels(), "001CBA");

    log->failOnPage = -1;
    log->failAfterOps = -1;
    log->failAtEnd = false;
    Click(menu->PrintButton);
    EXPECT_EQ(log->ended, 1);
    EXPECT_EQ(Field(), "ABC130");
  }
}

TEST_F(MainWindowPrintTest, HelpButtonShowsTheHelpWindowModally) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(QDir(dir.path()).filePath(QStringLiteral("Vantor.HLP")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Choose the maker first.\n");
  file.close();
  std::vector<QString> loadErrors;
  THelpBox help(
      menu.get(), [&](const QString& m) { loadErrors.push_back(m); }, dir.path());
  menu->SetHelpBox(&help);

  bool shownModal = false;
  QString text;
  QTimer::singleShot(0, &help, [&] {
    shownModal = help.isVisible() && help.isModal();
    text = help.RichEdit1()->toPlainText();
    QTest::mouseClick(help.Button1(), Qt::LeftButton);
  });
  Click(menu->HelpButton);
  EXPECT_TRUE(shownModal);
  EXPECT_EQ(text, QStringLiteral("Choose the maker first."));
  EXPECT_FALSE(help.isVisible()) << "OK closed it";
  EXPECT_TRUE(loadErrors.empty());
}

TEST_F(MainWindowPrintTest, ColorsButtonRunsItsHookAndQuitCloses) {
  Click(menu->ColorsButton);  // no hook yet: nothing happens
  int runs = 0;
  menu->SetColorsHook([&] { ++runs; });
  Click(menu->ColorsButton);
  EXPECT_EQ(runs, 1);

  menu->show();
  ASSERT_TRUE(menu->isVisible());
  Click(menu->QuitButton);
  EXPECT_FALSE(menu->isVisible());
}

TEST_F(MainWindowPrintTest, WindowAndButtonsCarryTheirIcons) {
  const auto same = [](const QIcon& a, const QIcon& b, QIcon::Mode mode) {
    return !a.isNull() && a.pixmap(QSize(16, 16), mode).toImage() == b.pixmap(QSize(16, 16), mode).toImage();
  };
  EXPECT_TRUE(same(menu->windowIcon(), MainWindowIcon(), QIcon::Normal));
  for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
    EXPECT_TRUE(same(menu->PrintButton->icon(), PrintButtonIcon(), mode));
    EXPECT_TRUE(same(menu->ColorsButton->icon(), ColorsButtonIcon(), mode));
  }
  EXPECT_FALSE(menu->HelpButton->icon().isNull());
  EXPECT_FALSE(menu->QuitButton->icon().isNull());
}

}  // namespace
}  // namespace vantor::test

namespace vantor::test {
namespace {

// The dialog opens modally from "Colors"; a scheme chosen there lands in the
// window's colour table and brings the maker back to "Standard 3 of 9".
TEST_F(MainWindowTest, ColorsButtonOpensTheColorsDialog) {
  TColorBox box(menu->LabelState().Colors, {}, menu.get());
  menu->AttachColorBox(box);
  menu->STK->setChecked(true);
  ASSERT_EQ(menu->LabelState().MediaMode(), TMediaMode::StkDltIV);
  bool wasModal = false;
  QTimer::singleShot(0, &box, [&] {
    wasModal = box.isVisible() && box.isModal();
    box.SchemeButton(SchemeId::Tab)->click();
    box.accept();
  });
  Click(menu->ColorsButton);
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(Entry(0), ColorFromRgb(0xF78197));
  EXPECT_TRUE(menu->STD_3of9->isChecked());
  EXPECT_EQ(menu->LabelState().MediaMode(), TMediaMode::Standard3of9);
}

}  // namespace
}  // namespace vantor::test
