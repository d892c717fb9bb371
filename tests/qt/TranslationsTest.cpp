// Which translation the programs load: the operator's languages in order,
// English ending the search, the folders searched as the help text's are.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "qt/DataFolders.h"
#include "qt/Translations.h"
#include "support/EnvOverride.h"

namespace vantor {
namespace {

using test::TEnvOverride;

QString BuiltGerman() { return QString::fromLocal8Bit(qgetenv("VANTOR_BUILD_DIR")) + "/translations/vantor_de.qm"; }

// The built German file copied to `folder` under `name`.
void PutTranslation(const QString& folder, const QString& name) {
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(QFile::copy(BuiltGerman(), QDir(folder).filePath(name))) << BuiltGerman().toStdString();
}

TEST(Translations, TheFirstLanguageWithATranslationWinsAndEnglishEndsTheSearch) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString first = root.filePath("first"), second = root.filePath("second");
  PutTranslation(first, "vantor_de.qm");
  PutTranslation(second, "vantor_de.qm");
  PutTranslation(second, "vantor_de_AT.qm");

  struct TRow {
    const char* name;
    QStringList languages;
    QString file;  // relative to root; empty: none loaded
  };
  const TRow rows[] = {
      {"German, as QLocale names it", {"de-DE", "de"}, "first/vantor_de.qm"},
      {"German with an underscore", {"de_DE"}, "first/vantor_de.qm"},
      {"a region falls back to the language", {"de-CH"}, "first/vantor_de.qm"},
      {"a region's own file, where only a later folder has it", {"de-AT"}, "first/vantor_de.qm"},
      {"a language without a translation is passed over", {"fr-FR", "de-DE"}, "first/vantor_de.qm"},
      {"English first: English", {"en-US", "de-DE"}, ""},
      {"the C locale: English", {"C", "de"}, ""},
      {"only languages without a translation", {"fr", "it-IT"}, ""},
      {"no languages", {}, ""},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    TTranslation t;
    const QString language = t.Install(row.languages, {first, second}, QString());
    EXPECT_EQ(t.FilePath(), row.file.isEmpty() ? QString() : root.filePath(row.file));
    EXPECT_EQ(language.isEmpty(), row.file.isEmpty()) << language.toStdString();
  }

  // A later folder is read when an earlier one has no file for the language.
  TTranslation t;
  t.Install({"de-AT"}, {root.filePath("empty"), second}, QString());
  EXPECT_EQ(t.FilePath(), QDir(second).filePath("vantor_de_AT.qm"));
}

TEST(Translations, LoadedTextsLastAsLongAsTheTranslationAndQtsOwnComeAlong) {
  const QString folder = QFileInfo(BuiltGerman()).path();
  QTemporaryDir qtFolder;
  PutTranslation(qtFolder.path(), "qtbase_de.qm");  // any German file stands in for Qt's
  const char* const source = "&File";
  {
    TTranslation t;
    EXPECT_EQ(t.Install({"de"}, {folder}, qtFolder.path()), QStringLiteral("de"));
    EXPECT_EQ(QCoreApplication::translate("vantor::TMainWindow", source), QStringLiteral("&Datei"));
    EXPECT_EQ(t.QtFilePath(), QDir(qtFolder.path()).filePath("qtbase_de.qm"));
    // Missing messages stay English.
    EXPECT_EQ(QCoreApplication::translate("vantor::TMainWindow", "No such message"), QStringLiteral("No such message"));
  }
  EXPECT_EQ(QCoreApplication::translate("vantor::TMainWindow", source), QStringLiteral("&File")) << "removed with it";

  TTranslation none;
  none.Install({"fr"}, {folder}, qtFolder.path());
  EXPECT_TRUE(none.QtFilePath().isEmpty()) << "Qt's own only with one of ours";
}

TEST(Translations, FoldersAreBesideTheProgramThenXdgThenInstalled) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir base(root.path());
  for (const char* sub : {"program/translations", "home/vantor/translations", "dirs/vantor/translations",
                          "installed/translations", "other"})
    ASSERT_TRUE(base.mkpath(sub));
  const TEnvOverride home("XDG_DATA_HOME", base.filePath("home"));
  const TEnvOverride dirs("XDG_DATA_DIRS", base.filePath("other") + QLatin1Char(':') + base.filePath("dirs"));

  EXPECT_EQ(DataFolders(base.filePath("program"), "translations", base.filePath("installed")),
            QStringList({base.filePath("program/translations"), base.filePath("home/vantor/translations"),
                         base.filePath("dirs/vantor/translations"), base.filePath("installed/translations")}));
  // Folders that are not there are left out.
  EXPECT_EQ(DataFolders(base.filePath("other"), "translations", base.filePath("nowhere")),
            QStringList({base.filePath("home/vantor/translations"), base.filePath("dirs/vantor/translations")}));
}

}  // namespace
}  // namespace vantor
