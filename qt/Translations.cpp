#include "qt/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "qt/DataFolders.h"

namespace vantor {

namespace {

// "de-DE" and "de_DE" name the same locale; file names use the underscore.
QString FileLanguage(const QString& uiLanguage) {
  QString name = uiLanguage;
  name.replace(QLatin1Char('-'), QLatin1Char('_'));
  return name;
}

bool IsSourceLanguage(const QString& uiLanguage) {
  const QLocale locale(uiLanguage);
  return locale.language() == QLocale::English || locale.language() == QLocale::C;
}

// Loads exactly <prefix><language>.qm, or with the region left off
// (de_AT falls back to de), from `folder`. QTranslator::load alone would go
// on to a bare <prefix>.qm.
bool LoadExact(QTranslator& translator, const QString& prefix, const QString& language, const QString& folder) {
  QString name = language;
  while (!name.isEmpty()) {
    const QString file = QDir(folder).filePath(prefix + name + QStringLiteral(".qm"));
    if (QFileInfo::exists(file) && translator.load(file)) return true;
    const qsizetype cut = name.lastIndexOf(QLatin1Char('_'));
    if (cut <= 0) break;
    name.truncate(cut);
  }
  return false;
}

}  // namespace

TTranslation::TTranslation() = default;
TTranslation::~TTranslation() = default;

QString TTranslation::Install(const QStringList& uiLanguages, const QStringList& folders, const QString& qtFolder) {
  program_.reset();
  qt_.reset();
  language_.clear();
  for (const QString& ui : uiLanguages) {
    if (IsSourceLanguage(ui)) break;
    const QString language = FileLanguage(ui);
    auto program = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
      if (!LoadExact(*program, QString::fromLatin1(kTranslationPrefix), language, folder)) continue;
      program_ = std::move(program);
      QCoreApplication::installTranslator(program_.get());
      // Qt's own messages (the print dialog, the standard buttons) in the same language.
      auto qt = std::make_unique<QTranslator>();
      if (!qtFolder.isEmpty() && LoadExact(*qt, QStringLiteral("qtbase_"), language, qtFolder)) {
        qt_ = std::move(qt);
        QCoreApplication::installTranslator(qt_.get());
      }
      language_ = program_->language().isEmpty() ? language : program_->language();
      return language_;
    }
  }
  return language_;
}

QString TTranslation::FilePath() const { return program_ ? program_->filePath() : QString(); }
QString TTranslation::QtFilePath() const { return qt_ ? qt_->filePath() : QString(); }

void InOperatorsLanguage(char* program, const std::function<void()>& print) {
  int argc = 1;
  char* argv[] = {program, nullptr};
  std::optional<QCoreApplication> app;
  if (!QCoreApplication::instance()) app.emplace(argc, argv);
  TTranslation translation;
  translation.InstallForSystemLocale();
  print();
}

QString TTranslation::InstallForSystemLocale() {
  return Install(QLocale::system().uiLanguages(),
                 DataFolders(QCoreApplication::applicationDirPath(), QStringLiteral("translations")),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace vantor
