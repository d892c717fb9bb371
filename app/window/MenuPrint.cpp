// The Print, Help and Colors buttons.
#include <QCheckBox>
#include <QDialog>
#include <QPrinter>
#include <QRadioButton>
#include <exception>

#include "app/window/Menu.h"
#include "app/window/MessageReporter.h"
#include "colours/widgets/Color.h"
#include "printing/qt/QtPrintJob.h"

namespace vantor {

void TMainMenu::Print_BtnClick() {
  Trace("Print_BtnClick");
  if (!state_.CheckSequence()) {
    reporter_->Warning(tr(kSequenceError));
    return;
  }
  // A sheet whose counter would run past 999 would print serials that are not
  // six characters long; refuse it before the dialog opens.
  if (const std::optional<std::string> refusal = SheetRefusal(state_.Serial())) {
    reporter_->Warning(QString::fromStdString(*refusal));
    return;
  }
  try {
    std::unique_ptr<TPrintJob> job = jobFactory_ ? jobFactory_() : DefaultJob();
    if (!job) return;
    PrintSheet(LayoutFor(state_.MediaMode(), Text_Rotate->isChecked()), *this, *job, sheetOptions_);
  } catch (const std::exception& e) {
    // The sheet has put the serial back; the operator can print again.
    reporter_->Error(QString::fromStdString(e.what()));
  }
}

std::unique_ptr<TPrintJob> TMainMenu::DefaultJob() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return std::make_unique<TPrinterJob>(*printer_, sheetOptions_, this);
}

void TMainMenu::SetJobFactory(TJobFactory factory) { jobFactory_ = std::move(factory); }

void TMainMenu::BitBtn3Click() {
  Trace("BitBtn3Click");
  if (helpBox_) helpBox_->exec();
}

void TMainMenu::AttachColorBox(TColorBox& box) {
  box.SetSelectStandard3of9([this] { STD_3of9->setChecked(true); });
  SetColorsHook([&box] { box.exec(); });
}

void TMainMenu::BitBtn4Click() {
  Trace("BitBtn4Click");
  if (colorsHook_) colorsHook_();
}

}  // namespace vantor
