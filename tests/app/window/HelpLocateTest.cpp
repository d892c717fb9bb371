#include <gtest/gtest.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/window/HelpWindow.h"
#include "support/EnvOverride.h"

namespace vantor {
namespace {

using test::TEnvOverride;

enum class TPlace { None, Beside, DataHome, DataDirs, Installed };

struct TLocateRow {
  const char* name;
  std::initializer_list<TPlace> copies;  // where a help file is put
  TPlace expected;                       // whose copy is read; None: the path beside the program
};

const TLocateRow kLocateRows[] = {
    {"only in an XDG data dir", {TPlace::DataDirs}, TPlace::DataDirs},
    {"only in the XDG data home", {TPlace::DataHome}, TPlace::DataHome},
    {"only in the installed folder", {TPlace::Installed}, TPlace::Installed},
    {"data home before data dirs", {TPlace::DataHome, TPlace::DataDirs}, TPlace::DataHome},
    {"XDG before the installed folder", {TPlace::DataDirs, TPlace::Installed}, TPlace::DataDirs},
    {"a build folder's copy wins",
     {TPlace::Beside, TPlace::DataHome, TPlace::DataDirs, TPlace::Installed},
     TPlace::Beside},
    {"nowhere: the path beside the program", {}, TPlace::None},
};

TEST(HelpLocate, PicksTheCopyBesideTheProgramThenXdgThenTheInstalledFolder) {
  for (const TLocateRow& row : kLocateRows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir base(root.path());
    for (const char* sub : {"program", "home/vantor", "dirs/vantor", "installed"}) ASSERT_TRUE(base.mkpath(sub));
    const TEnvOverride home("XDG_DATA_HOME", base.filePath("home"));
    // An empty folder first: the search goes on past folders without the file.
    const TEnvOverride dirs("XDG_DATA_DIRS", base.filePath("empty") + QLatin1Char(':') + base.filePath("dirs"));

    auto pathOf = [&](TPlace p) {
      switch (p) {
        case TPlace::Beside:
        case TPlace::None: return base.filePath("program/Vantor.HLP");
        case TPlace::DataHome: return base.filePath("home/vantor/Vantor.HLP");
        case TPlace::DataDirs: return base.filePath("dirs/vantor/Vantor.HLP");
        case TPlace::Installed: return base.filePath("installed/Vantor.HLP");
      }
      return QString();
    };
    for (TPlace p : row.copies) {
      QFile f(pathOf(p));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("help");
    }
    EXPECT_EQ(LocateHelpFile(base.filePath("program"), base.filePath("installed")), pathOf(row.expected));
  }
}

// A folder of the help file's name is not taken for the file.
TEST(HelpLocate, SkipsAFolderNamedLikeTheHelpFile) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir base(root.path());
  ASSERT_TRUE(base.mkpath("program/Vantor.HLP"));
  ASSERT_TRUE(base.mkpath("dirs/vantor"));
  QFile f(base.filePath("dirs/vantor/Vantor.HLP"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("help");
  f.close();
  const TEnvOverride home("XDG_DATA_HOME", base.filePath("home"));
  const TEnvOverride dirs("XDG_DATA_DIRS", base.filePath("dirs"));
  EXPECT_EQ(LocateHelpFile(base.filePath("program"), QString()), base.filePath("dirs/vantor/Vantor.HLP"));
}

// The help window reads the copy found in an XDG data dir.
TEST(HelpLocate, TheHelpWindowReadsTheXdgCopy) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir base(root.path());
  ASSERT_TRUE(base.mkpath("dirs/vantor"));
  QFile f(base.filePath("dirs/vantor/Vantor.HLP"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("{\\rtf1 Installed help\\par}");
  f.close();
  const TEnvOverride home("XDG_DATA_HOME", base.filePath("home"));
  const TEnvOverride dirs("XDG_DATA_DIRS", base.filePath("dirs"));
  const QString found = LocateHelpFile(base.filePath("program"), QString());
  ASSERT_EQ(found, base.filePath("dirs/vantor/Vantor.HLP"));
  THelpBox box(
      nullptr, [](const QString& m) { ADD_FAILURE() << m.toStdString(); }, QFileInfo(found).path());
  EXPECT_TRUE(box.RichEdit1()->toPlainText().startsWith(QStringLiteral("Installed help")));
}

}  // namespace
}  // namespace vantor
