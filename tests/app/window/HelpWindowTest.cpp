#include "app/window/HelpWindow.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <optional>
#include <string>
#include <vector>

namespace vantor {
namespace {

struct TErrors {
  std::vector<QString> shown;
  THelpBox::TErrorReporter Reporter() {
    return [this](const QString& m) { shown.push_back(m); };
  }
};

struct TLoadRow {
  const char* name;
  std::optional<std::string> content;  // nothing: no help file at all
  const char* error;                   // "%s" stands for the file's path
  const char* text;
  qint64 size = 0;  // when set, the file is stretched to this size (sparse, no disk used)
};

const TLoadRow kLoadRows[] = {
    {"rich text", std::string("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\b Makers\\b0\\par Storagetek\\par}"), "",
     "Makers\nStoragetek"},
    {"missing file", std::nullopt, "Cannot open file %s", ""},
    {"empty file", std::string(), "", ""},
    {"binary garbage",
     std::string("\x7f"
                 "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0",
                 20),
     "Failed to Load Stream", ""},
    {"plain text", std::string("Vantor help\nPress Print.\n"), "", "Vantor help\nPress Print."},
    {"huge (50 MB)", std::string("{\\rtf1 Makers"), "Failed to Load Stream", "", 50'000'000},
};

TEST(HelpWindow, LoadsTheHelpFileOnceAtCreation) {
  for (const TLoadRow& row : kLoadRows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/Vantor.HLP");
    if (row.content) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(row.content->data(), static_cast<qint64>(row.content->size()));
      if (row.size) {
        ASSERT_TRUE(f.resize(row.size));
      }
    }
    TErrors errors;
    THelpBox box(nullptr, errors.Reporter(), dir.path());
    EXPECT_EQ(box.HelpFilePath(), path);

    const QString expectedError = QString::fromUtf8(row.error).replace(QStringLiteral("%s"), path);
    if (expectedError.isEmpty()) {
      EXPECT_TRUE(errors.shown.empty());
    } else {
      ASSERT_EQ(errors.shown.size(), 1u) << "the error is shown exactly once";
      EXPECT_EQ(errors.shown[0], expectedError);
    }
    EXPECT_EQ(box.RichEdit1()->toPlainText(), QString::fromUtf8(row.text));
  }
}

TEST(HelpWindow, WindowAndControls) {
  QTemporaryDir dir;
  TErrors errors;
  THelpBox box(nullptr, errors.Reporter(), dir.path());
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Help"));
  QTextBrowser* text = box.RichEdit1();
  EXPECT_EQ(text->geometry(), QRect(8, 12, 481, 284));
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(text->palette().color(QPalette::Base), box.palette().color(QPalette::ToolTipBase));
  EXPECT_EQ(box.Button1()->text(), QStringLiteral("OK"));
  EXPECT_EQ(box.Button1()->geometry(), QRect(214, 309, 75, 25));

  // Controls keep size and place when the frame is resized.
  box.resize(800, 600);
  EXPECT_EQ(text->geometry(), QRect(8, 12, 481, 284));
  EXPECT_EQ(box.Button1()->geometry(), QRect(214, 309, 75, 25));
}

TEST(HelpWindow, OkHidesTheWindowWithResultOkAndKeepsTheText) {
  QTemporaryDir dir;
  QFile f(dir.path() + QStringLiteral("/Vantor.HLP"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  for (int i = 0; i < 200; ++i) f.write("A line of help text that needs scrolling.\n");
  f.close();
  TErrors errors;
  THelpBox box(nullptr, errors.Reporter(), dir.path());
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  QScrollBar* bar = box.RichEdit1()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(bar->maximum() / 2);
  const int scrolled = bar->value();

  QTest::mouseClick(box.Button1(), Qt::LeftButton);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);

  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  EXPECT_EQ(bar->value(), scrolled);
  EXPECT_TRUE(box.RichEdit1()->toPlainText().startsWith(QStringLiteral("A line of help")));
}

TEST(HelpWindow, RichTextFormattingReachesTheViewer) {
  const TRtfDocument doc = ParseRtf(
      "{\\rtf1{\\colortbl;\\red128\\green0\\blue0;}\\qc\\cf1\\b\\fs32 Title\\par\\pard\\plain\\i one\\line two}");
  QTextDocument target;
  FillTextDocument(target, doc);
  ASSERT_EQ(target.blockCount(), 2);
  const QTextBlock title = target.firstBlock();
  EXPECT_EQ(title.text(), QStringLiteral("Title"));
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  const QTextCharFormat tf = title.begin().fragment().charFormat();
  EXPECT_EQ(tf.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(tf.fontPointSize(), 16.0);
  EXPECT_EQ(tf.foreground().color(), QColor(128, 0, 0));

  const QTextBlock body = title.next();
  EXPECT_EQ(body.text(), QStringLiteral("one") + QChar(QChar::LineSeparator) + QStringLiteral("two"));
  EXPECT_TRUE(body.begin().fragment().charFormat().fontItalic());
  EXPECT_NE(body.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  EXPECT_FALSE(body.begin().fragment().charFormat().hasProperty(QTextFormat::ForegroundBrush));
}

// The help text shipped with the program is copied next to the executables.
TEST(HelpWindow, ShippedHelpFileLoadsFromTheProgramFolder) {
  TErrors errors;
  THelpBox box(nullptr, errors.Reporter());
  EXPECT_EQ(box.HelpFilePath(), QDir(QCoreApplication::applicationDirPath()).filePath("Vantor.HLP"));
  EXPECT_TRUE(errors.shown.empty()) << (errors.shown.empty() ? "" : errors.shown[0].toStdString());
  const QString text = box.RichEdit1()->toPlainText();
  for (const char* topic :
       {"Standard 3 of 9", "Storagetek", "Breece Hill", "STK Cleaning", "STK Diagnostic", "Colored sequence",
        "Rotated sequence", "Rotate barcode", "Error in Sequence Number", "TAB OCR", "30 labels"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
  EXPECT_FALSE(text.contains(QStringLiteral("\\"))) << "no RTF control words leak into the text";
  // The further pages come after the help text, whole.
  const qsizetype topics = text.indexOf(QStringLiteral("More topics"));
  EXPECT_GT(topics, text.indexOf(QStringLiteral("Standard 3 of 9")));
  for (const char* topic : {"LTO Ultrium labels", "Media ID", "The print journal", "Labels > Print Journal...",
                            "File > Printer Calibration...", "Start at label", "status bar"})
    EXPECT_GT(text.indexOf(QString::fromUtf8(topic), topics), topics) << topic;
}

// The further pages beside a help file: shown after it, or their own error
// once with the help text kept.
TEST(HelpWindow, TopicsFileFollowsTheHelpText) {
  struct Row {
    const char* name;
    std::string topics;
    const char* error;
    const char* text;
  };
  const Row rows[] = {
      {"topics", "{\\rtf1 Journal\\par}", "", "Help\n\nJournal"},
      {"garbage",
       std::string("\x7f"
                   "ELF\x02\0\0",
                   7),
       "Failed to Load Stream", "Help"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir dir;
    for (const auto& [name, content] : {std::pair<QString, std::string>{"Vantor.HLP", "{\\rtf1 Help\\par}"},
                                        std::pair<QString, std::string>{"Vantor-topics.HLP", row.topics}}) {
      QFile f(dir.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(content.data(), static_cast<qint64>(content.size()));
    }
    TErrors errors;
    THelpBox box(nullptr, errors.Reporter(), dir.path());
    EXPECT_EQ(errors.shown, *row.error ? std::vector<QString>{QString::fromUtf8(row.error)} : std::vector<QString>{});
    EXPECT_EQ(box.RichEdit1()->toPlainText(), QString::fromUtf8(row.text));
  }
}

}  // namespace
}  // namespace vantor
