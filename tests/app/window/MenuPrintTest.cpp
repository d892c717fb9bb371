// The Print, Help, Colors and Quit buttons. A printed sheet is compared with
// the same sheet printed through the headless host, which shares the sheet
// code but none of the window's handling of the serial, preview and barcode.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include "MenuFixture.h"
#include "app/window/Icons.h"
#include "app/window/help.h"
#include "colours/widgets/Color.h"
#include "dlt/HeadlessHost.h"

namespace vantor::test {
namespace {

using TButton = QRadioButton* TMainMenu::*;

class MenuPrintTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
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
    {"StorageTek DLT IV", {&TMainMenu::STK}, "A B120", true, 0, "A B120", "A B150", "A B150D"},
    {"StorageTek DLT IV upright", {&TMainMenu::STK}, nullptr, false, 0, "000000", "000030", "000030D"},
    {"StorageTek diagnostic, field disabled",
     {&TMainMenu::STK, &TMainMenu::STK_DGN},
     nullptr,
     true,
     1,
     "DG 000",
     "DG 030",
     "DG 030C"},
    {"StorageTek cleaning, typed prefix forced",
     {&TMainMenu::STK, &TMainMenu::STK_CLN},
     "XYZ005",
     true,
     2,
     "CLN005",
     "CLN035",
     "CLN035C"},
    {"Breece Hill, sheet ending at 999", {&TMainMenu::Breece}, "QRS970", false, 5, "QRS970", "QRS999", "QRS999"},
    {"Other", {&TMainMenu::RadioButton1}, nullptr, false, 6, "000000", "000030", "000030"},
};

TEST_F(MenuPrintTest, PrintsTheSheetTheHeadlessHostPrintsAndContinuesTheSequence) {
  for (const TPrintRow& row : kPrintRows) {
    SCOPED_TRACE(row.name);
    SetUp();
    for (TButton b : row.clicks) Click((*menu).*b);
    if (row.typed) menu->Seq_Num->setText(QString::fromLatin1(row.typed));
    if (menu->Text_Rotate->isEnabled()) menu->Text_Rotate->setChecked(row.rotated);
    Click(menu->Print_Btn);

    EXPECT_TRUE(reported.warnings.empty());
    EXPECT_TRUE(reported.errors.empty());
    ASSERT_EQ(log->ended, 1);
    EXPECT_EQ(log->title, "Vantor");
    EXPECT_EQ(Field(), row.fieldAfter);
    EXPECT_EQ(menu->LabelState().Serial(), row.fieldAfter);
    EXPECT_EQ(menu->Barcode1->Bar_Caption(), row.barcodeAfter);
    EXPECT_TRUE(menu->Seq_Num->isEnabled());
    std::string preview = row.fieldAfter;
    if (!menu->Text_Rotate->isChecked()) preview.assign(preview.rbegin(), preview.rend());
    EXPECT_EQ(Labels(), preview) << "the preview follows the printing";

    THeadlessChoice choice;
    choice.mediaMode = static_cast<TMediaMode>(row.mode);
    choice.serial = row.printedFrom;
    choice.rotated = row.rotated;
    THeadlessHost reference(choice);
    TFakePrintJob refJob;
    PrintSheet(LayoutFor(choice.mediaMode, reference.Rotated()), reference, refJob);
    ASSERT_FALSE(refJob.page.Ops().empty());
    EXPECT_EQ(log->Traces(), refJob.Traces());
    // The trace leaves out the origin and mapping mode; the operations hold all.
    EXPECT_TRUE(log->page.Ops() == refJob.page.Ops());
  }
}

TEST_F(MenuPrintTest, CancelledDialogOnlyEnablesTheSerialField) {
  Click(menu->STK);
  Click(menu->STK_DGN);
  ASSERT_FALSE(menu->Seq_Num->isEnabled());
  log->confirm = false;
  Click(menu->Print_Btn);
  EXPECT_EQ(log->dialogs, 1);
  EXPECT_EQ(log->begun, 0);
  EXPECT_TRUE(log->page.Ops().empty());
  EXPECT_TRUE(menu->Seq_Num->isEnabled());
  EXPECT_EQ(Field(), "DG 000");
  EXPECT_EQ(menu->Barcode1->Bar_Caption(), "DG 000C");
  EXPECT_TRUE(reported.warnings.empty());
  EXPECT_TRUE(reported.errors.empty());
}

TEST_F(MenuPrintTest, RefusedSerialsWarnAndPrintNothing) {
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
    menu->Seq_Num->setText(QString::fromLatin1(row.serial));
    Click(menu->Print_Btn);
    ASSERT_EQ(reported.warnings.size(), 1u);
    EXPECT_EQ(reported.warnings[0], row.warning ? QString::fromLatin1(row.warning)
                                                : QString::fromStdString(SheetRefusal(row.serial).value_or("")));
    EXPECT_EQ(made, 0);
    EXPECT_EQ(Field(), row.serial);
  }
}

TEST_F(MenuPrintTest, PrinterFailureIsReportedAndTheSerialStays) {
  menu->Seq_Num->setText(QStringLiteral("ABC100"));
  log->failAtEnd = true;
  Click(menu->Print_Btn);
  ASSERT_EQ(reported.errors.size(), 1u);
  EXPECT_EQ(reported.errors[0], QStringLiteral("The printer is out of paper"));
  EXPECT_EQ(Field(), "ABC100") << "the same labels print on the next attempt";
  EXPECT_EQ(menu->Barcode1->Bar_Caption(), "ABC100");
  EXPECT_EQ(Labels(), "001CBA");

  log->failAtEnd = false;
  Click(menu->Print_Btn);
  EXPECT_EQ(log->ended, 1);
  EXPECT_EQ(Field(), "ABC130");
}

TEST_F(MenuPrintTest, HelpButtonShowsTheHelpWindowModally) {
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
  Click(menu->BitBtn3);
  EXPECT_TRUE(shownModal);
  EXPECT_EQ(text, QStringLiteral("Choose the maker first."));
  EXPECT_FALSE(help.isVisible()) << "OK closed it";
  EXPECT_TRUE(loadErrors.empty());
}

TEST_F(MenuPrintTest, ColorsButtonRunsItsHookAndQuitCloses) {
  Click(menu->BitBtn4);  // no hook yet: nothing happens
  int runs = 0;
  menu->SetColorsHook([&] { ++runs; });
  Click(menu->BitBtn4);
  EXPECT_EQ(runs, 1);

  menu->show();
  ASSERT_TRUE(menu->isVisible());
  Click(menu->BitBtn1);
  EXPECT_FALSE(menu->isVisible());
}

TEST_F(MenuPrintTest, WindowAndButtonsCarryTheirIcons) {
  const auto same = [](const QIcon& a, const QIcon& b, QIcon::Mode mode) {
    return !a.isNull() && a.pixmap(QSize(16, 16), mode).toImage() == b.pixmap(QSize(16, 16), mode).toImage();
  };
  EXPECT_TRUE(same(menu->windowIcon(), MainWindowIcon(), QIcon::Normal));
  for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
    EXPECT_TRUE(same(menu->Print_Btn->icon(), PrintButtonIcon(), mode));
    EXPECT_TRUE(same(menu->BitBtn4->icon(), ColorsButtonIcon(), mode));
  }
  EXPECT_FALSE(menu->BitBtn3->icon().isNull());
  EXPECT_FALSE(menu->BitBtn1->icon().isNull());
}

}  // namespace
}  // namespace vantor::test

namespace vantor::test {
namespace {

// The dialog opens modally from "Colors"; a scheme chosen there lands in the
// window's colour table and brings the maker back to "Standard 3 of 9".
TEST_F(MenuTest, ColorsButtonOpensTheColoursDialog) {
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
  Click(menu->BitBtn4);
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(Entry(0), ColorFromRgb(0xF78197));
  EXPECT_TRUE(menu->STD_3of9->isChecked());
  EXPECT_EQ(menu->LabelState().MediaMode(), TMediaMode::Standard3of9);
}

}  // namespace
}  // namespace vantor::test
