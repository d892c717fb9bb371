// The main window under the print journal: serials printed before stop the
// job and ask (Cancel prints nothing and leaves the serial, Reprint prints
// and records a reprint), a journal that cannot be used refuses the job, the
// preview never touches the journal, and the journal window lists jobs and
// reprints one label onto a chosen start label.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/window/LtoLabels.h"
#include "journal/qt/Journal.h"
#include "journal/widgets/ConflictDialog.h"
#include "journal/widgets/JournalWindow.h"
#include "lto/widgets/LtoWindow.h"
#include "printing/qt/CalibrationStore.h"
#include "support/FakeOutput.h"

namespace vantor::test {
namespace {

using journal::TJobRecord;
using journal::TPieceState;
using journal::TSerialRange;

// Where the journal sees the test's jobs go.
const TJobDestination kDesk{TOutputKind::Printer, "Desk-1"};

std::shared_ptr<TFakePrintJob> DeskJob() {
  auto job = std::make_shared<TFakePrintJob>();
  job->destination = kDesk;
  return job;
}

class MainWindowJournalTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    last = DeskJob();
    menu->SetJobFactory([this]() -> std::unique_ptr<TPrintJob> {
      // The window owns its job; the pages go to `last` for the test.
      last = DeskJob();
      return TFakePrintJob::Handle(last);
    });
  }
  std::vector<TJobRecord> Jobs() {
    journal::TJournalLocation where;
    where.path = JournalPath();
    return journal::TJournal::Open(where)->List({});
  }
  void PrintFrom(const char* serial) {
    menu->SerialField->setText(QString::fromLatin1(serial));
    Click(menu->PrintButton);
  }
  std::shared_ptr<TFakePrintJob> last;
};

TEST_F(MainWindowJournalTest, PrintedBeforeAsksCancelPrintsNothingReprintRecords) {
  PrintFrom("ABC100");
  ASSERT_EQ(last->pages.size(), 1u);
  EXPECT_EQ(Field(), "ABC130");
  EXPECT_TRUE(reported.conflicts.empty());

  // ABC110 to ABC139: twenty of them printed a moment ago.
  PrintFrom("ABC110");
  ASSERT_EQ(reported.conflicts.size(), 1u);
  ASSERT_EQ(reported.conflicts[0].size(), 1u);
  EXPECT_EQ(journal::DescribeConflict(reported.conflicts[0][0]).substr(0, 33), "ABC110 to ABC129 were printed on ");
  EXPECT_NE(journal::DescribeConflict(reported.conflicts[0][0]).find("to printer Desk-1"), std::string::npos);
  EXPECT_TRUE(last->pages.empty()) << "Cancel prints nothing";
  EXPECT_EQ(Field(), "ABC110") << "and leaves the serial";
  EXPECT_EQ(Jobs().size(), 1u);

  reprintAnswer = true;
  PrintFrom("ABC110");
  EXPECT_EQ(reported.conflicts.size(), 2u);
  ASSERT_EQ(last->pages.size(), 1u);
  EXPECT_EQ(Field(), "ABC140");
  const std::vector<TJobRecord> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_TRUE(jobs[0].reprint);
  EXPECT_EQ(jobs[0].outcome, journal::TJobOutcome::Printed);
  EXPECT_EQ(jobs[0].output, journal::TOutputKind::Printer);
  EXPECT_EQ(jobs[0].target, "Desk-1");
  EXPECT_EQ(jobs[0].RangesIn(TPieceState::Sent), (std::vector<TSerialRange>{{"ABC", 3, 110, 139}}));
  EXPECT_TRUE(reported.errors.empty());
}

// The LTO window prints through the main window's journal: the same volsers
// again are stopped before anything is drawn and the fields stay.
TEST_F(MainWindowJournalTest, LtoWindowRunsGoThroughTheSameJournal) {
  QTemporaryDir settings;
  ASSERT_TRUE(settings.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  AttachLtoWindow(*menu);
  menu->LtoLabelsAction->trigger();
  auto* lto = qobject_cast<TLtoWindow*>(ShownLtoWindow(*menu));
  ASSERT_NE(lto, nullptr);
  auto job = DeskJob();
  lto->SetPrinterOutput([&](const TLtoRun&) { return std::make_unique<TFakeOutput>(*job); });
  lto->FirstVolser->setText(QStringLiteral("TAP100"));
  lto->ByCount->setChecked(true);
  lto->Count->setValue(5);
  ASSERT_TRUE(lto->Run()) << lto->Problem().toStdString();
  lto->Print();
  ASSERT_EQ(job->pages.size(), 1u);
  EXPECT_EQ(lto->FirstVolser->text(), QStringLiteral("TAP105"));
  std::vector<TJobRecord> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].family, journal::TTapeFamily::Lto);
  EXPECT_EQ(jobs[0].outcome, journal::TJobOutcome::Printed);
  EXPECT_EQ(jobs[0].RangesIn(TPieceState::Sent), (std::vector<TSerialRange>{{"TAP", 3, 100, 104}}));

  // TAP102 to TAP106 meets TAP102 to TAP104: asked, cancelled, nothing drawn.
  job = DeskJob();
  lto->FirstVolser->setText(QStringLiteral("TAP102"));
  lto->Print();
  ASSERT_EQ(reported.conflicts.size(), 1u);
  EXPECT_EQ(journal::DescribeConflict(reported.conflicts[0][0]).substr(0, 33), "TAP102 to TAP104 were printed on ");
  EXPECT_TRUE(job->pages.empty());
  EXPECT_EQ(lto->FirstVolser->text(), QStringLiteral("TAP102"));
  EXPECT_EQ(Jobs().size(), 1u);
  lto->close();
}

// A reprint goes on the sheet of the job's family: a DLT job's own, an LTO
// job's the operator's choice, kept while a DLT job is selected. The columns
// fill the table's width.
TEST_F(MainWindowJournalTest, JournalWindowOffersEachJobsOwnSheetAndFillsItsWidth) {
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  AttachLtoWindow(*menu);
  menu->LtoLabelsAction->trigger();
  auto* lto = qobject_cast<TLtoWindow*>(ShownLtoWindow(*menu));
  ASSERT_NE(lto, nullptr);
  lto->SetPrinterOutput([job = DeskJob()](const TLtoRun&) { return std::make_unique<TFakeOutput>(*job); });
  lto->FirstVolser->setText(QStringLiteral("TAP100"));
  lto->Print();
  lto->close();
  PrintFrom("ABC099");

  menu->JournalAction->trigger();
  TJournalWindow* window = menu->JournalWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->Listed().size(), 2u);
  ASSERT_EQ(window->Listed()[0].family, journal::TTapeFamily::Dlt);
  window->SelectJob(1);
  window->Template->setCurrentText(QStringLiteral("lto-a4-3x17"));
  struct Row {
    int job;
    const char* sheet;
    bool choosable;
    int lastStartLabel;
  };
  const Row rows[] = {{0, "dlt-a4-3x10", false, 30}, {1, "lto-a4-3x17", true, 51}, {0, "dlt-a4-3x10", false, 30}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.job);
    window->SelectJob(r.job);
    EXPECT_EQ(window->Template->currentText(), QString::fromLatin1(r.sheet));
    EXPECT_EQ(window->Template->isEnabled(), r.choosable);
    EXPECT_EQ(window->StartLabel->maximum(), r.lastStartLabel);
  }

  window->resize(1200, 500);
  QCoreApplication::processEvents();
  int columns = 0;
  for (int c = 0; c < window->Jobs->columnCount(); ++c) columns += window->Jobs->columnWidth(c);
  EXPECT_EQ(columns, window->Jobs->viewport()->width());
}

TEST_F(MainWindowJournalTest, UnusableJournalRefusesAndPreviewNeverTouchesIt) {
  std::filesystem::remove(JournalPath());
  TFakePrintJob preview;
  menu->DrawJob(preview, true);
  EXPECT_EQ(preview.pages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(JournalPath())) << "the preview opened the journal";

  {
    std::ofstream out(JournalPath(), std::ios::binary);
    out << std::string(4096, 'x');
  }
  PrintFrom("DEF100");
  ASSERT_EQ(reported.errors.size(), 1u);
  EXPECT_TRUE(
      reported.errors[0].startsWith(QStringLiteral("The print journal cannot be used, so nothing was printed.")))
      << reported.errors[0].toStdString();
  EXPECT_TRUE(reported.errors[0].contains(QStringLiteral("damaged or is not a journal")));
  EXPECT_TRUE(last->pages.empty());
  EXPECT_EQ(Field(), "DEF100");
}

// The journal window lists the sheet printed from ABC099 and reprints ABC105
// alone at label 7, where it stood on that sheet: the reprinted page is that
// sheet's label 7 and nothing else (besides the sheet's closing lines).
TEST_F(MainWindowJournalTest, JournalWindowReprintsOneLabelAtItsStartLabel) {
  PrintFrom("ABC099");
  ASSERT_EQ(last->pages.size(), 1u);
  const std::vector<std::string> sheet = last->TraceLines(0);

  menu->JournalAction->trigger();
  TJournalWindow* window = menu->JournalWindow();
  ASSERT_NE(window, nullptr);
  std::vector<QString> told;
  window->SetTell([&](const QString& t) { told.push_back(t); });
  ASSERT_EQ(window->Listed().size(), 1u);
  ASSERT_EQ(window->Jobs->rowCount(), 1);
  EXPECT_EQ(window->Jobs->item(0, 5)->text(), QStringLiteral("ABC099 to ABC128"));
  EXPECT_EQ(window->Jobs->item(0, 6)->text(), QStringLiteral("printer Desk-1"));

  // Keep the job the window prints on, to read its page afterwards.
  TFakePrintJob* kept = nullptr;
  std::shared_ptr<TFakePrintJob> owner;
  window->SetJobFactory([&](journal::TTapeFamily, const TPageSize&) -> std::unique_ptr<TPrintJob> {
    owner = DeskJob();
    kept = owner.get();
    return TFakePrintJob::Handle(owner);
  });
  window->SelectJob(0);
  EXPECT_EQ(window->FirstSerial->text(), QStringLiteral("ABC099"));
  EXPECT_EQ(window->Count->value(), 30);
  window->FirstSerial->setText(QStringLiteral("abc105"));
  window->Count->setValue(1);
  window->StartLabel->setValue(7);
  ASSERT_TRUE(window->Reprint()) << (told.empty() ? std::string() : told[0].toStdString());
  ASSERT_NE(kept, nullptr);
  ASSERT_EQ(kept->pages.size(), 1u);
  const std::vector<std::string> page = kept->TraceLines(0);

  // Every line of the reprint is a line of the sheet: same place, same look.
  std::vector<std::string> rest = sheet;
  for (const std::string& line : page) {
    const auto it = std::find(rest.begin(), rest.end(), line);
    ASSERT_NE(it, rest.end()) << "not on the original sheet: " << line;
    rest.erase(it);
  }
  // One label's bars of the sheet's thirty, and the characters of ABC105.
  const auto count = [](const std::vector<std::string>& lines, const std::string& start) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_EQ(count(page, "fill ") * 30, count(sheet, "fill "));
  std::string characters;
  for (const std::string& line : page)
    if (line.rfind("text ", 0) == 0 && line.find("\"Arial\"") != std::string::npos) {
      const std::size_t q = line.find('"');
      if (line[q + 2] == '"') characters += line[q + 1];
    }
  EXPECT_EQ(characters, "ABC105");

  const std::vector<TJobRecord> jobs = Jobs();
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_TRUE(jobs[0].reprint);
  EXPECT_EQ(jobs[0].RangesIn(TPieceState::Sent), (std::vector<TSerialRange>{{"ABC", 3, 105, 105}}));
  EXPECT_EQ(window->Listed().size(), 2u) << "the list shows the reprint";

  // Serials the job did not print are not reprinted from it.
  window->SelectJob(1);
  window->FirstSerial->setText(QStringLiteral("ABC129"));
  window->Count->setValue(1);
  kept = nullptr;
  EXPECT_FALSE(window->Reprint());
  EXPECT_EQ(kept, nullptr);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_TRUE(told[0].contains(QStringLiteral("were not printed by this job")));
}

TEST(ConflictDialog, CancelIsTheDefaultAndRunningJobsOfferNoReprint) {
  journal::TConflict printed;
  printed.serials = {"ABC", 3, 110, 115};
  printed.state = TPieceState::Sent;
  printed.job.outcome = journal::TJobOutcome::Printed;
  printed.job.user = "ops";
  printed.job.host = "tapehost";
  printed.job.output = journal::TOutputKind::Printer;
  printed.job.target = "Office-1";
  journal::TConflict running = printed;
  running.state = TPieceState::Reserved;
  running.job.outcome = journal::TJobOutcome::Printing;

  struct Row {
    const char* name;
    std::vector<journal::TConflict> conflicts;
    const char* click;  // the button pressed
    bool reprint;
  };
  const Row rows[] = {
      {"cancel", {printed}, "CancelButton", false},
      {"reprint", {printed}, "ReprintButton", true},
      {"held by a running job", {printed, running}, "CancelButton", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TConflictDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->Text->text().contains(QStringLiteral("ABC110 to ABC115 were printed on ")));
      EXPECT_EQ(dialog->ReprintButton != nullptr, r.conflicts.size() == 1);
      EXPECT_TRUE(dialog->CancelButton->isDefault());
      if (auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(r.click)))
        b->click();
      else
        dialog->reject();
    });
    EXPECT_EQ(TConflictDialog::AskReprint(r.conflicts, nullptr), r.reprint);
  }
}

// The journal window's location section: Enter in the serial filter filters
// and keeps nothing; Use keeps the location in the program's settings file,
// says so and shows it in use; a location without a journal is made only
// when the operator says yes.
TEST_F(MainWindowJournalTest, JournalWindowLocationIsKeptOnlyByUse) {
  QTemporaryDir settings;
  ASSERT_TRUE(settings.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  PrintFrom("ABC099");
  menu->JournalAction->trigger();
  TJournalWindow* window = menu->JournalWindow();
  ASSERT_NE(window, nullptr);
  std::vector<QString> asked;
  bool answer = false;
  window->SetAsk([&](const QString& q) {
    asked.push_back(q);
    return answer;
  });
  const QString elsewhere = QString::fromStdString(JournalPath()) + QStringLiteral(".team");
  const auto kept = [] { return OpenProgramSettings()->value(QStringLiteral("journal/location")).toString(); };
  window->LocationEdit->setText(elsewhere);
  window->SerialFilter->setText(QStringLiteral("ABC100"));
  QTest::keyClick(window->SerialFilter, Qt::Key_Return);
  EXPECT_EQ(kept(), QString());
  EXPECT_EQ(window->Listed().size(), 1u);
  EXPECT_TRUE(asked.empty());

  struct TRow {
    const char* name;
    bool yes;
    bool made;
  };
  for (const TRow& row : {TRow{"no", false, false}, TRow{"yes", true, true}}) {
    SCOPED_TRACE(row.name);
    asked.clear();
    answer = row.yes;
    window->SaveLocationButton->click();
    EXPECT_EQ(kept(), elsewhere);
    EXPECT_TRUE(window->InUseLabel->text().contains(elsewhere)) << window->InUseLabel->text().toStdString();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].startsWith(QStringLiteral("There is no print journal at ")));
    EXPECT_EQ(std::filesystem::exists(elsewhere.toStdString()), row.made);
    EXPECT_TRUE(window->Listed().empty());
  }
}

}  // namespace
}  // namespace vantor::test
