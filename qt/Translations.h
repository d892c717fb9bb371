// The program's translations: English is the source language; another
// language is used when the operator's locale asks for it and a translation
// of it is installed. Missing messages stay English.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QTranslator;

namespace vantor {

// The file name of the program's translations, without language and suffix:
// vantor_de.qm holds German.
inline constexpr const char* kTranslationPrefix = "vantor_";

class TTranslation {
 public:
  TTranslation();
  ~TTranslation();  // the translators leave the application with it
  TTranslation(const TTranslation&) = delete;
  TTranslation& operator=(const TTranslation&) = delete;

  // Takes the first of `uiLanguages` (QLocale names, "de-DE" or "de_DE")
  // that has a translation in one of `folders` (searched in order), and Qt's
  // own for the same language from `qtFolder` when it has one (the standard
  // dialogs). English, or "C", ends the search: the operator asked for the
  // source language. Installs them on the running application, which must
  // exist. Returns the language loaded ("de"), or an empty string.
  QString Install(const QStringList& uiLanguages, const QStringList& folders, const QString& qtFolder);

  // Install() for the system locale's languages, the program's data folders
  // and Qt's translation folder.
  QString InstallForSystemLocale();

  QString Language() const { return language_; }
  QString FilePath() const;    // the program's .qm file loaded, or empty
  QString QtFilePath() const;  // Qt's own, or empty

 private:
  std::unique_ptr<QTranslator> program_;
  std::unique_ptr<QTranslator> qt_;
  QString language_;
};

// Runs `print` (a --help text) in the operator's language: the translation
// needs an application object, made for the call when there is none (it needs
// no display). `program` is argv[0].
void InOperatorsLanguage(char* program, const std::function<void()>& print);

}  // namespace vantor
