// Maker and media-kind choices, and the configuration each media mode applies.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/window/Menu.h"
#include "app/window/Shape.h"
#include "barcode/widgets/Barcode.h"
#include "dlt/MediaSetup.h"
#include "rotlabel/widgets/MyRotateWidget.h"

namespace vantor {

namespace {

// An auto-exclusive radio button refuses to be unchecked from code while it is
// its group's checked one; lifting exclusivity for the moment lets it go.
void Uncheck(QRadioButton* button) {
  if (!button->isChecked()) return;
  button->setAutoExclusive(false);
  button->setChecked(false);
  button->setAutoExclusive(true);
}

}  // namespace

void TMainMenu::SelectMediaMode(TMediaMode mode) { state_.SetMediaMode(mode); }

void TMainMenu::MakerWithoutMediaKinds(TMediaMode mode) {
  SelectMediaMode(mode);
  for (QRadioButton* kind : {STK_IV, STK_III, STK_CLN, STK_DGN}) {
    Uncheck(kind);
    kind->setEnabled(false);
  }
  SetupMedia();
}

void TMainMenu::STD_3of9Click() {
  Trace("STD_3of9Click");
  MakerWithoutMediaKinds(TMediaMode::Standard3of9);
}

void TMainMenu::BreeceClick() {
  Trace("BreeceClick");
  MakerWithoutMediaKinds(TMediaMode::BreeceHill);
}

void TMainMenu::RadioButton1Click() {
  Trace("RadioButton1Click");
  MakerWithoutMediaKinds(TMediaMode::Other);
}

void TMainMenu::STKClick() {
  Trace("STKClick");
  SelectMediaMode(TMediaMode::StkDltIV);
  // Storagetek always starts on DLT IV, whatever kind was chosen before.
  STK_IV->setEnabled(true);
  STK_IV->setChecked(true);
  STK_III->setEnabled(true);
  STK_CLN->setEnabled(true);
  STK_DGN->setEnabled(true);
  SetupMedia();
}

void TMainMenu::STK_IVClick() {
  Trace("STK_IVClick");
  SelectMediaMode(TMediaMode::StkDltIV);
  SetupMedia();
}

void TMainMenu::STK_IIIClick() {
  Trace("STK_IIIClick");
  SelectMediaMode(TMediaMode::StkDltIIIXT);
  SetupMedia();
}

void TMainMenu::STK_CLNClick() {
  Trace("STK_CLNClick");
  SelectMediaMode(TMediaMode::StkCleaning);
  SetupMedia();
}

void TMainMenu::STK_DGNClick() {
  Trace("STK_DGNClick");
  SelectMediaMode(TMediaMode::StkDiagnostic);
  SetupMedia();
}

void TMainMenu::SetupSerialField(TMediaMode mode) {
  const TMediaSetup& m = MediaSetupFor(mode);
  const QString serial = QString::fromLatin1(m.serial.data(), static_cast<qsizetype>(m.serial.size()));
  // Setting the text runs the field's change handler when the text changes.
  if (m.serialMaskCleared) {
    Seq_Num->setEnabled(m.serialEnabled);
    Seq_Num->setInputMask(QString());
    if (m.serialMaxLengthSet) Seq_Num->setMaxLength(static_cast<int>(kSerialLength));
    Seq_Num->setText(serial);
  } else {
    Seq_Num->setText(serial);
    if (m.serialMaxLengthSet) Seq_Num->setMaxLength(static_cast<int>(kSerialLength));
    Seq_Num->setEnabled(m.serialEnabled);
  }
}

void TMainMenu::SetupMedia() {
  Trace("SetupMedia");
  const TMediaMode mode = state_.MediaMode();
  const TMediaSetup& m = MediaSetupFor(mode);

  Media_Type->SetCaption(QString::fromLatin1(m.suffix.data(), static_cast<qsizetype>(m.suffix.size())));
  SetupSerialField(mode);

  Barcode1->move(m.barcodePos.x, m.barcodePos.y);
  Barcode1->SetBar_Ratio(m.ratio);
  Barcode1->SetBar_ModuleWidth(m.moduleWidth);
  Barcode1->SetBar_HeightPercent(m.heightPercent);
  Barcode1->SetBar_HighDensity(m.highDensity);
  Barcode1->SetBar_HumanReadable(m.humanReadable);
  Barcode1->SetBar_WidthReduce(m.widthReduce);
  Barcode1->SetBar_ZoomSize(m.zoomSize);
  const std::string serial = Seq_Num->text().toStdString();
  SyncBarcodeText(m.barcodeWithSuffix ? serial + Media_Type->Caption().toStdString() : serial);

  for (int n = 1; n <= 6; ++n) Shape(n)->setVisible(m.cellsVisible);

  const bool row = m.placement == TLabelPlacement::RowBelowBarcode;
  const auto& places = row ? kLabelsInRow : kLabelsOnCells;
  for (int k = 0; k < 6; ++k) {
    const int n = row ? 6 - k : k + 1;  // the row is laid out from LBL_6
    const TPoint p = places[static_cast<std::size_t>(n - 1)];
    LBL(n)->move(p.x, p.y);
  }

  // A check box whose state changes here runs its own handler at once.
  Text_Rotate->setEnabled(m.rotatedSequence.enabled);
  Text_Rotate->setChecked(m.rotatedSequence.checked);
  Serial_Color->setChecked(m.coloredSequence.checked);
  Serial_Color->setEnabled(m.coloredSequence.enabled);
  Bar_Rotate->setChecked(m.rotateBarcode.checked);
  Bar_Rotate->setEnabled(m.rotateBarcode.enabled);

  ColorCells();
  ShowSerialProblem();  // a forced prefix can mend the serial, or a kind's default replace it
}

}  // namespace vantor
