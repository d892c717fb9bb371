// What the three windows share: the font their captions resolve to, and
// centring on the screen by the frame.
#include <gtest/gtest.h>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "app/window/HelpWindow.h"
#include "app/window/MainWindow.h"
#include "app/window/WindowPlacement.h"
#include "colors/widgets/ColorBox.h"
#include "qt/QtFonts.h"

namespace vantor {
namespace {

// The help window without a help file, its load error swallowed.
std::unique_ptr<THelpBox> QuietHelpBox(QWidget* parent) {
  static QTemporaryDir empty;
  return std::make_unique<THelpBox>(
      parent, [](const QString&) {}, empty.path());
}

TEST(Windows, HelpAndColorsResolveTheMainWindowsFont) {
  TMainWindow menu;
  const auto help = QuietHelpBox(&menu);
  TColorBox colors(menu.LabelState().Colors, {}, &menu);
  const QFontInfo main(menu.font());
  EXPECT_EQ(main.family().toStdString(), QFontInfo(WindowFont(kWindowFace, 11)).family().toStdString());
  EXPECT_EQ(main.pixelSize(), 11);
  // The same family makes the same widths: a caption fits where it was laid out.
  const QString caption = QStringLiteral("Numerical Colors  Standard 3 of 9");
  const int mainWidth = QFontMetrics(menu.font()).horizontalAdvance(caption);
  const std::pair<const char*, QWidget*> others[] = {
      {"help window", help.get()}, {"help text", help->RichEdit1()}, {"Colours dialog", &colors}};
  for (const auto& [name, w] : others) {
    SCOPED_TRACE(name);
    const QFontInfo info(w->font());
    EXPECT_EQ(info.family().toStdString(), main.family().toStdString());
    EXPECT_EQ(info.pixelSize(), main.pixelSize());
    EXPECT_EQ(QFontMetrics(w->font()).horizontalAdvance(caption), mainWidth);
  }
}

TEST(Windows, FrameIsCentredOnTheAvailableArea) {
  struct TRow {
    const char* name;
    QSize frame;
    QRect available;
    QPoint topLeft;
  };
  const TRow rows[] = {
      // The main window's 415 x 376 client with a 4-pixel border and a 23-pixel caption bar.
      {"framed main window", {423, 403}, {0, 0, 1024, 768}, {300, 182}},
      {"unframed: the client is the frame", {415, 376}, {0, 0, 1024, 768}, {304, 196}},
      {"panel along the top", {423, 403}, {0, 28, 1024, 740}, {300, 196}},
      {"second screen to the right", {509, 375}, {1920, 0, 1280, 1024}, {2305, 324}},
      {"screen above the primary one", {509, 375}, {0, -1024, 1280, 1024}, {385, -700}},
      {"odd leftover rounds down", {100, 101}, {0, 0, 201, 200}, {50, 49}},
      {"larger than the area: caption bar stays on it", {900, 700}, {10, 20, 800, 600}, {10, 20}},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CentredFramePosition(row.frame, row.available), row.topLeft);
  }
}

TEST(Windows, MainAndHelpWindowCentreWhenShown) {
  TMainWindow menu;
  const auto help = QuietHelpBox(&menu);
  const std::pair<const char*, QWidget*> windows[] = {{"main window", &menu}, {"help window", help.get()}};
  for (const auto& [name, w] : windows) {
    SCOPED_TRACE(name);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    const QRect frame = w->frameGeometry();
    EXPECT_EQ(frame.topLeft(), CentredFramePosition(frame.size(), w->screen()->availableGeometry()));
    // Moved by the operator and shown again, it stays where it was put.
    w->hide();
    w->move(frame.topLeft() + QPoint(37, 11));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->frameGeometry().topLeft(), frame.topLeft() + QPoint(37, 11));
    w->hide();
  }
}

}  // namespace
}  // namespace vantor
