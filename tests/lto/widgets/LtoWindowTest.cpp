// The LTO window: what typing does to the run, the outputs and the previews,
// what a print leaves in the fields, and what the window keeps between runs.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "lto/LtoCommand.h"
#include "lto/Volser.h"
#include "lto/widgets/LtoWindow.h"
#include "printing/qt/CalibrationStore.h"
#include "printing/qt/QtPrintJob.h"
#include "support/FakeOutput.h"
#include "support/FakePrintJob.h"
#include "surface/RecordingSurface.h"

namespace vantor {
namespace {

using test::TFakeOutput;
using test::TFakePrintJob;

// Each test keeps its settings in a folder of its own, under the program's name.
class LtoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QCoreApplication::setApplicationName(QStringLiteral("Vantor"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("config")));
  }
  std::unique_ptr<TLtoWindow> Open(TTemplateCatalogue templates = LoadTemplateCatalogue(std::filesystem::path())) {
    auto w = std::make_unique<TLtoWindow>(std::move(templates));
    w->SetErrorReporter([this](const QString& text) { errors.push_back(text); });
    return w;
  }
  static void Type(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
  }
  static void Choose(QComboBox* box, const QString& data) {
    const int at = box->findData(data);
    ASSERT_GE(at, 0) << data.toStdString();
    box->setCurrentIndex(at);
  }
  QString SettingsFile() const { return dir_.filePath(QStringLiteral("config/Vantor/Vantor.conf")); }

  QTemporaryDir dir_;
  std::vector<QString> errors;
};

const TSheetTemplate& BuiltIn(const std::string& name) {
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == name) return t;
  throw std::runtime_error("no template " + name);
}

bool OutputsEnabled(const TLtoWindow& w) {
  return w.PrintButton->isEnabled() && w.PreviewButton->isEnabled() && w.ExportButton->isEnabled();
}
bool OutputsDisabled(const TLtoWindow& w) {
  return !w.PrintButton->isEnabled() && !w.PreviewButton->isEnabled() && !w.ExportButton->isEnabled();
}

TEST_F(LtoWindowTest, FaultsSayWhyBesideTheirFieldAndDisableTheOutputs) {
  // A user template whose labels are too narrow for the barcode, and one the catalogue refuses.
  const QString folder = dir_.filePath(QStringLiteral("templates"));
  QDir().mkpath(folder);
  std::ofstream((folder + "/narrow.json").toStdString())
      << R"({"page": {"width_mm": 100, "height_mm": 50}, "label": {"width_mm": 40, "height_mm": 17},
             "rows": 1, "columns": 1, "margins": {"left_mm": 0, "top_mm": 0},
             "pitch": {"across_mm": 100, "down_mm": 50}, "fill_order": "rows"})";
  std::ofstream((folder + "/broken.json").toStdString()) << R"({"page": {"width_mm": 100}})";

  struct Row {
    const char* name;
    std::function<void(TLtoWindow&)> act;
    QLabel* TLtoWindow::*where;
    std::string says;  // a part of what the window shows
  };
  const Row rows[] = {
      {"short volser", [](TLtoWindow& w) { Type(w.FirstVolser, "ABC10"); }, &TLtoWindow::VolserProblem,
       "has 5 characters; it needs six"},
      {"volser with a dash", [](TLtoWindow& w) { Type(w.FirstVolser, "AB-100"); }, &TLtoWindow::VolserProblem,
       "holds \"-\" at position 3"},
      {"carry", [](TLtoWindow& w) { Type(w.FirstVolser, "ABC990"); }, &TLtoWindow::RunProblem,
       VolserRunByCount("ABC990", 30).refusal},
      {"last before first",
       [](TLtoWindow& w) {
         w.ByLast->setChecked(true);
         Type(w.LastVolser, "ABC099");
       },
       &TLtoWindow::RunProblem, "comes before the first"},
      {"custom media ID of one character",
       [](TLtoWindow& w) {
         w.MediaId->setCurrentIndex(w.MediaId->count() - 1);
         Type(w.CustomMediaId, "Q");
       },
       &TLtoWindow::MediaProblem, "has 1 characters; it needs two"},
      {"template too small", [](TLtoWindow& w) { Choose(w.Template, "narrow"); }, &TLtoWindow::TemplateProblem,
       "At 300 dpi a label of 40 x 17 mm cannot hold the LTO barcode"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto w = Open(LoadTemplateCatalogue(folder.toStdString()));
    ASSERT_TRUE(OutputsEnabled(*w)) << w->Problem().toStdString();
    ASSERT_TRUE(w->SheetPreview->Showing());
    r.act(*w);
    EXPECT_TRUE(OutputsDisabled(*w));
    EXPECT_FALSE(w->Run());
    const QString shown = (w.get()->*r.where)->text();
    EXPECT_TRUE(shown.contains(QString::fromStdString(r.says))) << shown.toStdString();
    EXPECT_EQ(w->Problem(), shown);
    EXPECT_FALSE(w->LabelPreview->Showing());
    EXPECT_FALSE(w->SheetPreview->Showing());
    // Nothing else claims a fault.
    int said = 0;
    for (QLabel* l : {w->VolserProblem, w->RunProblem, w->MediaProblem, w->TemplateProblem})
      said += !l->text().isEmpty();
    EXPECT_EQ(said, 1);
  }

  // Typing takes letters in upper case, and a good volser clears the fault.
  const auto w = Open(LoadTemplateCatalogue(folder.toStdString()));
  EXPECT_EQ(w->Template->currentData().toString(), QStringLiteral("narrow")) << "the last row's choice is kept";
  Choose(w->Template, "lto-a4-2x15");
  Type(w->FirstVolser, "ab1");
  EXPECT_TRUE(OutputsDisabled(*w));
  QTest::keyClicks(w->FirstVolser, "000");
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("AB1000"));
  EXPECT_TRUE(OutputsEnabled(*w));
  EXPECT_TRUE(w->VolserProblem->text().isEmpty());
  // The refused file is named where the templates are chosen, with why.
  EXPECT_TRUE(w->TemplatesRefused->isVisibleTo(w.get()));
  EXPECT_TRUE(w->TemplatesRefused->text().contains(QStringLiteral("broken")));
  EXPECT_TRUE(w->TemplatesRefused->toolTip().contains(QStringLiteral("\"page.height_mm\" is missing")))
      << w->TemplatesRefused->toolTip().toStdString();
  EXPECT_LT(w->Template->findData(QStringLiteral("broken")), 0);
}

// The previews draw what printing the fields would draw: the same painter on
// the same run, built here from the same choices.
TEST_F(LtoWindowTest, PreviewsDrawTheRunTheFieldsDescribe) {
  const auto w = Open();
  Choose(w->Template, "lto-a4-3x17");
  EXPECT_EQ(w->Count->value(), 51) << "a count of one sheet follows the template";
  Type(w->FirstVolser, "xyz500");
  w->MediaId->setCurrentIndex(w->MediaId->findData(QStringLiteral("LY"), Qt::UserRole));
  Choose(w->Palette, "tab-ocr");
  w->StartLabel->setValue(4);
  ASSERT_TRUE(w->Run()) << w->Problem().toStdString();

  const TSheetTemplate& sheet = BuiltIn("lto-a4-3x17");
  const TVolserRunResult volsers = VolserRunByCount("XYZ500", 51);
  ASSERT_TRUE(volsers.run);
  const TLtoRun expected{sheet, "LY", *volsers.run, *FindLtoPalette("tab-ocr"), 4};
  const TLtoBarPlan plan = PlanLtoBars(kLtoLabelLayout, kLtoPreviewDpi, kLtoPreviewDpi, sheet.labels);
  ASSERT_TRUE(plan.bars);

  TRecordingSurface shownSheet(kLtoPreviewDpi, kLtoPreviewDpi), printedSheet(kLtoPreviewDpi, kLtoPreviewDpi);
  w->DrawSheetPreview(shownSheet);
  DrawLtoPage(expected, 0, *plan.bars, printedSheet);
  EXPECT_GT(shownSheet.Ops().size(), 48u * 50u);
  EXPECT_TRUE(shownSheet.Ops() == printedSheet.Ops());

  TRecordingSurface shownLabel(kLtoPreviewDpi, kLtoPreviewDpi), printedLabel(kLtoPreviewDpi, kLtoPreviewDpi);
  w->DrawLabelPreview(shownLabel);
  TLtoLabelPainter(printedLabel, kLtoLabelLayout, *FindLtoPalette("tab-ocr"), *plan.bars)
      .Draw({{}, {}, Mm(70), Mm(16.9)}, "XYZ500", "LY");
  std::string texts;
  for (const TRecordedOp& op : shownLabel.Ops())
    if (op.Kind == TOpKind::TextOut) texts += op.Text;
  EXPECT_EQ(texts, "XYZ500LY");
  EXPECT_TRUE(shownLabel.Ops() == printedLabel.Ops());

  // Typing moves the preview at once.
  QTest::keyClick(w->FirstVolser, Qt::Key_Backspace);
  QTest::keyClicks(w->FirstVolser, "7");
  TRecordingSurface again(kLtoPreviewDpi, kLtoPreviewDpi);
  w->DrawLabelPreview(again);
  texts.clear();
  for (const TRecordedOp& op : again.Ops())
    if (op.Kind == TOpKind::TextOut) texts += op.Text;
  EXPECT_EQ(texts, "XYZ507LY");
}

std::string TextsOn(const std::vector<TRecordedOp>& ops) {
  std::string s;
  for (const TRecordedOp& op : ops)
    if (op.Kind == TOpKind::TextOut) s += op.Text;
  return s;
}

TEST_F(LtoWindowTest, APrintMovesTheFirstVolserOnPastTheLastPrinted) {
  const auto w = Open();
  TFakePrintJob job;
  w->SetPrinterOutput([&](const TLtoRun&) { return std::make_unique<TFakeOutput>(job); });
  Type(w->FirstVolser, "ABC100");
  w->StartLabel->setValue(13);
  w->PrintButton->click();
  ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
  ASSERT_EQ(job.pages.size(), 2u) << "18 labels on the first sheet, 12 on the second";
  EXPECT_EQ(TextsOn(job.pages[0]).substr(0, 16), "ABC100L8ABC101L8");
  EXPECT_EQ(TextsOn(job.pages[1]).substr(TextsOn(job.pages[1]).size() - 8), "ABC129L8");
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC130"));
  EXPECT_EQ(w->StartLabel->value(), 1) << "the partly used sheet is used up";
  EXPECT_TRUE(w->Status->text().contains(QStringLiteral("ABC130"))) << w->Status->text().toStdString();

  // By last volser: a run of the same length follows.
  w->ByLast->setChecked(true);
  Type(w->LastVolser, "ABC139");
  TFakePrintJob second;
  w->SetPrinterOutput([&](const TLtoRun&) { return std::make_unique<TFakeOutput>(second); });
  w->PrintButton->click();
  ASSERT_EQ(second.pages.size(), 1u);
  EXPECT_EQ(TextsOn(second.pages[0]).size(), 10u * 8u);
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC140"));
  EXPECT_EQ(w->LastVolser->text(), QStringLiteral("ABC149"));
  EXPECT_TRUE(OutputsEnabled(*w));

  // Cancelled, or failed part-way: nothing moves, the failure is told.
  TFakePrintJob cancelled;
  cancelled.confirm = false;
  w->SetPrinterOutput([&](const TLtoRun&) { return std::make_unique<TFakeOutput>(cancelled); });
  w->PrintButton->click();
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC140"));
  w->ByCount->setChecked(true);
  w->Count->setValue(45);
  TFakePrintJob failing;
  failing.failOnPage = 1;
  failing.failure = "the printer is out of labels";
  w->SetPrinterOutput([&](const TLtoRun&) { return std::make_unique<TFakeOutput>(failing); });
  w->PrintButton->click();
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC140"));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], QStringLiteral("the printer is out of labels"));

  // The end of the digits: the field stays and the operator is told why.
  Type(w->FirstVolser, "ABC995");
  w->Count->setValue(5);
  TFakePrintJob last;
  w->SetPrinterOutput([&](const TLtoRun&) { return std::make_unique<TFakeOutput>(last); });
  w->PrintButton->click();
  ASSERT_EQ(last.pages.size(), 1u);
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC995"));
  EXPECT_TRUE(w->Status->text().contains(QStringLiteral("No volser follows ABC999")))
      << w->Status->text().toStdString();
}

TEST_F(LtoWindowTest, ExportPdfWritesTheTemplatesPagesAndMovesOn) {
  const auto w = Open();
  Choose(w->Template, "lto-roll-79x17");
  EXPECT_EQ(w->Count->value(), 1);
  w->Count->setValue(3);
  const QString pdf = dir_.filePath(QStringLiteral("roll.pdf"));
  w->SetPdfPathChooser([&] { return pdf; });
  w->ExportButton->click();
  ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("%PDF"));
  if (std::system("command -v pdfinfo >/dev/null 2>&1") == 0) {
    const QString info = dir_.filePath(QStringLiteral("info.txt"));
    ASSERT_EQ(std::system(("pdfinfo '" + pdf + "' > '" + info + "'").toLocal8Bit().constData()), 0);
    QFile infoFile(info);
    ASSERT_TRUE(infoFile.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(infoFile.readAll());
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\n")))) << "one page a label";
    // 79 x 17 mm in points: 223.9 x 48.2.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Page size:\\s+22[34](\\.\\d+)? x 48(\\.\\d+)? pts"))))
        << text.toStdString();
  }
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC103"));

  // A file that cannot be written: told, and the field stays.
  w->SetPdfPathChooser([&] { return dir_.filePath(QStringLiteral("no/such/folder/x.pdf")); });
  w->ExportButton->click();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Cannot write"))) << errors[0].toStdString();
  EXPECT_EQ(w->FirstVolser->text(), QStringLiteral("ABC103"));
}

TEST_F(LtoWindowTest, MediaIdTemplateAndPaletteAreRememberedAcrossWindows) {
  {
    const auto w = Open();
    EXPECT_EQ(w->MediaId->currentData(Qt::UserRole).toString(), QStringLiteral("L8")) << "the defaults";
    EXPECT_EQ(w->Template->currentData().toString(), QStringLiteral("lto-a4-2x15"));
    EXPECT_EQ(w->Palette->currentData().toString(), QStringLiteral("lto"));
    EXPECT_TRUE(w->Status->text().isEmpty()) << "nothing kept yet is no fault";
    w->MediaId->setCurrentIndex(w->MediaId->findData(QStringLiteral("CU"), Qt::UserRole));
    Choose(w->Template, "lto-letter-2x15");
    Choose(w->Palette, "none");
  }
  EXPECT_TRUE(QFileInfo::exists(SettingsFile()));
  {
    const auto w = Open();
    EXPECT_EQ(w->MediaId->currentData(Qt::UserRole).toString(), QStringLiteral("CU"));
    EXPECT_EQ(w->Template->currentData().toString(), QStringLiteral("lto-letter-2x15"));
    EXPECT_EQ(w->Palette->currentData().toString(), QStringLiteral("none"));
    ASSERT_TRUE(w->Run());
    EXPECT_EQ(w->Run()->mediaId, "CU");
    // A custom ID is kept as typed.
    w->MediaId->setCurrentIndex(w->MediaId->count() - 1);
    Type(w->CustomMediaId, "q7");
  }
  {
    const auto w = Open();
    EXPECT_EQ(w->MediaId->currentIndex(), w->MediaId->count() - 1);
    EXPECT_EQ(w->CustomMediaId->text(), QStringLiteral("Q7"));
    ASSERT_TRUE(w->Run());
    EXPECT_EQ(w->Run()->mediaId, "Q7");
  }

  // Garbage is ignored with a warning for each value, and the defaults are used.
  {
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray("[LtoWindow]\nmediaId=L8X\ntemplate=nope\npalette=neon\n") +
               QByteArray("\x00\xff garbage\n", 11));
  }
  const auto w = Open();
  EXPECT_EQ(w->MediaId->currentData(Qt::UserRole).toString(), QStringLiteral("L8"));
  EXPECT_EQ(w->Template->currentData().toString(), QStringLiteral("lto-a4-2x15"));
  EXPECT_EQ(w->Palette->currentData().toString(), QStringLiteral("lto"));
  const QString status = w->Status->text();
  EXPECT_TRUE(status.contains(QStringLiteral("\"L8X\", is not one; L8 is used"))) << status.toStdString();
  EXPECT_TRUE(status.contains(QStringLiteral("is not on offer; lto-a4-2x15 is used"))) << status.toStdString();
  EXPECT_TRUE(status.contains(QStringLiteral("\"neon\", is not one; lto is used"))) << status.toStdString();
  EXPECT_TRUE(OutputsEnabled(*w));
}

// The print dialog's Labels tab as the LTO window asks for it: no sheets, no
// outlines, the start label over the template's labels.
TEST(LtoLabelsTab, OffersOnlyTheStartLabelOverTheTemplatesLabels) {
  TSheetOptions options;
  options.startLabel = 7;
  TLabelsTab tab(options, {.sheets = false, .labelsPerPage = 51, .outlines = false});
  tab.show();
  EXPECT_EQ(tab.Sheets, nullptr);
  EXPECT_FALSE(tab.Outlines->isVisible());
  EXPECT_EQ(tab.StartLabel->maximum(), 51);
  EXPECT_EQ(tab.StartLabel->value(), 7);
  tab.StartLabel->setValue(51);
  EXPECT_EQ(tab.Options(options).startLabel, 51);
  EXPECT_FALSE(tab.Options(options).outlines);

  TLabelsTab tapeLabels(options, {.sheets = true, .maxSheets = 1000, .labelsPerPage = 30});
  tapeLabels.show();
  EXPECT_TRUE(tapeLabels.Outlines->isVisible()) << "the tape-label sheets keep theirs";
  EXPECT_NE(tapeLabels.Sheets, nullptr);
}

// Without an organisation name Qt reports every settings read and write as
// failed though it does them; the program's settings must work with only the
// application's name set, as main() sets it.
TEST_F(LtoWindowTest, ProgramSettingsWorkWithOnlyTheApplicationsName) {
  ASSERT_TRUE(QCoreApplication::organizationName().isEmpty());
  const std::unique_ptr<QSettings> settings = OpenProgramSettings();
  settings->setValue(QStringLiteral("probe"), 1);
  settings->sync();
  EXPECT_EQ(settings->status(), QSettings::NoError);
  EXPECT_EQ(settings->fileName(), SettingsFile());

  TCalibrationStore store;
  const TCalibration c{1.5, -2, 1.01, 0.99};
  EXPECT_EQ(store.Save(QStringLiteral("Office/1"), c), QString());
  const TStoredCalibration loaded = TCalibrationStore().Load(QStringLiteral("Office/1"));
  EXPECT_EQ(loaded.warning, QString());
  EXPECT_EQ(loaded.calibration, c);
}

// Choosing Custom or Last volser leaves the new field empty: that is not yet a
// fault to point at, until something is typed in it or it is left. The run is
// refused all the same.
TEST_F(LtoWindowTest, AFieldJustChosenSaysNothingUntilTypedInOrLeft) {
  struct Row {
    const char* name;
    std::function<QLineEdit*(TLtoWindow&)> choose;  // the field it brings up
    QLabel* TLtoWindow::*where;
    bool leave;  // left empty, else a character typed
  };
  const auto custom = [](TLtoWindow& w) {
    w.MediaId->setCurrentIndex(w.MediaId->count() - 1);
    return w.CustomMediaId;
  };
  const auto last = [](TLtoWindow& w) {
    w.ByLast->setChecked(true);
    return w.LastVolser;
  };
  const Row rows[] = {
      {"custom media ID, left", custom, &TLtoWindow::MediaProblem, true},
      {"custom media ID, typed", custom, &TLtoWindow::MediaProblem, false},
      {"last volser, left", last, &TLtoWindow::RunProblem, true},
      {"last volser, typed", last, &TLtoWindow::RunProblem, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const auto w = Open();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QLineEdit* field = r.choose(*w);
    EXPECT_TRUE(OutputsDisabled(*w));
    EXPECT_FALSE(w->Problem().isEmpty());
    EXPECT_EQ((w.get()->*r.where)->text(), QString()) << "quiet before anything was typed";
    field->setFocus();
    if (r.leave)
      w->FirstVolser->setFocus(Qt::TabFocusReason);
    else
      QTest::keyClicks(field, "Q");
    EXPECT_EQ((w.get()->*r.where)->text(), w->Problem());
    EXPECT_FALSE(w->Problem().isEmpty());
  }
}

// A fault's message wraps inside the area beside the fields; the fields stay put.
TEST_F(LtoWindowTest, AFaultMovesNoField) {
  const auto w = Open();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  const auto places = [&w] {
    std::vector<QRect> out;
    for (QWidget* f : std::initializer_list<QWidget*>{w->MediaId, w->FirstVolser, w->Count, w->Template, w->StartLabel,
                                                      w->PrintButton})
      out.push_back(QRect(f->mapTo(w.get(), QPoint()), f->size()));
    return out;
  };
  const std::vector<QRect> before = places();
  Type(w->FirstVolser, "ABC990");  // the longest message a field gives
  ASSERT_FALSE(w->RunProblem->text().isEmpty());
  QCoreApplication::processEvents();
  EXPECT_EQ(places(), before);
  EXPECT_GE(w->RunProblem->height(), w->RunProblem->heightForWidth(w->RunProblem->width())) << "not clipped";
}

TEST_F(LtoWindowTest, TheRunIsSummedUpBeforePrinting) {
  struct Row {
    const char* first;
    int count;
    int startLabel;
    const char* summary;
  };
  const Row rows[] = {
      {"VT0000", 60, 1, "60 labels on 2 sheets, VT0000L8 to VT0059L8"},
      {"VT0000", 30, 2, "30 labels on 2 sheets, VT0000L8 to VT0029L8"},  // the start label pushes one over
      {"VT0007", 1, 1, "1 label on 1 sheet, VT0007L8"},
  };
  const auto w = Open();
  Choose(w->Template, "lto-a4-2x15");
  w->MediaId->setCurrentIndex(w->MediaId->findData(QStringLiteral("L8")));
  for (const Row& r : rows) {
    SCOPED_TRACE(r.summary);
    w->FirstVolser->setText(QString::fromLatin1(r.first));
    w->Count->setValue(r.count);
    w->StartLabel->setValue(r.startLabel);
    EXPECT_EQ(w->RunSummary->text(), QString::fromUtf8(r.summary));
  }
  Type(w->FirstVolser, "VT00");
  EXPECT_EQ(w->RunSummary->text(), QString()) << "no run, no summary";
}

// The list names paper, grid and label size; a user's template adds its name,
// and one whose labels cannot hold the bars is marked and cannot be chosen
// (so is it on the command line).
TEST_F(LtoWindowTest, TemplatesAreListedByWhatTheyAreAndUnusableOnesMarked) {
  const QString folder = dir_.filePath(QStringLiteral("templates"));
  QDir().mkpath(folder);
  std::ofstream((folder + "/narrow.json").toStdString())
      << R"({"page": {"width_mm": 100, "height_mm": 50}, "label": {"width_mm": 40, "height_mm": 17},
             "rows": 1, "columns": 1, "margins": {"left_mm": 0, "top_mm": 0},
             "pitch": {"across_mm": 100, "down_mm": 50}, "fill_order": "rows"})";
  const TTemplateCatalogue catalogue = LoadTemplateCatalogue(folder.toStdString());
  struct Row {
    const char* name;
    const char* caption;  // the start of it
    bool usable;
  };
  const Row rows[] = {
      {"lto-a4-2x15", "A4, 2 × 15, 79 × 17 mm", true},
      {"lto-letter-2x15", "US Letter, 2 × 15, 79 × 17 mm", true},
      {"lto-a4-3x17", "A4, 3 × 17, 70 × 16.9 mm", true},
      {"lto-roll-79x17", "Roll, 79 × 17 mm", true},
      {"narrow", "100 × 50 mm, 1 × 1, 40 × 17 mm (narrow) — not usable: At 300 dpi a label of 40 x 17 mm", false},
  };
  const auto w = Open(catalogue);
  std::ostringstream listed, notes;
  RunListTemplates(catalogue, listed, notes);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TSheetTemplate* t = catalogue.Find(r.name);
    ASSERT_NE(t, nullptr);
    const QString caption = TemplateCaption(*t, !t->file.empty());
    EXPECT_TRUE(caption.startsWith(QString::fromUtf8(r.caption))) << caption.toStdString();
    EXPECT_EQ(caption.contains(QStringLiteral("not usable")), !r.usable);
    const int at = w->Template->findData(QString::fromLatin1(r.name));
    ASSERT_GE(at, 0);
    EXPECT_EQ(w->Template->itemText(at), caption);
    const auto* model = qobject_cast<QStandardItemModel*>(w->Template->model());
    EXPECT_EQ(model->item(at)->isEnabled(), r.usable);
    const std::string line = "\n" + std::string(r.name) + (r.usable ? "\n" : "\tnot usable: At 300 dpi a label");
    EXPECT_NE(("\n" + listed.str()).find(line), std::string::npos) << listed.str();
  }
}

TEST_F(LtoWindowTest, EscapeClosesTheWindow) {
  const auto w = Open();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  QTest::keyClick(w->FirstVolser, Qt::Key_Escape);
  EXPECT_FALSE(w->isVisible());
}

// Centred over the window it was opened from, then moved and, if need be,
// shrunk onto that window's screen.
TEST(LtoWindowPlacement, WhollyOnTheParentsScreen) {
  struct Row {
    const char* name;
    QSize frame;
    QRect parent, available;
    QRect expected;
  };
  const QRect screen(0, 0, 1920, 1200);
  const Row rows[] = {
      {"centred on the parent", {400, 300}, {100, 100, 400, 400}, screen, {100, 150, 400, 300}},
      {"parent at the right edge", {600, 400}, {1700, 100, 220, 300}, screen, {1320, 50, 600, 400}},
      {"taller than the screen", {900, 1300}, {500, 500, 400, 400}, screen, {250, 0, 900, 1200}},
      {"second screen, under its panel", {600, 400}, {1950, 0, 200, 100}, {1920, 30, 1600, 1170}, {1920, 30, 600, 400}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(PlaceOverParent(r.frame, r.parent, r.available), r.expected);
  }
}

}  // namespace
}  // namespace vantor
