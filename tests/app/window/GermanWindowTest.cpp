// The main window with the German translation loaded: the menus, the About
// dialog and the messages speak German, the form's own captions do not change.
#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

#include "MainWindowFixture.h"
#include "app/window/AboutBox.h"
#include "journal/widgets/JournalWindow.h"
#include "printing/RecordingJob.h"
#include "qt/Translations.h"

namespace vantor::test {
namespace {

// Every caption the form shows, with the control's name.
std::vector<std::string> Captions(const TMainWindow& w) {
  std::vector<std::string> out{"title=" + w.windowTitle().toStdString()};
  const auto name = [](const QObject* o) { return o->objectName().toStdString() + "="; };
  for (const auto* b : w.ClientArea->findChildren<QAbstractButton*>()) out.push_back(name(b) + b->text().toStdString());
  for (const auto* g : w.ClientArea->findChildren<QGroupBox*>()) out.push_back(name(g) + g->title().toStdString());
  for (const auto* l : w.ClientArea->findChildren<QLabel*>()) out.push_back(name(l) + l->text().toStdString());
  for (const auto* l : w.ClientArea->findChildren<TMyLabelRotate*>())
    out.push_back(name(l) + l->Caption().toStdString());
  return out;
}

class GermanWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    english = Captions(*menu);
    const QString folder = QString::fromLocal8Bit(qgetenv("VANTOR_BUILD_DIR")) + "/translations";
    ASSERT_EQ(german.Install({"de-DE"}, {folder}, QString()), QStringLiteral("de")) << folder.toStdString();
    MainWindowTest::SetUp();  // a window made with the translation in force
  }
  void TearDown() override { menu.reset(); }

  std::vector<std::string> english;
  TTranslation german;
};

TEST_F(GermanWindowTest, MenusAndAboutAreGermanWhileTheFormsCaptionsStayAsTheyAre) {
  ASSERT_GT(english.size(), 30u) << "the form's captions were found";
  EXPECT_EQ(Captions(*menu), english);

  QStringList titles;
  for (const QAction* a : menu->MenuBar->actions()) titles << a->text();
  EXPECT_EQ(titles, QStringList({"&Datei", "&Etiketten", "&Hilfe"}));
  EXPECT_EQ(menu->PrintAction->text(), QStringLiteral("&Drucken …"));
  EXPECT_EQ(menu->LtoLabelsAction->text(), QStringLiteral("&LTO-Ultrium-Etiketten …"));

  menu->AboutAction->trigger();
  ASSERT_NE(menu->AboutBox(), nullptr);
  EXPECT_EQ(menu->AboutBox()->windowTitle(), QStringLiteral("Über Vantor"));
  EXPECT_TRUE(menu->AboutBox()->Licence()->text().startsWith(QStringLiteral("Lizenz: ")));
  EXPECT_TRUE(menu->AboutBox()->Libraries()->text().contains(QStringLiteral("Liberation-Schriften")));
  menu->AboutBox()->reject();
}

TEST_F(GermanWindowTest, MessagesAreGerman) {
  menu->SerialField->setText(QStringLiteral("12"));
  EXPECT_EQ(menu->StatusBar->currentMessage(), QStringLiteral("Die Seriennummer braucht sechs Zeichen, nicht 2"));
  menu->PrintAction->trigger();
  ASSERT_EQ(reported.warnings.size(), 1u);
  EXPECT_EQ(reported.warnings[0], QStringLiteral("Fehler in der Folgenummer"));
}

// The journal model's words in the journal window's cells, through the same catalogue.
TEST_F(GermanWindowTest, JournalCellsAreGerman) {
  menu->SetJobFactory([]() -> std::unique_ptr<TPrintJob> {
    auto job = std::make_unique<TRecordingJob>();
    job->SetDestination({TOutputKind::Printer, "Desk-1"});
    return job;
  });
  menu->SerialField->setText(QStringLiteral("ABC099"));
  Click(menu->PrintButton);
  menu->JournalAction->trigger();
  TJournalWindow* window = menu->JournalWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->Jobs->rowCount(), 1);
  EXPECT_EQ(window->Jobs->item(0, 5)->text(), QStringLiteral("ABC099 bis ABC128"));
  EXPECT_EQ(window->Jobs->item(0, 6)->text(), QStringLiteral("Drucker Desk-1"));
}

}  // namespace
}  // namespace vantor::test
