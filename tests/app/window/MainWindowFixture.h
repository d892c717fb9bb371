// A main window with its message boxes recorded and its handler calls traced,
// and helpers that read the preview.
#pragma once

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include <memory>
#include <string>
#include <vector>

#include "app/window/MainWindow.h"
#include "app/window/MessageReporter.h"
#include "app/window/Shape.h"
#include "barcode/widgets/Barcode.h"
#include "journal/qt/Journal.h"
#include "journal/widgets/WindowJournal.h"
#include "rotlabel/widgets/MyRotateWidget.h"
#include "support/FakePrintJob.h"

namespace vantor::test {

struct TReported {
  std::vector<QString> warnings;
  std::vector<QString> errors;
  std::vector<std::vector<journal::TConflict>> conflicts;  // each time the journal's question was asked
};

class TRecordingReporter : public TMessageReporter {
 public:
  explicit TRecordingReporter(TReported& into) : into_(into) {}
  void Warning(const QString& text) override { into_.warnings.push_back(text); }
  void Error(const QString& text) override { into_.errors.push_back(text); }

 private:
  TReported& into_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  // Also called again inside table-driven tests: each row gets a fresh window.
  // Each window prints into an empty journal of its own, and the journal's
  // question about serials printed before is recorded and answered with
  // `reprintAnswer` instead of a dialog.
  void SetUp() override {
    menu.reset();
    journalDir = std::make_unique<QTemporaryDir>();
    reported = {};
    reprintAnswer = false;
    calls.clear();
    menu = std::make_unique<TMainWindow>();
    menu->SetReporter(std::make_unique<TRecordingReporter>(reported));
    menu->SetHandlerTrace([this](const char* h) { calls.emplace_back(h); });
    // A journal named for the window is never made by a print: made here.
    if (!std::filesystem::exists(JournalPath())) {
      journal::TJournalLocation where;
      where.path = JournalPath();
      journal::TJournal::Create(where).reset();
    }
    menu->SetJournalLocation(JournalPath());
    menu->Journal().SetAskReprint([this](const std::vector<journal::TConflict>& c) {
      reported.conflicts.push_back(c);
      return reprintAnswer;
    });
  }
  void TearDown() override { menu.reset(); }
  std::string JournalPath() const { return journalDir->filePath(QStringLiteral("journal.sqlite")).toStdString(); }

  // How often `handler` ran since the last Reset.
  int Calls(const std::string& handler) const {
    int n = 0;
    for (const std::string& c : calls) n += c == handler;
    return n;
  }
  void ResetCalls() { calls.clear(); }

  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

  // Characters of LBL_1 .. LBL_6 as one string, LBL_1 first.
  std::string Labels() const {
    std::string s;
    for (int n = 1; n <= 6; ++n) s += menu->LBL(n)->Caption().toStdString();
    return s;
  }
  // Cell colours from the leftmost (Cells[5]) to the rightmost (Cells[0]).
  std::vector<TColor> CellsLeftToRight() const {
    std::vector<TColor> c;
    for (int n = 6; n >= 1; --n) c.push_back(menu->Cell(n)->BrushColor());
    return c;
  }
  TColor Entry(std::size_t i) const { return menu->LabelState().Colors[i]; }
  std::string Field() const { return menu->SerialField->text().toStdString(); }

  std::unique_ptr<QTemporaryDir> journalDir;
  std::unique_ptr<TMainWindow> menu;
  TReported reported;
  bool reprintAnswer = false;
  std::vector<std::string> calls;
};

}  // namespace vantor::test
