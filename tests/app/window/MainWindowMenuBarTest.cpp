// The menu bar above the main window's client area: where it sits, what each
// item runs, the LTO labels hook and the About dialog.
#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "MainWindowFixture.h"
#include "app/window/AboutBox.h"

namespace vantor::test {
namespace {

// Texts of a menu's items, separators left out.
QStringList ItemTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions())
    if (!a->isSeparator()) texts << a->text();
  return texts;
}

// A help window that only counts how often it is opened.
class TCountingDialog : public QDialog {
 public:
  int exec() override {
    ++opened;
    return QDialog::Accepted;
  }
  int opened = 0;
};

TEST_F(MainWindowTest, MenuBarHoldsFileLabelsAndHelpInThatOrder) {
  QStringList titles;
  for (const QAction* a : menu->MenuBar->actions()) titles << a->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Labels", "&Help"}));
  EXPECT_EQ(ItemTexts(menu->FileMenu),
            QStringList({"&Print...", "Print Pre&view...", "Printer &Calibration...", "&Quit"}));
  EXPECT_EQ(ItemTexts(menu->LabelsMenu), QStringList({"&LTO Ultrium labels...", "Print &Journal..."}));
  EXPECT_EQ(ItemTexts(menu->HelpMenu), QStringList({"&Contents", "&About Vantor"}));
}

TEST_F(MainWindowTest, MenuBarStandsAboveTheClientAreaWhichKeepsItsControlsInPlace) {
  const int bar = menu->MenuBar->height();
  ASSERT_GT(bar, 0);
  EXPECT_EQ(menu->MenuBar->geometry(), QRect(0, 0, 415, bar));
  EXPECT_EQ(menu->ClientArea->geometry(), QRect(0, bar, 415, 376));
  EXPECT_EQ(menu->size(), QSize(415, 376 + bar));
  EXPECT_EQ(menu->minimumSize(), menu->maximumSize()) << "still not resizable";
  // Form positions, now taken from the window's corner: each is one bar lower.
  const std::pair<QWidget*, QPoint> placed[] = {
      {menu->TitleLabel, {112, 16}},    {menu->MakerGroup, {16, 56}},    {menu->StorageTekGroup, {136, 56}},
      {menu->SequenceGroup, {272, 56}}, {menu->PreviewPanel, {16, 176}}, {menu->PrintButton, {288, 168}},
      {menu->HelpButton, {288, 208}},   {menu->QuitButton, {288, 249}},  {menu->Serial_Color, {24, 272}},
      {menu->ColorsButton, {169, 291}}, {menu->StatusBar, {0, 351}},     {menu->STK_DGN, {136 + 8, 56 + 72}},
  };
  for (const auto& [w, formPos] : placed) {
    SCOPED_TRACE(w->objectName().toStdString());
    EXPECT_EQ(w->mapTo(menu.get(), QPoint(0, 0)), formPos + QPoint(0, bar));
  }
}

TEST_F(MainWindowTest, MenuItemsRunTheButtonsHandlers) {
  TCountingDialog help;
  menu->SetHelpBox(&help);
  bool jobMade = false;
  menu->SetJobFactory([&]() -> std::unique_ptr<TPrintJob> {
    jobMade = true;
    return nullptr;
  });
  menu->SerialField->setText(QStringLiteral("12"));  // too short: Print only warns
  ResetCalls();

  menu->PrintAction->trigger();
  EXPECT_EQ(Calls("PrintClick"), 1);
  ASSERT_EQ(reported.warnings.size(), 1u);
  EXPECT_EQ(reported.warnings[0], QStringLiteral("Error in Sequence Number"));
  EXPECT_FALSE(jobMade);
  menu->SerialField->setText(QStringLiteral("ABC100"));
  menu->PrintAction->trigger();
  EXPECT_TRUE(jobMade) << "a good serial goes on to the print job";

  menu->ContentsAction->trigger();
  EXPECT_EQ(Calls("HelpClick"), 1);
  EXPECT_EQ(help.opened, 1);

  menu->show();
  ASSERT_TRUE(menu->isVisible());
  menu->QuitAction->trigger();
  EXPECT_FALSE(menu->isVisible()) << "Quit closes the window";
}

TEST_F(MainWindowTest, LtoLabelsItemIsEnabledOnlyWhileAHookIsSet) {
  EXPECT_FALSE(menu->LtoLabelsAction->isEnabled()) << "nothing to open yet";
  menu->LtoLabelsAction->trigger();  // a disabled action does nothing
  EXPECT_EQ(Calls("LtoLabelsClick"), 0);

  int opened = 0;
  menu->SetLtoLabelsHook([&] { ++opened; });
  EXPECT_TRUE(menu->LtoLabelsAction->isEnabled());
  menu->LtoLabelsAction->trigger();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Calls("LtoLabelsClick"), 1);

  menu->SetLtoLabelsHook({});
  EXPECT_FALSE(menu->LtoLabelsAction->isEnabled());
  menu->LtoLabelsAction->trigger();
  EXPECT_EQ(opened, 1);
}

TEST_F(MainWindowTest, AboutShowsVersionLicenceAndEveryLibraryWithItsLicence) {
  EXPECT_EQ(menu->AboutBox(), nullptr) << "made when first asked for";
  menu->AboutAction->trigger();
  TAboutBox* about = menu->AboutBox();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  EXPECT_TRUE(about->isModal());
  EXPECT_EQ(about->windowTitle(), QStringLiteral("About Vantor"));
  EXPECT_EQ(about->Version()->text(), QStringLiteral("Version " VANTOR_VERSION));
  const QString licence = QStringLiteral(VANTOR_LICENSE);
  EXPECT_EQ(about->Licence()->text(),
            licence.isEmpty() ? QStringLiteral("Licence: not declared yet") : QStringLiteral("Licence: ") + licence);

  const QString libraries = about->Libraries()->text();
  EXPECT_TRUE(libraries.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
  for (const TLibraryNotice& lib : kLibraryNotices) {
    SCOPED_TRACE(lib.licence);
    EXPECT_TRUE(libraries.contains(QString::fromLatin1(lib.licence).toHtmlEscaped()));
  }

  // Closing hides it; opened again, the same dialog comes back.
  about->reject();
  EXPECT_FALSE(about->isVisible());
  menu->AboutAction->trigger();
  EXPECT_EQ(menu->AboutBox(), about);
  EXPECT_TRUE(about->isVisible());
  about->reject();
}

}  // namespace
}  // namespace vantor::test
