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
#include "app/window/Menu.h"
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
void SetTextColour(QWidget* w, const QColor& colour,
                   std::initializer_list<QPalette::ColorRole> roles = {QPalette::WindowText, QPalette::ButtonText}) {
  QPalette pal = w->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    for (QPalette::ColorRole role : roles) pal.setColor(group, role, colour);
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
  SetTextColour(b, Qt::black);
  return b;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
  auto* c = Make<QCheckBox>(parent, name, geometry);
  c->setText(QString::fromLatin1(caption));
  c->setFont(UiFont(11, true));
  SetTextColour(c, kMaroon);
  c->setChecked(true);
  return c;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
  auto* g = Make<QGroupBox>(parent, name, geometry);
  g->setTitle(QString::fromLatin1(caption));
  g->setFont(UiFont(11, true));
  SetTextColour(g, kMaroon);
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

void TMainMenu::BuildForm() {
  setObjectName(QStringLiteral("MainMenu"));
  setWindowTitle(QStringLiteral("Vantor"));
  setWindowIcon(MainWindowIcon());
  // Fixed single border: system menu and minimise only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(UiFont(11, false));

  ClientArea = Make<QWidget>(this, "ClientArea", QRect(0, 0, kClientWidth, kClientHeight));
  MyLabelRotate1 = Make<TMyLabelRotate>(ClientArea, "MyLabelRotate1", QRect(112, 16, 193, 25));
  MyLabelRotate1->SetCaption(QStringLiteral("Vantor"));
  MyLabelRotate1->setFont(WindowFont("Comic Sans MS", 29));
  MyLabelRotate1->SetFontColor(Qt::red);
  MyLabelRotate1->LabelStyle().SetAStyle3D(A3dResit);
  MyLabelRotate1->LabelStyle().SetAShadeLTSet(false);

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
  QWidget* const order[] = {STD_3of9, STK,          Breece,      RadioButton1, STK_IV,  STK_III,   STK_CLN, STK_DGN,
                            Seq_Num,  Serial_Color, Text_Rotate, Bar_Rotate,   BitBtn4, Print_Btn, BitBtn3, BitBtn1};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  // The focus still starts on Print, as it always has.
  Print_Btn->setFocus();

  CentreOnFirstShow(*this);
}

void TMainMenu::BuildSelection() {
  GroupBox2 = MakeGroup(ClientArea, "GroupBox2", " Vendor ", QRect(16, 56, 113, 97));
  STD_3of9 = MakeRadio(GroupBox2, "STD_3of9", "Standard 3 of 9", QRect(8, 24, 97, 17));
  STK = MakeRadio(GroupBox2, "STK", "Storagetek", QRect(8, 40, 97, 17));
  Breece = MakeRadio(GroupBox2, "Breece", "Breece Hill", QRect(8, 56, 97, 17));
  RadioButton1 = MakeRadio(GroupBox2, "RadioButton1", "Other", QRect(8, 72, 97, 17));

  GroupBox1 = MakeGroup(ClientArea, "GroupBox1", "StorageTek  ", QRect(136, 56, 129, 97));
  STK_IV = MakeRadio(GroupBox1, "STK_IV", "STK DLT IV", QRect(8, 24, 113, 17));
  STK_III = MakeRadio(GroupBox1, "STK_III", "STK DLT III XT", QRect(8, 40, 113, 17));
  STK_CLN = MakeRadio(GroupBox1, "STK_CLN", "STK Cleaning", QRect(8, 56, 113, 17));
  STK_DGN = MakeRadio(GroupBox1, "STK_DGN", "STK Diagnostic", QRect(8, 72, 113, 17));

  GroupBox3 = MakeGroup(ClientArea, "GroupBox3", " Sequence ", QRect(272, 56, 129, 97));
  Seq_Num = Make<QLineEdit>(GroupBox3, "Seq_Num", QRect(24, 37, 81, 28));
  Seq_Num->setFont(UiFont(16, true));
  // Disabled (a fixed serial, such as the diagnostic "DG 000") it greys out.
  SetTextColour(Seq_Num, Qt::black, {QPalette::Text});
  Seq_Num->setValidator(new TSerialValidator(Seq_Num));
  Seq_Num->setMaxLength(static_cast<int>(kSerialLength));
  Seq_Num->setText(QStringLiteral("000000"));
  Label1 = Make<QLabel>(GroupBox3, "Label1", QRect(32, 72, 0, 0));
  Label1->setText(QStringLiteral("Ex: 000000"));
  Label1->adjustSize();

  Label4 = Make<QLabel>(ClientArea, "Label4", QRect(24, 160, 0, 0));
  Label4->setText(QStringLiteral("Barcode sample"));
  Label4->setFont(UiFont(11, true));
  SetTextColour(Label4, kMaroon);
  Label4->setAutoFillBackground(false);
  Label4->adjustSize();
}

void TMainMenu::BuildPreview() {
  Panel1 = Make<QFrame>(ClientArea, "Panel1", QRect(16, 176, 225, 89));
  // Inner and outer bevel lowered: a two-pixel sunken edge round a white face.
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(2);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Panel1->setAutoFillBackground(true);

  Barcode1 = Make<TBarcode>(Panel1, "Barcode1", QRect(12, 32, 198, 48));
  Barcode1->SetBar_Caption("000000D");
  Barcode1->SetBar_CodeType(CODE39);
  Barcode1->SetBar_Fontname("Arial");
  Barcode1->SetBar_Fontscaling(150);
  Barcode1->SetBar_HeightPercent(50);
  Barcode1->SetBar_HighDensity(false);
  Barcode1->SetBar_HumanReadable(false);
  Barcode1->SetBar_ModuleWidth(SC5);
  Barcode1->SetBar_Ratio(Ratio_2);
  Barcode1->SetBar_Rotation(rotate_180);
  Barcode1->SetBar_WidthReduce(true);
  Barcode1->SetBar_ZoomSize(true);
  state_.SetBarcodeText("000000D");

  // Cells first, so the character labels paint over them.
  static constexpr const char* kShapeNames[] = {"Shape1", "Shape2", "Shape3", "Shape4", "Shape5", "Shape6"};
  static constexpr const char* kLabelNames[] = {"LBL_1", "LBL_2", "LBL_3", "LBL_4", "LBL_5", "LBL_6"};
  for (int n = 6; n >= 1; --n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const QRect cell(kLabelsOnCells[i].x, kLabelsOnCells[i].y, 33, 25);
    shapes_[i] = Make<TShape>(Panel1, kShapeNames[i], cell);
  }
  for (int n = 6; n >= 1; --n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const QRect cell(kLabelsOnCells[i].x, kLabelsOnCells[i].y, 33, 25);
    labels_[i] = MakeCharLabel(Panel1, kLabelNames[i], "0", cell, 16, true);
  }
  Shape1 = shapes_[0], Shape2 = shapes_[1], Shape3 = shapes_[2];
  Shape4 = shapes_[3], Shape5 = shapes_[4], Shape6 = shapes_[5];
  LBL_1 = labels_[0], LBL_2 = labels_[1], LBL_3 = labels_[2];
  LBL_4 = labels_[3], LBL_5 = labels_[4], LBL_6 = labels_[5];

  Media_Type = MakeCharLabel(Panel1, "Media_Type", "D", MediaLetterBox(true), 11, false);
}

void TMainMenu::BuildButtons() {
  Print_Btn = MakeButton(ClientArea, "Print_Btn", "Print", QRect(288, 168, 105, 35), PrintButtonIcon());
  BitBtn3 = MakeButton(ClientArea, "BitBtn3", "Help", QRect(288, 208, 105, 35),
                       style()->standardIcon(QStyle::SP_DialogHelpButton));
  BitBtn1 = MakeButton(ClientArea, "BitBtn1", "&Quit", QRect(288, 249, 105, 35),
                       style()->standardIcon(QStyle::SP_DialogCloseButton));

  Serial_Color = MakeCheck(ClientArea, "Serial_Color", "Colored sequence", QRect(24, 272, 137, 17));
  Text_Rotate = MakeCheck(ClientArea, "Text_Rotate", "Rotated sequence", QRect(24, 296, 137, 17));
  Bar_Rotate = MakeCheck(ClientArea, "Bar_Rotate", "Rotate barcode", QRect(24, 320, 129, 17));

  BitBtn4 = MakeButton(ClientArea, "BitBtn4", "Colors", QRect(169, 291, 92, 38), ColorsButtonIcon());

  StatusBar1 = Make<QStatusBar>(ClientArea, "StatusBar1", QRect(0, 351, kClientWidth, 25));
  StatusBar1->setSizeGripEnabled(false);
  const std::pair<const char*, int> panels[] = {{"Version 3.2", 90}, {"By Orlis", 80}};
  for (const auto& [text, width] : panels) {
    auto* panel = new QLabel(QString::fromLatin1(text), StatusBar1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFixedWidth(width);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(panel);
  }
}

void TMainMenu::ConnectHandlers() {
  // A radio button's handler runs when it becomes checked, by click or from
  // code; being unchecked runs nothing.
  const std::pair<QRadioButton*, void (TMainMenu::*)()> radios[] = {
      {STD_3of9, &TMainMenu::STD_3of9Click}, {STK, &TMainMenu::STKClick},
      {Breece, &TMainMenu::BreeceClick},     {RadioButton1, &TMainMenu::RadioButton1Click},
      {STK_IV, &TMainMenu::STK_IVClick},     {STK_III, &TMainMenu::STK_IIIClick},
      {STK_CLN, &TMainMenu::STK_CLNClick},   {STK_DGN, &TMainMenu::STK_DGNClick}};
  for (const auto& [button, handler] : radios) {
    connect(button, &QRadioButton::toggled, this, [this, handler = handler](bool checked) {
      if (checked) (this->*handler)();
    });
  }
  // A check box's handler runs on every change of state, by click or from code.
  connect(Serial_Color, &QCheckBox::toggled, this, &TMainMenu::Serial_ColorClick);
  connect(Text_Rotate, &QCheckBox::toggled, this, &TMainMenu::Text_RotateClick);
  connect(Bar_Rotate, &QCheckBox::toggled, this, &TMainMenu::Bar_RotateClick);
  // textChanged: typing, pasting and setText alike, only on a real change.
  connect(Seq_Num, &QLineEdit::textChanged, this, &TMainMenu::Seq_NumChange);

  connect(Print_Btn, &QPushButton::clicked, this, &TMainMenu::Print_BtnClick);
  connect(BitBtn3, &QPushButton::clicked, this, &TMainMenu::BitBtn3Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TMainMenu::BitBtn4Click);
  connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

  // A preview that cannot be drawn (a serial Code 39 cannot hold) is reported
  // once per message, after the paint that found it.
  connect(
      Barcode1, &TCustomBarcode::paintFailed, this, [this](const QString& message) { reporter_->Error(message); },
      Qt::QueuedConnection);
}

}  // namespace vantor
