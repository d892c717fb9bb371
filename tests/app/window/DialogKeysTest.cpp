// The keyboard in the windows: where the focus starts, what Enter does when
// the action cannot be taken back, and the order Tab walks the main window.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "MainWindowFixture.h"
#include "journal/widgets/ConflictDialog.h"
#include "journal/widgets/JournalWindow.h"
#include "printing/qt/CalibrationDialog.h"

namespace vantor::test {
namespace {

journal::TConflict PrintedBefore() {
  journal::TConflict c;
  c.serials = {"ABC", 3, 110, 115};
  c.job.outcome = journal::TJobOutcome::Printed;
  c.job.user = "ops";
  c.job.host = "tapehost";
  c.job.output = journal::TOutputKind::Printer;
  c.job.target = "Office-1";
  return c;
}

class DialogKeysTest : public MainWindowTest {};

// Each dialog shown: the focus where it starts, the buttons Enter must never
// press, and what Enter does from the focus and from each of those buttons.
TEST_F(DialogKeysTest, EnterNeverTakesAnActionThatCannotBeTakenBack) {
  QTemporaryDir dir;
  TCalibrationStore store(dir.filePath(QStringLiteral("v.ini")));
  struct Row {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> open;
    const char* focus;                         // the widget the focus starts in
    std::vector<const char*> neverOnEnter;     // buttons Enter must not press
    std::function<void(QDialog&)> afterEnter;  // what Enter left behind
  };
  const Row rows[] = {
      {"printed before",
       [] { return std::make_unique<TConflictDialog>(std::vector<journal::TConflict>{PrintedBefore()}); },
       "CancelButton",
       {"ReprintButton"},
       [](QDialog& d) { EXPECT_EQ(d.result(), QDialog::Rejected) << "Enter cancels"; }},
      {"printer calibration",
       [&store] {
         auto d = std::make_unique<TCalibrationDialog>(store, QStringLiteral("Desk"));
         d->SetPrinterCheck([](const QString&) { return true; });
         d->SetPagePrinter([](const QString&) { ADD_FAILURE() << "Enter printed the calibration page"; });
         d->SetWarning([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
         // A printed 1 mm right of where it belongs.
         d->AFromLeft->setText(QStringLiteral("41"));
         d->AFromTop->setText(QStringLiteral("60"));
         d->AToB->setText(QStringLiteral("100"));
         d->AToC->setText(QStringLiteral("100"));
         return d;
       },
       "Printer",
       {"PrintPage", "Save", "Reset"},
       [&store](QDialog& d) {
         EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("OffsetX"))->text(), QStringLiteral("-1.00")) << "computed";
         EXPECT_TRUE(store.Load(QStringLiteral("Desk")).calibration.IsIdentity()) << "nothing saved";
       }},
      {"print journal",
       [this] { return std::make_unique<TJournalWindow>(menu->Journal()); },
       "SerialFilter",
       {},
       [](QDialog& d) { EXPECT_TRUE(d.isVisible()); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::unique_ptr<QDialog> dialog = r.open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    ASSERT_NE(dialog->focusWidget(), nullptr);
    EXPECT_EQ(dialog->focusWidget()->objectName(), QString::fromLatin1(r.focus));
    // From each of those buttons, having the focus, Enter still takes the safe choice.
    for (const char* name : r.neverOnEnter) {
      auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
      ASSERT_NE(b, nullptr) << name;
      EXPECT_FALSE(b->isDefault()) << name;
      EXPECT_FALSE(b->autoDefault()) << name;
    }
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    r.afterEnter(*dialog);
  }
}

TEST_F(DialogKeysTest, ReprintTakesAClickNotEnterFromItsFocus) {
  for (const bool click : {false, true}) {
    SCOPED_TRACE(click ? "clicked" : "Enter on the focused button");
    TConflictDialog dialog({PrintedBefore()});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.ReprintButton->setFocus();
    if (click)
      QTest::mouseClick(dialog.ReprintButton, Qt::LeftButton);
    else
      QTest::keyClick(dialog.ReprintButton, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), click ? QDialog::Accepted : QDialog::Rejected);
  }
}

// Tab follows the eye: maker, media, sequence, the check boxes, Colours, then
// Print, Help and Quit down the right.
TEST_F(DialogKeysTest, TabWalksTheMainWindowInVisualOrder) {
  const char* const order[] = {"STD_3of9",     "STK",          "Breece",      "OtherMaker",
                               "STK_IV",       "STK_III",      "STK_CLN",     "STK_DGN",
                               "SerialField",  "Serial_Color", "Text_Rotate", "Bar_Rotate",
                               "ColorsButton", "PrintButton",  "HelpButton",  "QuitButton"};
  QStringList walked;
  QWidget* w = menu->findChild<QWidget*>(QString::fromLatin1(order[0]));
  ASSERT_NE(w, nullptr);
  for (std::size_t i = 0; i < std::size(order) && w; ++i) {
    walked << w->objectName();
    do w = w->nextInFocusChain();
    while (w != menu.get() && !(w->focusPolicy() & Qt::TabFocus));
  }
  QStringList expected;
  for (const char* name : order) expected << QString::fromLatin1(name);
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(menu->focusWidget(), menu->PrintButton) << "the focus starts on Print";
}

}  // namespace
}  // namespace vantor::test
