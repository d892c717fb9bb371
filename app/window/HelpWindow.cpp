#include "app/window/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "app/window/WindowPlacement.h"
#include "helptext/HelpText.h"
#include "qt/DataFolders.h"
#include "qt/QtColor.h"
#include "qt/QtFonts.h"

namespace vantor {

namespace {

// Client area for an outer size of 509 x 375 with a 4-pixel border and a
// 19-pixel caption bar.
constexpr int kClientWidth = 501;
constexpr int kClientHeight = 348;

Qt::Alignment ToQtAlignment(TRtfAlign a) {
  switch (a) {
    case TRtfAlign::Center: return Qt::AlignHCenter;
    case TRtfAlign::Right: return Qt::AlignRight;
    case TRtfAlign::Justify: return Qt::AlignJustify;
    case TRtfAlign::Left: break;
  }
  return Qt::AlignLeft;
}

QTextCharFormat ToCharFormat(const TRtfCharFormat& f) {
  QTextCharFormat cf;
  cf.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
  cf.setFontItalic(f.Italic);
  cf.setFontUnderline(f.Underline);
  if (f.HalfPoints > 0) cf.setFontPointSize(f.HalfPoints / 2.0);
  if (f.Color) cf.setForeground(ToQColor(*f.Color));
  return cf;
}

void ShowErrorBox(const QString& message) {
  QMessageBox::critical(nullptr, QCoreApplication::applicationName(), message);
}

}  // namespace

namespace {

void InsertDocument(QTextCursor& cursor, const TRtfDocument& doc, bool first) {
  for (const TRtfParagraph& para : doc.Paragraphs) {
    QTextBlockFormat bf;
    bf.setAlignment(ToQtAlignment(para.Align));
    if (first)
      cursor.setBlockFormat(bf);
    else
      cursor.insertBlock(bf, QTextCharFormat());
    first = false;
    for (const TRtfRun& run : para.Runs) {
      QString text = QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size()));
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);  // a break inside the paragraph
      cursor.insertText(text, ToCharFormat(run.Format));
    }
  }
}

}  // namespace

void FillTextDocument(QTextDocument& target, const TRtfDocument& doc) {
  target.clear();
  QTextCursor cursor(&target);
  InsertDocument(cursor, doc, true);
}

void AppendTextDocument(QTextDocument& target, const TRtfDocument& doc) {
  QTextCursor cursor(&target);
  cursor.movePosition(QTextCursor::End);
  InsertDocument(cursor, doc, target.isEmpty());
}

QString InstalledHelpFolder() { return InstalledDataFolder(); }

QString LocateHelpFile(const QString& programFolder, const QString& installedFolder) {
  const QString beside = QString::fromStdString(HelpFilePath(programFolder.toStdString()));
  // A copy beside the program belongs to that copy (a build folder, an unpacked
  // tree) and wins over one installed elsewhere on the machine.
  if (QFileInfo(beside).isFile()) return beside;
  const QString name =
      QStringLiteral("vantor/") + QString::fromUtf8(kHelpFileName.data(), static_cast<qsizetype>(kHelpFileName.size()));
  const QString xdg = QStandardPaths::locate(QStandardPaths::GenericDataLocation, name);
  if (!xdg.isEmpty()) return xdg;
  if (!installedFolder.isEmpty()) {
    const QString installed = QString::fromStdString(HelpFilePath(installedFolder.toStdString()));
    if (QFileInfo(installed).isFile()) return installed;
  }
  // Found nowhere: the error names the place a build folder keeps it.
  return beside;
}

THelpBox::THelpBox(QWidget* parent, TErrorReporter reporter, const QString& folder)
    : QDialog(parent),
      reporter_(reporter ? std::move(reporter) : TErrorReporter(ShowErrorBox)),
      path_(folder.isNull() ? LocateHelpFile(QCoreApplication::applicationDirPath())
                            : QString::fromStdString(vantor::HelpFilePath(folder.toStdString()))) {
  setWindowTitle(QStringLiteral("Help"));
  setFont(WindowFont(kWindowFace, 11));
  // No layout: the controls keep their size and place when the frame is resized.
  resize(kClientWidth, kClientHeight);

  richEdit1_ = new QTextBrowser(this);
  richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
  richEdit1_->setGeometry(8, 12, 481, 284);
  richEdit1_->setReadOnly(true);
  richEdit1_->setOpenLinks(false);
  richEdit1_->setOpenExternalLinks(false);
  richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QPalette pal = richEdit1_->palette();
  pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
  pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
  richEdit1_->setPalette(pal);

  button1_ = new QPushButton(QStringLiteral("OK"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(214, 309, 75, 25);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);

  CentreOnFirstShow(*this);

  FormCreate();
}

void THelpBox::FormCreate() {
  const THelpText help = LoadHelpText(path_.toStdString());
  richEdit1_->document()->clear();
  if (!help.Ok()) {
    // Start-up goes on with an empty window.
    reporter_(QString::fromStdString(help.Error));
    return;
  }
  FillTextDocument(*richEdit1_->document(), help.Document);
  // The further pages follow the help text, from their own paragraph.
  const QString topicsPath = QFileInfo(path_).dir().filePath(
      QString::fromUtf8(kHelpTopicsFileName.data(), static_cast<qsizetype>(kHelpTopicsFileName.size())));
  if (QFileInfo(topicsPath).exists()) {
    const THelpText topics = LoadHelpText(topicsPath.toStdString());
    if (topics.Ok()) {
      AppendTextDocument(*richEdit1_->document(), TRtfDocument{{TRtfParagraph{}}});
      AppendTextDocument(*richEdit1_->document(), topics.Document);
    } else {
      reporter_(QString::fromStdString(topics.Error));
    }
  }
  richEdit1_->moveCursor(QTextCursor::Start);
}

}  // namespace vantor
