// The main window: start-up, the serial field and the preview.
#include "app/window/MainWindow.h"

#include "journal/qt/JournalSettings.h"
#include "journal/widgets/WindowJournal.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QStatusBar>
#include <string_view>

#include "app/window/MessageReporter.h"
#include "app/window/Shape.h"
#include "barcode/widgets/Barcode.h"
#include "printing/qt/CalibrationStore.h"
#include "rotlabel/widgets/MyRotateWidget.h"

namespace vantor {

namespace {
constexpr TColor kWhite = 0xFFFFFF;
constexpr std::size_t kLetterColorEntry = 10;

// The serial rules' wording as the label model has it, marked here for
// translation; the asserts keep the two the same text.
constexpr const char* kSerialRuleTexts[] = {
    QT_TRANSLATE_NOOP("vantor::SerialRules", "the serial needs six characters, not %1"),
    QT_TRANSLATE_NOOP("vantor::SerialRules",
                      "%1 at position %2: the first three characters must be A-Z, 0-9 or a space"),
    QT_TRANSLATE_NOOP("vantor::SerialRules", "%1 at position %2: the last three characters must be digits")};
static_assert(std::string_view(kSerialRuleTexts[0]) == kSerialLengthRule);
static_assert(std::string_view(kSerialRuleTexts[1]) == kSerialPrefixRule);
static_assert(std::string_view(kSerialRuleTexts[2]) == kSerialCounterRule);

// The reason in the operator's language, starting with a capital as the
// status bar's other texts do.
QString SerialProblemText(const TSerialProblem& problem) {
  QString text = QCoreApplication::translate("vantor::SerialRules", problem.Rule());
  if (problem.rule == TSerialRule::Length) {
    text = text.arg(static_cast<qulonglong>(problem.length));
  } else {
    text = text.arg(QString::fromLatin1(SerialCharText(problem.character).c_str()))
               .arg(static_cast<qulonglong>(problem.position));
  }
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}
}  // namespace

TMainWindow::TMainWindow(QWidget* parent) : QWidget(parent), reporter_(MakeMessageBoxReporter(this)) {
  BuildForm();
  // Model -> field: a serial written by the label rules (the print command's
  // check and increment) shows in the field, whose change handler follows.
  state_.SetSerialHook([this](const std::string& serial) {
    const QString text = QString::fromLatin1(serial.data(), static_cast<qsizetype>(serial.size()));
    if (SerialField->text() != text) SerialField->setText(text);
  });
  state_.SetSerial(SerialField->text().toStdString());
  ConnectHandlers();
  FormCreate();
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::FormCreate() {
  Trace("FormCreate");
  state_.LoadScheme(SchemeId::Active_EDP);
  STD_3of9->setChecked(true);  // unchecked on the form: its handler sets up the maker
  state_.SetMediaMode(TMediaMode::Standard3of9);
  Serial_Color->setChecked(true);
  ColorCells();
}

void TMainWindow::SerialChange() {
  Trace("SerialChange");
  // Field -> model. The model's hook finds the field already holding the text.
  state_.SetSerial(SerialField->text().toStdString());
  if (state_.Serial().size() == kSerialLength) RefreshPreview();
  ShowSerialProblem();
}

void TMainWindow::ShowSerialProblem() {
  // The preview keeps the last printable serial; the status bar says why the
  // one typed is not (Print refuses it with the same reason behind its caption).
  if (const std::optional<TSerialProblem> problem = state_.SequenceProblem())
    StatusBar->showMessage(SerialProblemText(*problem));
  else
    StatusBar->clearMessage();
}

void TMainWindow::RefreshPreview() {
  Trace("RefreshPreview");
  const std::string& serial = state_.Serial();
  SyncBarcodeText(serial + Media_Type->Caption().toStdString());
  const bool rotated = Text_Rotate->isChecked();
  for (int n = 1; n <= 6; ++n) {
    // Rotated: character 1 on the rightmost cell; upright: on the leftmost.
    const std::size_t pos = static_cast<std::size_t>(rotated ? n : 7 - n);
    if (pos <= serial.size()) LBL(n)->SetCaption(QString(QLatin1Char(serial[pos - 1])));
  }
  if (Serial_Color->isChecked())
    ColorCells();
  else
    WhitenCells();
}

void TMainWindow::ColorCells() {
  Trace("ColorCells");
  const TColor letter = state_.Colors[kLetterColorEntry];
  if (!Serial_Color->isChecked()) {
    for (TShape* cell : Cells) cell->SetBrushColor(letter);
    return;
  }
  const bool rotated = Text_Rotate->isChecked();
  const std::string& serial = state_.Serial();
  for (std::size_t pos = 1; pos <= kSerialLength; ++pos) {
    TShape* cell = Cell(static_cast<int>(rotated ? pos : 7 - pos));
    // Past the end of a short serial the cell takes the letter colour.
    const char c = pos <= serial.size() ? serial[pos - 1] : ' ';
    cell->SetBrushColor(c >= '0' && c <= '9' ? state_.Colors[static_cast<std::size_t>(c - '0')] : letter);
  }
}

void TMainWindow::WhitenCells() {
  for (TShape* cell : Cells) cell->SetBrushColor(kWhite);
}

void TMainWindow::Serial_ColorClick() {
  Trace("Serial_ColorClick");
  const TMediaMode mode = state_.MediaMode();
  // Diagnostic and cleaning labels are never coloured.
  if (mode == TMediaMode::StkDiagnostic || mode == TMediaMode::StkCleaning) Serial_Color->setChecked(false);
  if (Serial_Color->isChecked())
    ColorCells();
  else
    WhitenCells();
}

QRect TMainWindow::MediaLetterBox(bool rotated) { return rotated ? QRect(15, 22, 14, 10) : QRect(197, 17, 11, 14); }

void TMainWindow::Text_RotateClick() {
  Trace("Text_RotateClick");
  const bool rotated = Text_Rotate->isChecked();
  const int angle = rotated ? 270 : 0;
  for (TMyLabelRotate* label : labels_) label->LabelStyle().SetAngle(angle);
  Media_Type->LabelStyle().SetAngle(angle);
  Media_Type->setGeometry(MediaLetterBox(rotated));
  for (int n = 1; n <= 3; ++n) {
    const QString left = LBL(n)->Caption();
    LBL(n)->SetCaption(LBL(7 - n)->Caption());
    LBL(7 - n)->SetCaption(left);
  }
  ColorCells();
}

void TMainWindow::Bar_RotateClick() {
  Trace("Bar_RotateClick");
  PreviewBarcode->SetBar_Rotation(Bar_Rotate->isChecked() ? rotate_180 : rotate_000);
}

void TMainWindow::SyncBarcodeText(const std::string& text) {
  PreviewBarcode->SetBar_Caption(text);
  state_.SetBarcodeText(text);
}

// --- The serial field and the preview -------------------------------------------

void TMainWindow::SetSerialText(const std::string& text) { state_.SetSerial(text); }

void TMainWindow::EnableSerialField() { SerialField->setEnabled(true); }

void TMainWindow::SetReporter(std::unique_ptr<TMessageReporter> reporter) {
  reporter_ = reporter ? std::move(reporter) : MakeMessageBoxReporter(this);
}

}  // namespace vantor
