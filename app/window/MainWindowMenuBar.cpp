// The main window's menu bar: File, Labels and Help. The items run the same
// handlers as the window's buttons.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/window/AboutBox.h"
#include "app/window/MainWindow.h"

namespace vantor {

void TMainWindow::BuildMenuBar() {
  MenuBar = new QMenuBar(this);
  MenuBar->setObjectName(QStringLiteral("MenuBar"));
  // The window draws its own bar: a global menu would leave the client area
  // where the bar was.
  MenuBar->setNativeMenuBar(false);
  BuildFileMenu();
  BuildLabelsMenu();
  BuildHelpMenu();
}

// Items go in the order they show; print-related ones above the separator.
void TMainWindow::BuildFileMenu() {
  FileMenu = MenuBar->addMenu(tr("&File"));
  FileMenu->setObjectName(QStringLiteral("FileMenu"));

  PrintAction = FileMenu->addAction(tr("&Print..."));
  PrintAction->setObjectName(QStringLiteral("PrintAction"));
  PrintAction->setShortcut(QKeySequence::Print);
  connect(PrintAction, &QAction::triggered, this, &TMainWindow::PrintClick);

  PrintPreviewAction = FileMenu->addAction(tr("Print Pre&view..."));
  PrintPreviewAction->setObjectName(QStringLiteral("PrintPreviewAction"));
  connect(PrintPreviewAction, &QAction::triggered, this, &TMainWindow::PrintPreview);

  CalibrationAction = FileMenu->addAction(tr("Printer &Calibration..."));
  CalibrationAction->setObjectName(QStringLiteral("CalibrationAction"));
  connect(CalibrationAction, &QAction::triggered, this, &TMainWindow::PrinterCalibration);

  FileMenu->addSeparator();
  QuitAction = FileMenu->addAction(tr("&Quit"));
  QuitAction->setObjectName(QStringLiteral("QuitAction"));
  QuitAction->setShortcut(QKeySequence::Quit);
  QuitAction->setMenuRole(QAction::QuitRole);
  connect(QuitAction, &QAction::triggered, this, &QWidget::close);
}

void TMainWindow::BuildLabelsMenu() {
  LabelsMenu = MenuBar->addMenu(tr("&Labels"));
  LabelsMenu->setObjectName(QStringLiteral("LabelsMenu"));
  LtoLabelsAction = LabelsMenu->addAction(tr("&LTO Ultrium labels..."));
  LtoLabelsAction->setObjectName(QStringLiteral("LtoLabelsAction"));
  LtoLabelsAction->setEnabled(false);  // until SetLtoLabelsHook gives it a window to open
  connect(LtoLabelsAction, &QAction::triggered, this, &TMainWindow::LtoLabelsClick);
  JournalAction = LabelsMenu->addAction(tr("Print &Journal..."));
  JournalAction->setObjectName(QStringLiteral("JournalAction"));
  connect(JournalAction, &QAction::triggered, this, &TMainWindow::JournalClick);
}

void TMainWindow::BuildHelpMenu() {
  HelpMenu = MenuBar->addMenu(tr("&Help"));
  HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
  ContentsAction = HelpMenu->addAction(tr("&Contents"));
  ContentsAction->setObjectName(QStringLiteral("ContentsAction"));
  ContentsAction->setShortcut(QKeySequence::HelpContents);
  connect(ContentsAction, &QAction::triggered, this, &TMainWindow::HelpClick);

  AboutAction = HelpMenu->addAction(tr("&About Vantor"));
  AboutAction->setObjectName(QStringLiteral("AboutAction"));
  AboutAction->setMenuRole(QAction::AboutRole);
  connect(AboutAction, &QAction::triggered, this, &TMainWindow::AboutClick);
}

void TMainWindow::SetLtoLabelsHook(std::function<void()> hook) {
  ltoLabelsHook_ = std::move(hook);
  LtoLabelsAction->setEnabled(static_cast<bool>(ltoLabelsHook_));
}

void TMainWindow::LtoLabelsClick() {
  Trace("LtoLabelsClick");
  if (ltoLabelsHook_) ltoLabelsHook_();
}

void TMainWindow::AboutClick() {
  Trace("AboutClick");
  if (!aboutBox_) aboutBox_ = new TAboutBox(this);
  aboutBox_->open();
}

}  // namespace vantor
