// The main window's controls: geometry, captions, fonts and colours, and the
// wiring of each control to its handler.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <initializer_list>

#include "app/window/Icons.h"
#include "app/window/MainWindow.h"
#include "app/window/MessageReporter.h"
#include "app/window/SerialField.h"
#include "app/window/Shape.h"
#include "app/window/WindowPlacement.h"
#include "barcode/widgets/Barcode.h"
#include "dlt/MediaSetup.h"
#include "qt/QtFonts.h"
#include "rotlabel/widgets/MyRotateWidget.h"

namespace vantor {

namespace {

constexpr int kClientWidth = 415;
constexpr int kClientHeight = 376;
const QColor kMaroon(0x80, 0x00, 0x00);

QFont UiFont(int pixels, bool bold) { return WindowFont(kWindowFace, pixels, bold); }

// Disabled controls keep the style's greyed text.
void SetTextColor(QWidget* w, const QColor& color,
                  std::initializer_list<QPalette::ColorRole> roles = {QPalette::WindowText, QPalette::ButtonText}) {
  QPalette pal = w->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    for (QPalette::ColorRole role : roles) pal.setColor(group, role, color);
  w->setPalette(pal);
}

template <typename T>
T* Make(QWidget* parent, const char* name, const QRect& geometry) {
  T* w = new T(parent);
  w->setObjectName(QString::fromLatin1(name));
  w->setGeometry(geometry);
  return w;
}

QRadioButton* MakeRadio(QGroupBox* group, const char* name, const char* caption, const QRect& geometry) {
  auto* b = Make<QRadioButton>(group, name, geometry);
  b->setText(QString::fromLatin1(caption));
  b->setFont(UiFont(11, false));
  SetTextColor(b, Qt::black);
  return b;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
  auto* c = Make<QCheckBox>(parent, name, geometry);
  c->setText(QString::fromLatin1(caption));
  c->setFont(UiFont(11, true));
  SetTextColor(c, kMaroon);
  c->setChecked(true);
  return c;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
  auto* g = Make<QGroupBox>(parent, name, geometry);
  g->setTitle(QString::fromLatin1(caption));
  g->setFont(UiFont(11, true));
  SetTextColor(g, kMaroon);
  return g;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const QRect& geometry,
                        const QIcon& glyph) {
  auto* b = Make<QPushButton>(parent, name, geometry);
  b->setText(QString::fromLatin1(caption));
  b->setIcon(glyph);
  b->setIconSize(QSize(16, 16));
  return b;
}

// A character label of the preview as stored on the form: "0", turned to 270.
TMyLabelRotate* MakeCharLabel(QWidget* panel, const char* name, const char* caption, const QRect& geometry, int pixels,
                              bool bold) {
  auto* l = Make<TMyLabelRotate>(panel, name, geometry);
  l->SetCaption(QString::fromLatin1(caption));
  l->setFont(WindowFont("Arial", pixels, bold));
  l->SetFontColor(l->palette().color(QPalette::WindowText));
  l->LabelStyle().SetAngle(270);
  l->LabelStyle().SetAStyle3D(A3dNormal);
  l->LabelStyle().SetAShadeLTSet(false);
  return l;
}

}  // namespace

void TMainWindow::BuildForm() {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Vantor"));
  setWindowIcon(MainWindowIcon());
  // Fixed single border: system menu and minimise only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(UiFont(11, false));

  ClientArea = Make<QWidget>(this, "ClientArea", QRect(0, 0, kClientWidth, kClientHeight));
  TitleLabel = Make<TMyLabelRotate>(ClientArea, "TitleLabel", QRect(112, 16, 193, 25));
  TitleLabel->SetCaption(QStringLiteral("Vantor"));
  TitleLabel->setFont(WindowFont("Comic Sans MS", 29));
  TitleLabel->SetFontColor(Qt::red);
  TitleLabel->LabelStyle().SetAStyle3D(A3dResit);
  TitleLabel->LabelStyle().SetAShadeLTSet(false);

  BuildSelection();
  BuildPreview();
  BuildButtons();

  // The bar takes its height from the style and font; the client area goes
  // below it unchanged and the window grows by that much.
  BuildMenuBar();
  const int bar = MenuBar->sizeHint().height();
  MenuBar->setGeometry(0, 0, kClientWidth, bar);
  ClientArea->move(0, bar);
  setFixedSize(kClientWidth, kClientHeight + bar);

  // Tab goes the way the eye reads the window: maker, media, sequence, the
  // check boxes, Colours, then the buttons down the right. The group boxes
  // take part through their buttons and the serial field.
  QWidget* const order[] = {STD_3of9,     STK,         Breece,      OtherMaker,   STK_IV,      STK_III,
                            STK_CLN,      STK_DGN,     SerialField, Serial_Color, Text_Rotate, Bar_Rotate,
                            ColorsButton, PrintButton, HelpButton,  QuitButton};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  // The focus still starts on Print, as it always has.
  PrintButton->setFocus();

  CentreOnFirstShow(*this);
}

void TMainWindow::BuildSelection() {
  MakerGroup = MakeGroup(ClientArea, "MakerGroup", " Vendor ", QRect(16, 56, 113, 97));
  STD_3of9 = MakeRadio(MakerGroup, "STD_3of9", "Standard 3 of 9", QRect(8, 24, 97, 17));
  STK = MakeRadio(MakerGroup, "STK", "Storagetek", QRect(8, 40, 97, 17));
  Breece = MakeRadio(MakerGroup, "Breece", "Breece Hill", QRect(8, 56, 97, 17));
  OtherMaker = MakeRadio(MakerGroup, "OtherMaker", "Other", QRect(8, 72, 97, 17));

  StorageTekGroup = MakeGroup(ClientArea, "StorageTekGroup", "StorageTek  ", QRect(136, 56, 129, 97));
  STK_IV = MakeRadio(StorageTekGroup, "STK_IV", "STK DLT IV", QRect(8, 24, 113, 17));
  STK_III = MakeRadio(StorageTekGroup, "STK_III", "STK DLT III XT", QRect(8, 40, 113, 17));
  STK_CLN = MakeRadio(StorageTekGroup, "STK_CLN", "STK Cleaning", QRect(8, 56, 113, 17));
  STK_DGN = MakeRadio(StorageTekGroup, "STK_DGN", "STK Diagnostic", QRect(8, 72, 113, 17));

  SequenceGroup = MakeGroup(ClientArea, "SequenceGroup", " Sequence ", QRect(272, 56, 129, 97));
  SerialField = Make<QLineEdit>(SequenceGroup, "SerialField", QRect(24, 37, 81, 28));
  SerialField->setFont(UiFont(16, true));
  // Disabled (a fixed serial, such as the diagnostic "DG 000") it greys out.
  SetTextColor(SerialField, Qt::black, {QPalette::Text});
  SerialField->setValidator(new TSerialValidator(SerialField));
  SerialField->setMaxLength(static_cast<int>(kSerialLength));
  SerialField->setText(QStringLiteral("000000"));
  SerialExample = Make<QLabel>(SequenceGroup, "SerialExample", QRect(32, 72, 0, 0));
  SerialExample->setText(QStringLiteral("Ex: 000000"));
  SerialExample->adjustSize();

  PreviewCaption = Make<QLabel>(ClientArea, "PreviewCaption", QRect(24, 160, 0, 0));
  PreviewCaption->setText(QStringLiteral("Barcode sample"));
  PreviewCaption->setFont(UiFont(11, true));
  SetTextColor(PreviewCaption, kMaroon);
  PreviewCaption->setAutoFillBackground(false);
  PreviewCaption->adjustSize();
}

void TMainWindow::BuildPreview() {
  PreviewPanel = Make<QFrame>(ClientArea, "PreviewPanel", QRect(16, 176, 225, 89));
  // Inner and outer bevel lowered: a two-pixel sunken edge round a white face.
  PreviewPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PreviewPanel->setLineWidth(2);
  QPalette white = PreviewPanel->palette();
  white.setColor(QPalette::Window, Qt::white);
  PreviewPanel->setPalette(white);
  PreviewPanel->setAutoFillBackground(true);

  PreviewBarcode = Make<TBarcode>(PreviewPanel, "PreviewBarcode", QRect(12, 32, 198, 48));
  PreviewBarcode->SetBar_Caption("000000D");
  PreviewBarcode->SetBar_CodeType(CODE39);
  PreviewBarcode->SetBar_Fontname("Arial");
  PreviewBarcode->SetBar_Fontscaling(150);
  PreviewBarcode->SetBar_HeightPercent(50);
  PreviewBarcode->SetBar_HighDensity(false);
  PreviewBarcode->SetBar_HumanReadable(false);
  PreviewBarcode->SetBar_ModuleWidth(SC5);
  PreviewBarcode->SetBar_Ratio(Ratio_2);
  PreviewBarcode->SetBar_Rotation(rotate_180);
  PreviewBarcode->SetBar_WidthReduce(true);
  PreviewBarcode->SetBar_ZoomSize(true);
  state_.SetBarcodeText("000000D");

  // Cells first, so the character labels paint over them.
  static constexpr const char* kCellNames[] = {"Cell1", "Cell2", "Cell3", "Cell4", "Cell5", "Cell6"};
  static constexpr const char* kLabelNames[] = {"LBL_1", "LBL_2", "LBL_3", "LBL_4", "LBL_5", "LBL_6"};
  for (int n = 6; n >= 1; --n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const QRect cell(kLabelsOnCells[i].x, kLabelsOnCells[i].y, 33, 25);
    Cells[i] = Make<TShape>(PreviewPanel, kCellNames[i], cell);
  }
  for (int n = 6; n >= 1; --n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const QRect cell(kLabelsOnCells[i].x, kLabelsOnCells[i].y, 33, 25);
    labels_[i] = MakeCharLabel(PreviewPanel, kLabelNames[i], "0", cell, 16, true);
  }
  LBL_1 = labels_[0], LBL_2 = labels_[1], LBL_3 = labels_[2];
  LBL_4 = labels_[3], LBL_5 = labels_[4], LBL_6 = labels_[5];

  Media_Type = MakeCharLabel(PreviewPanel, "Media_Type", "D", MediaLetterBox(true), 11, false);
}

void TMainWindow::BuildButtons() {
  PrintButton = MakeButton(ClientArea, "PrintButton", "Print", QRect(288, 168, 105, 35), PrintButtonIcon());
  HelpButton = MakeButton(ClientArea, "HelpButton", "Help", QRect(288, 208, 105, 35),
                          style()->standardIcon(QStyle::SP_DialogHelpButton));
  QuitButton = MakeButton(ClientArea, "QuitButton", "&Quit", QRect(288, 249, 105, 35),
                          style()->standardIcon(QStyle::SP_DialogCloseButton));

  Serial_Color = MakeCheck(ClientArea, "Serial_Color", "Colored sequence", QRect(24, 272, 137, 17));
  Text_Rotate = MakeCheck(ClientArea, "Text_Rotate", "Rotated sequence", QRect(24, 296, 137, 17));
  Bar_Rotate = MakeCheck(ClientArea, "Bar_Rotate", "Rotate barcode", QRect(24, 320, 129, 17));

  ColorsButton = MakeButton(ClientArea, "ColorsButton", "Colors", QRect(169, 291, 92, 38), ColorsButtonIcon());

  StatusBar = Make<QStatusBar>(ClientArea, "StatusBar", QRect(0, 351, kClientWidth, 25));
  StatusBar->setSizeGripEnabled(false);
  const std::pair<const char*, int> panels[] = {{"Version 3.2", 90}, {"By Orlis", 80}};
  for (const auto& [text, width] : panels) {
    auto* panel = new QLabel(QString::fromLatin1(text), StatusBar);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFixedWidth(width);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar->addWidget(panel);
  }
}

void TMainWindow::ConnectHandlers() {
  // A radio button's handler runs when it becomes checked, by click or from
  // code; being unchecked runs nothing.
  const std::pair<QRadioButton*, void (TMainWindow::*)()> radios[] = {
      {STD_3of9, &TMainWindow::STD_3of9Click}, {STK, &TMainWindow::STKClick},
      {Breece, &TMainWindow::BreeceClick},     {OtherMaker, &TMainWindow::OtherMakerClick},
      {STK_IV, &TMainWindow::STK_IVClick},     {STK_III, &TMainWindow::STK_IIIClick},
      {STK_CLN, &TMainWindow::STK_CLNClick},   {STK_DGN, &TMainWindow::STK_DGNClick}};
  for (const auto& [button, handler] : radios) {
    connect(button, &QRadioButton::toggled, this, [this, handler = handler](bool checked) {
      if (checked) (this->*handler)();
    });
  }
  // A check box's handler runs on every change of state, by click or from code.
  connect(Serial_Color, &QCheckBox::toggled, this, &TMainWindow::Serial_ColorClick);
  connect(Text_Rotate, &QCheckBox::toggled, this, &TMainWindow::Text_RotateClick);
  connect(Bar_Rotate, &QCheckBox::toggled, this, &TMainWindow::Bar_RotateClick);
  // textChanged: typing, pasting and setText alike, only on a real change.
  connect(SerialField, &QLineEdit::textChanged, this, &TMainWindow::SerialChange);

  connect(PrintButton, &QPushButton::clicked, this, &TMainWindow::PrintClick);
  connect(HelpButton, &QPushButton::clicked, this, &TMainWindow::HelpClick);
  connect(ColorsButton, &QPushButton::clicked, this, &TMainWindow::ColorsClick);
  connect(QuitButton, &QPushButton::clicked, this, &QWidget::close);

  // A preview that cannot be drawn (a serial Code 39 cannot hold) is reported
  // once per message, after the paint that found it.
  connect(
      PreviewBarcode, &TCustomBarcode::paintFailed, this, [this](const QString& message) { reporter_->Error(message); },
      Qt::QueuedConnection);
}

}  // namespace vantor
