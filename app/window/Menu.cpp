// The main window: start-up, the serial field and the preview.
#include "app/window/Menu.h"

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
constexpr std::size_t kLetterColourEntry = 10;

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

TMainMenu::TMainMenu(QWidget* parent) : QWidget(parent), reporter_(MakeMessageBoxReporter(this)) {
  BuildForm();
  // Model -> field: a serial written by the label rules (the print command's
  // check and increment) shows in the field, whose change handler follows.
  state_.SetSerialHook([this](const std::string& serial) {
    const QString text = QString::fromLatin1(serial.data(), static_cast<qsizetype>(serial.size()));
    if (Seq_Num->text() != text) Seq_Num->setText(text);
  });
  state_.SetSerial(Seq_Num->text().toStdString());
  ConnectHandlers();
  FormCreate();
}

TMainMenu::~TMainMenu() = default;

void TMainMenu::FormCreate() {
  Trace("FormCreate");
  state_.LoadScheme(SchemeId::Active_EDP);
  STD_3of9->setChecked(true);  // unchecked on the form: its handler sets up the maker
  state_.SetMediaMode(TMediaMode::Standard3of9);
  Serial_Color->setChecked(true);
  ColorCells();
}

void TMainMenu::Seq_NumChange() {
  Trace("Seq_NumChange");
  // Field -> model. The model's hook finds the field already holding the text.
  state_.SetSerial(Seq_Num->text().toStdString());
  if (state_.Serial().size() == kSerialLength) RefreshPreview();
  ShowSerialProblem();
}

void TMainMenu::ShowSerialProblem() {
  // The preview keeps the last printable serial; the status bar says why the
  // one typed is not (Print refuses it with the same reason behind its caption).
  if (const std::optional<TSerialProblem> problem = state_.SequenceProblem())
    StatusBar1->showMessage(SerialProblemText(*problem));
  else
    StatusBar1->clearMessage();
}

void TMainMenu::RefreshPreview() {
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

void TMainMenu::ColorCells() {
  Trace("ColorCells");
  const TColor letter = state_.Colors[kLetterColourEntry];
  if (!Serial_Color->isChecked()) {
    for (TShape* cell : shapes_) cell->SetBrushColor(letter);
    return;
  }
  const bool rotated = Text_Rotate->isChecked();
  const std::string& serial = state_.Serial();
  for (std::size_t pos = 1; pos <= kSerialLength; ++pos) {
    TShape* cell = Shape(static_cast<int>(rotated ? pos : 7 - pos));
    // Past the end of a short serial the cell takes the letter colour.
    const char c = pos <= serial.size() ? serial[pos - 1] : ' ';
    cell->SetBrushColor(c >= '0' && c <= '9' ? state_.Colors[static_cast<std::size_t>(c - '0')] : letter);
  }
}

void TMainMenu::WhitenCells() {
  for (TShape* cell : shapes_) cell->SetBrushColor(kWhite);
}

void TMainMenu::Serial_ColorClick() {
  Trace("Serial_ColorClick");
  const TMediaMode mode = state_.MediaMode();
  // Diagnostic and cleaning labels are never coloured.
  if (mode == TMediaMode::StkDiagnostic || mode == TMediaMode::StkCleaning) Serial_Color->setChecked(false);
  if (Serial_Color->isChecked())
    ColorCells();
  else
    WhitenCells();
}

QRect TMainMenu::MediaLetterBox(bool rotated) { return rotated ? QRect(15, 22, 14, 10) : QRect(197, 17, 11, 14); }

void TMainMenu::Text_RotateClick() {
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

void TMainMenu::Bar_RotateClick() {
  Trace("Bar_RotateClick");
  Barcode1->SetBar_Rotation(Bar_Rotate->isChecked() ? rotate_180 : rotate_000);
}

void TMainMenu::SyncBarcodeText(const std::string& text) {
  Barcode1->SetBar_Caption(text);
  state_.SetBarcodeText(text);
}

// --- The sheet's view of the window ---------------------------------------------

std::string TMainMenu::SerialText() const { return Seq_Num->text().toStdString(); }

void TMainMenu::SetSerialText(const std::string& text) { state_.SetSerial(text); }

void TMainMenu::EnableSerialField() { Seq_Num->setEnabled(true); }

std::string TMainMenu::BarcodeText() const { return Barcode1->Bar_Caption(); }

void TMainMenu::SetBarcodeText(const std::string& text) { SyncBarcodeText(text); }

bool TMainMenu::ColoredSequence() const { return Serial_Color->isChecked(); }

TColor TMainMenu::DigitColor(int digit) const {
  return digit >= 0 && digit <= 9 ? state_.Colors[static_cast<std::size_t>(digit)] : state_.Colors[kLetterColourEntry];
}

void TMainMenu::NextSequence() {
  Trace("NextSequence");
  if (state_.NextSequence()) SyncBarcodeText(state_.BarcodeText());
}

void TMainMenu::DrawBarcode(TSurface& page, int x, int y) { Barcode1->LoMetricPrint(page, x, y); }

void TMainMenu::SetReporter(std::unique_ptr<TMessageReporter> reporter) {
  reporter_ = reporter ? std::move(reporter) : MakeMessageBoxReporter(this);
}

}  // namespace vantor
