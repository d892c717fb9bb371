// Labels > LTO Ultrium labels... opens the LTO window, and opens it anew once closed.
#include <QAction>
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "app/window/LtoLabels.h"
#include "app/window/MainWindowFixture.h"
#include "lto/widgets/LtoWindow.h"

namespace vantor::test {
namespace {

TEST_F(MainWindowTest, LtoLabelsItemOpensTheLtoWindow) {
  QTemporaryDir settings;
  ASSERT_TRUE(settings.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  EXPECT_EQ(ShownLtoWindow(*menu), nullptr);
  AttachLtoWindow(*menu);
  ASSERT_TRUE(menu->LtoLabelsAction->isEnabled());
  menu->LtoLabelsAction->trigger();
  auto* first = qobject_cast<TLtoWindow*>(ShownLtoWindow(*menu));
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->isWindow()) << "a window of its own, not a part of the main window";
  EXPECT_TRUE(first->Run()) << first->Problem().toStdString();

  // Opened again while shown: the same window.
  menu->LtoLabelsAction->trigger();
  EXPECT_EQ(ShownLtoWindow(*menu), first);

  // Closed, it goes; the next opening makes a new one.
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ShownLtoWindow(*menu), nullptr);
  menu->LtoLabelsAction->trigger();
  auto* second = qobject_cast<TLtoWindow*>(ShownLtoWindow(*menu));
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->isVisible());
}

}  // namespace
}  // namespace vantor::test
