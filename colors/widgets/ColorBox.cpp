#include "colors/widgets/ColorBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "barcode/widgets/Barcode.h"
#include "colors/widgets/ColorCell.h"
#include "qt/QtFonts.h"

namespace vantor {

namespace {

// The stored layout, in pixels at 96 dots per inch. The dialog's 592 x 295 is
// its outer size; the client area leaves out a 4-pixel border and a 19-pixel
// caption bar.
constexpr QPoint kDialogPos{126, 86};
constexpr QSize kClientSize{592 - 8, 295 - 27};
constexpr QRect kGroupBox1{8, 6, 373, 147};
constexpr QRect kGroupBox2{8, 166, 373, 91};
constexpr QRect kPanel1{402, 24, 163, 89};
constexpr QRect kBarcode2{11, 32, 140, 53};
constexpr QRect kOkButton{440, 136, 91, 33};
constexpr QRect kCancelButton{440, 184, 91, 33};

// Swatches, inside GroupBox1: one per digit, then the wider letter swatch.
constexpr int kSwatchTop = 24;
constexpr int kSwatchLeft = 50;
constexpr int kSwatchStep = 24;
constexpr int kSwatchSize = 25;
constexpr QRect kAlphaSwatch{290, 24, 53, 25};

// Custom alpha, inside GroupBox2.
constexpr QPoint kActiveAlphaPos{27, 27};
constexpr QSize kCheckBoxSize{17, 17};
constexpr QRect kActiveLabel{17, 46, 37, 13};
constexpr QRect kAlphaSlider{128, 24, 177, 40};
constexpr QSize kSliderDigitSize{12, 15};

// Sample cells inside Panel1: three letters, then three zeros.
constexpr int kCellTop = 8;
constexpr int kCellLeft = 8;
constexpr int kCellStep = 24;
constexpr const char* kCellCaptions[kSampleCellCount] = {"A", "B", "C", "0", "0", "0"};

const QColor kMaroon(0x80, 0x00, 0x00);

struct TSchemeButtonRow {
  SchemeId id;
  int left;
  int top;
};
// Radio buttons inside GroupBox1, two columns of three.
constexpr TSchemeButtonRow kSchemeButtons[] = {
    {SchemeId::EDP_Vibrant, 20, 64}, {SchemeId::EDP_Pastel, 20, 88}, {SchemeId::Active_EDP, 20, 112},
    {SchemeId::Wrightline, 150, 64}, {SchemeId::Tab, 150, 88},       {SchemeId::Dataware, 150, 112},
};
static_assert(std::size(kSchemeButtons) == kSchemeCount);
constexpr QSize kSchemeButtonSize{121, 17};

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TColorBox::TColorBox(TColorTable& colors, TSelectStandard3of9 selectStandard3of9, QWidget* parent)
    : QDialog(parent), colors_(colors), selectStandard3of9_(std::move(selectStandard3of9)) {
  setWindowTitle(QStringLiteral("Colors"));
  setFont(WindowFont(kWindowFace, 11));
  setFixedSize(kClientSize);
  move(kDialogPos);

  // Created in tab order: the schemes, custom alpha, then the buttons.
  groupBox1_ = new QGroupBox(QStringLiteral("Numerical Colors "), this);
  groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
  groupBox1_->setGeometry(kGroupBox1);
  CreateSwatches();
  CreateSchemeButtons();
  CreateCustomAlpha();
  CreateSample();
  CreateButtons();

  FormCreate();
  SchemeButton(SchemeId::Active_EDP)->setFocus();
}

void TColorBox::CreateSwatches() {
  for (std::size_t d = 0; d < kSwatchCount; ++d) {
    const bool alpha = d == kAlphaEntry;
    auto* cell = new TColorCell(alpha ? QStringLiteral("Alpha") : QString::number(d), groupBox1_);
    cell->setObjectName(alpha ? QStringLiteral("Std_A") : QStringLiteral("Std_%1").arg(d));
    cell->setGeometry(
        alpha ? kAlphaSwatch
              : QRect(kSwatchLeft + kSwatchStep * static_cast<int>(d), kSwatchTop, kSwatchSize, kSwatchSize));
    swatches_[d] = cell;
  }
}

void TColorBox::CreateSchemeButtons() {
  using THandler = void (TColorBox::*)();
  constexpr THandler kHandlers[kSchemeCount] = {&TColorBox::EDP_VibrantClick, &TColorBox::EDP_PastelClick,
                                                &TColorBox::Active_EDPClick,  &TColorBox::WrightlineClick,
                                                &TColorBox::TabClick,         &TColorBox::DatawareClick};
  for (const TSchemeButtonRow& row : kSchemeButtons) {
    const std::size_t i = static_cast<std::size_t>(row.id);
    const ColorScheme& scheme = Scheme(row.id);
    auto* button = new QRadioButton(FromView(scheme.caption), groupBox1_);
    button->setObjectName(FromView(scheme.component));
    button->setGeometry(QRect(QPoint(row.left, row.top), kSchemeButtonSize));
    // "Other EDP" is checked in the stored layout, before any handler is bound.
    button->setChecked(row.id == SchemeId::Active_EDP);
    // A radio button's click runs when it becomes checked, by the operator or from code.
    const THandler handler = kHandlers[i];
    connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
      if (on) (this->*handler)();
    });
    schemeButtons_[i] = button;
  }
}

void TColorBox::CreateCustomAlpha() {
  groupBox2_ = new QGroupBox(QStringLiteral(" Custom Alpha "), this);
  groupBox2_->setObjectName(QStringLiteral("GroupBox2"));
  groupBox2_->setGeometry(kGroupBox2);

  activeAlpha_ = new QCheckBox(groupBox2_);
  activeAlpha_->setObjectName(QStringLiteral("Active_Alpha"));
  activeAlpha_->setGeometry(QRect(kActiveAlphaPos, kCheckBoxSize));
  auto* active = new QLabel(QStringLiteral("Active"), groupBox2_);
  active->setGeometry(kActiveLabel);
  active->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  alphaSlider_ = new QSlider(Qt::Horizontal, groupBox2_);
  alphaSlider_->setObjectName(QStringLiteral("Alpha_Slider"));
  alphaSlider_->setGeometry(kAlphaSlider);
  alphaSlider_->setRange(kAlphaDigitMin, kAlphaDigitMax);
  alphaSlider_->setSingleStep(1);
  alphaSlider_->setPageStep(1);
  alphaSlider_->setTickInterval(1);
  alphaSlider_->setTickPosition(QSlider::TicksBelow);
  alphaSlider_->setFocusPolicy(Qt::StrongFocus);
  alphaSlider_->setValue(kAlphaDigitMin);

  for (int d = kAlphaDigitMin; d <= kAlphaDigitMax; ++d) {
    auto* digit = new QLabel(QString::number(d), groupBox2_);
    digit->setFont(WindowFont("Arial", 12, true));
    QPalette pal = digit->palette();
    pal.setColor(QPalette::WindowText, kMaroon);
    digit->setPalette(pal);
    digit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    sliderDigits_[static_cast<std::size_t>(d)] = digit;
  }
  PlaceSliderDigits();

  // The check box's handler runs when its state changes; the custom alpha also
  // runs when focus moves into the box and on every slider move.
  connect(activeAlpha_, &QCheckBox::toggled, this, [this](bool) { Active_AlphaClick(); });
  activeAlpha_->installEventFilter(this);
  connect(alphaSlider_, &QSlider::valueChanged, this, [this](int) { Active_AlphaClick(); });
}

void TColorBox::PlaceSliderDigits() {
  // The same arithmetic the style uses for the tick marks, so each digit sits
  // under its own position.
  QStyleOptionSlider opt;
  opt.initFrom(alphaSlider_);
  opt.orientation = Qt::Horizontal;
  opt.minimum = alphaSlider_->minimum();
  opt.maximum = alphaSlider_->maximum();
  opt.sliderPosition = alphaSlider_->value();
  opt.sliderValue = alphaSlider_->value();
  opt.singleStep = alphaSlider_->singleStep();
  opt.pageStep = alphaSlider_->pageStep();
  opt.tickPosition = alphaSlider_->tickPosition();
  opt.tickInterval = alphaSlider_->tickInterval();
  const QStyle* s = alphaSlider_->style();
  const int length = s->pixelMetric(QStyle::PM_SliderLength, &opt, alphaSlider_);
  const int available = s->pixelMetric(QStyle::PM_SliderSpaceAvailable, &opt, alphaSlider_);
  const QRect slider = alphaSlider_->geometry();
  for (int d = kAlphaDigitMin; d <= kAlphaDigitMax; ++d) {
    const int centre =
        slider.left() + QStyle::sliderPositionFromValue(opt.minimum, opt.maximum, d, available) + length / 2;
    QRect box(QPoint(0, slider.bottom() + 1), kSliderDigitSize);
    box.moveLeft(centre - kSliderDigitSize.width() / 2);
    sliderDigits_[static_cast<std::size_t>(d)]->setGeometry(box);
  }
}

void TColorBox::CreateSample() {
  panel1_ = new QFrame(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setGeometry(kPanel1);
  panel1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel1_->setAutoFillBackground(true);
  QPalette pal = panel1_->palette();
  pal.setColor(QPalette::Window, Qt::white);
  panel1_->setPalette(pal);

  for (std::size_t i = 0; i < kSampleCellCount; ++i) {
    auto* cell = new TColorCell(QString::fromLatin1(kCellCaptions[i]), panel1_);
    cell->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
    cell->setGeometry(kCellLeft + kCellStep * static_cast<int>(i), kCellTop, kSwatchSize, kSwatchSize);
    cells_[i] = cell;
  }

  // Only decoration: a short Code 39 under the cells.
  barcode2_ = new TBarcode(panel1_);
  barcode2_->setObjectName(QStringLiteral("Barcode2"));
  barcode2_->setGeometry(kBarcode2);
  barcode2_->SetBar_CodeType(CODE39);
  barcode2_->SetBar_Caption("00000");
  barcode2_->SetBar_ModuleWidth(SC2);
  barcode2_->SetBar_HeightPercent(75);
  barcode2_->SetBar_WidthReduce(true);
  barcode2_->SetBar_ZoomSize(true);
  barcode2_->SetBar_HumanReadable(false);
  barcode2_->SetBar_Fontname("Arial");
}

void TColorBox::CreateButtons() {
  okButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("BitBtn1"));
  okButton_->setGeometry(kOkButton);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

  cancelButton_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
  cancelButton_->setObjectName(QStringLiteral("BitBtn2"));
  cancelButton_->setGeometry(kCancelButton);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

bool TColorBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == activeAlpha_ && event->type() == QEvent::FocusIn) {
    // Focus moving into the box from another control counts; the dialog
    // getting the focus back when it is reopened or reactivated does not, or
    // merely opening it would change the letter colour.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Active_AlphaClick();
  }
  return QDialog::eventFilter(watched, event);
}

void TColorBox::FormCreate() {
  // Both are already so in the stored layout: no handler runs and the table
  // keeps what the main window put there.
  SchemeButton(SchemeId::Active_EDP)->setChecked(true);
  activeAlpha_->setChecked(false);
  PaintSwatches();
}

void TColorBox::EDP_VibrantClick() { ChooseScheme(SchemeId::EDP_Vibrant); }
void TColorBox::EDP_PastelClick() { ChooseScheme(SchemeId::EDP_Pastel); }
void TColorBox::Active_EDPClick() { ChooseScheme(SchemeId::Active_EDP); }
void TColorBox::WrightlineClick() { ChooseScheme(SchemeId::Wrightline); }
void TColorBox::TabClick() { ChooseScheme(SchemeId::Tab); }
void TColorBox::DatawareClick() { ChooseScheme(SchemeId::Dataware); }

void TColorBox::ChooseScheme(SchemeId id) {
  // Clearing a checked box runs the custom alpha once more, against the old
  // table; the scheme then overwrites its letter colour.
  activeAlpha_->setChecked(false);
  ApplyScheme(colors_, id);
  PaintSwatches();
  SelectStandard3of9();
}

void TColorBox::Active_AlphaClick() {
  // The box's state is not consulted: on, off, focus or slider all apply the digit.
  const int digit = alphaSlider_->value();
  PaintSampleCells(CustomAlphaCellColors(colors_, digit));
  ApplyCustomAlpha(colors_, digit);
  SelectStandard3of9();
}

void TColorBox::PaintSwatches() {
  const TSwatchColors paint = SchemeSwatchColors(colors_);
  for (std::size_t i = 0; i < kSwatchCount; ++i) swatches_[i]->SetColor(paint.Swatches[i]);
  PaintSampleCells(paint.Cells);
}

void TColorBox::PaintSampleCells(const TSampleCells& colors) {
  for (std::size_t i = 0; i < kSampleCellCount; ++i) cells_[i]->SetColor(colors[i]);
}

void TColorBox::SelectStandard3of9() {
  if (selectStandard3of9_) selectStandard3of9_();
}

}  // namespace vantor
