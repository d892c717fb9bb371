// The print dialog's Labels tab: the job's sheets, start label and outlines,
// a refused job kept open, copies held at one and big jobs asked about.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <memory>
#include <string>
#include <vector>

#include "dlt/Sheet.h"
#include "printing/qt/QtPrintJob.h"

namespace vantor::test {
namespace {

// What the DLT window offers: whole sheets of 30 labels.
const TLabelsTabFields kDltFields{.sheets = true, .maxSheets = kMaxSheets, .labelsPerPage = kLabelsPerSheet};

// The print dialog's Labels tab: a refused job keeps the dialog open.
TEST(JobPrintDialog, RefusedJobKeepsTheDialogOpen) {
  QPrinter printer(QPrinter::HighResolution);
  TSheetOptions options;
  options.sheets = 1;
  TJobPrintDialog dialog(&printer, options, kDltFields);
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
  TJobPrintDialog dialog(&printer, TSheetOptions{}, kDltFields);
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

}  // namespace
}  // namespace vantor::test
