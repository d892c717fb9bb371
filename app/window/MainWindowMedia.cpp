// Maker and media-kind choices, and the configuration each media mode applies.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "app/window/MainWindow.h"
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

void TMainWindow::SelectMediaMode(TMediaMode mode) { state_.SetMediaMode(mode); }

void TMainWindow::MakerWithoutMediaKinds(TMediaMode mode) {
  SelectMediaMode(mode);
  for (QRadioButton* kind : {STK_IV, STK_III, STK_CLN, STK_DGN}) {
    Uncheck(kind);
    kind->setEnabled(false);
  }
  SetupMedia();
}

void TMainWindow::STD_3of9Click() {
  Trace("STD_3of9Click");
  MakerWithoutMediaKinds(TMediaMode::Standard3of9);
}

void TMainWindow::BreeceClick() {
  Trace("BreeceClick");
  MakerWithoutMediaKinds(TMediaMode::BreeceHill);
}

void TMainWindow::OtherMakerClick() {
  Trace("OtherMakerClick");
  MakerWithoutMediaKinds(TMediaMode::Other);
}

void TMainWindow::STKClick() {
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

void TMainWindow::STK_IVClick() {
  Trace("STK_IVClick");
  SelectMediaMode(TMediaMode::StkDltIV);
  SetupMedia();
}

void TMainWindow::STK_IIIClick() {
  Trace("STK_IIIClick");
  SelectMediaMode(TMediaMode::StkDltIIIXT);
  SetupMedia();
}

void TMainWindow::STK_CLNClick() {
  Trace("STK_CLNClick");
  SelectMediaMode(TMediaMode::StkCleaning);
  SetupMedia();
}

void TMainWindow::STK_DGNClick() {
  Trace("STK_DGNClick");
  SelectMediaMode(TMediaMode::StkDiagnostic);
  SetupMedia();
}

void TMainWindow::SetupSerialField(TMediaMode mode) {
  const TMediaSetup& m = MediaSetupFor(mode);
  const QString serial = QString::fromLatin1(m.serial.data(), static_cast<qsizetype>(m.serial.size()));
  // Setting the text runs the field's change handler when the text changes.
  if (m.serialMaskCleared) {
    SerialField->setEnabled(m.serialEnabled);
    SerialField->setInputMask(QString());
    if (m.serialMaxLengthSet) SerialField->setMaxLength(static_cast<int>(kSerialLength));
    SerialField->setText(serial);
  } else {
    SerialField->setText(serial);
    if (m.serialMaxLengthSet) SerialField->setMaxLength(static_cast<int>(kSerialLength));
    SerialField->setEnabled(m.serialEnabled);
  }
}

void TMainWindow::SetupMedia() {
  Trace("SetupMedia");
  const TMediaMode mode = state_.MediaMode();
  const TMediaSetup& m = MediaSetupFor(mode);

  Media_Type->SetCaption(QString::fromLatin1(m.suffix.data(), static_cast<qsizetype>(m.suffix.size())));
  SetupSerialField(mode);

  PreviewBarcode->move(m.barcodePos.x, m.barcodePos.y);
  PreviewBarcode->SetBar_Ratio(m.ratio);
  PreviewBarcode->SetBar_ModuleWidth(m.moduleWidth);
  PreviewBarcode->SetBar_HeightPercent(m.heightPercent);
  PreviewBarcode->SetBar_HighDensity(m.highDensity);
  PreviewBarcode->SetBar_HumanReadable(m.humanReadable);
  PreviewBarcode->SetBar_WidthReduce(m.widthReduce);
  PreviewBarcode->SetBar_ZoomSize(m.zoomSize);
  const std::string serial = SerialField->text().toStdString();
  SyncBarcodeText(m.barcodeWithSuffix ? serial + Media_Type->Caption().toStdString() : serial);

  for (int n = 1; n <= 6; ++n) Cell(n)->setVisible(m.cellsVisible);

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
