// THelpBox: the help window. It reads the help file once, when it is created,
// and is then only shown (modally) and hidden.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "helptext/RtfReader.h"

class QPushButton;
class QTextBrowser;
class QTextDocument;

namespace vantor {

// Fills `target` with the paragraphs and runs of `doc`, replacing its content.
void FillTextDocument(QTextDocument& target, const TRtfDocument& doc);
// Adds the paragraphs and runs of `doc` after what `target` holds, from a new paragraph.
void AppendTextDocument(QTextDocument& target, const TRtfDocument& doc);

// The folder the help text is installed to (<datadir>/vantor), fixed when
// built; empty when the build did not say.
QString InstalledHelpFolder();

// Where the program reads its help text: beside the program when a copy is
// there, else "vantor/Vantor.HLP" in the XDG data folders (XDG_DATA_HOME, then
// XDG_DATA_DIRS), else in `installedFolder`. Found nowhere, the path beside
// the program, so the load error names it.
QString LocateHelpFile(const QString& programFolder, const QString& installedFolder = InstalledHelpFolder());

class THelpBox : public QDialog {
  Q_OBJECT

 public:
  // Shows a load error to the operator; the default is the program's error box.
  using TErrorReporter = std::function<void(const QString& message)>;

  // `folder` is where the help file is looked for; unless given (tests point
  // it elsewhere), LocateHelpFile() picks it from the program's folder.
  explicit THelpBox(QWidget* parent = nullptr, TErrorReporter reporter = {}, const QString& folder = QString());

  QTextBrowser* RichEdit1() const { return richEdit1_; }
  QPushButton* Button1() const { return button1_; }
  const QString& HelpFilePath() const { return path_; }

 private:
  void FormCreate();

  QTextBrowser* richEdit1_ = nullptr;
  QPushButton* button1_ = nullptr;
  TErrorReporter reporter_;
  QString path_;
};

}  // namespace vantor
