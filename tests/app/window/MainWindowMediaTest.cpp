// Maker and media-kind choices: what each of the seven media modes sets, from a
// fresh window and after another maker had been in use.
#include "MainWindowFixture.h"

namespace vantor::test {
namespace {

using TButton = QRadioButton* TMainWindow::*;

struct TCheck {
  bool enabled;
  bool checked;
  friend bool operator==(const TCheck&, const TCheck&) = default;
};

TCheck StateOf(const QCheckBox* box) { return {box->isEnabled(), box->isChecked()}; }

struct TModeRow {
  const char* name;
  std::vector<TButton> clicks;  // how the operator gets there
  TButton previousMaker;        // a maker other than the row's, for the second pass
  int mode;
  const char* suffix;
  const char* serial;
  bool serialEnabled;
  QPoint barcodePos;
  int heightPercent;
  const char* barcodeText;
  bool cellsVisible;
  bool labelsInRow;
  TCheck rotated, colored, rotateBarcode;
  TButton kindChecked;  // nullptr: no media kind checked, all four disabled
  TColor cells;         // every cell ends in this colour (serials are all zeros or letters)
};

constexpr TColor kZero = 0x0000FF;    // start-up colour of the digit 0
constexpr TColor kLetter = 0xFFFFFF;  // start-up letter colour

// clang-format off
const TModeRow kModes[] = {
    {"STK DLT IV", {&TMainWindow::STK}, &TMainWindow::OtherMaker, 0, "D", "000000", true, {12, 32}, 50, "000000D", true,
     false, {true, true}, {true, true}, {false, true}, &TMainWindow::STK_IV, kZero},
    {"STK Diagnostic", {&TMainWindow::STK, &TMainWindow::STK_DGN}, &TMainWindow::OtherMaker, 1, "C", "DG 000", false,
     {12, 32}, 50, "DG 000C", true, false, {true, true}, {false, false}, {false, true}, &TMainWindow::STK_DGN, kLetter},
    {"STK Cleaning", {&TMainWindow::STK, &TMainWindow::STK_CLN}, &TMainWindow::OtherMaker, 2, "C", "CLN000", true,
     {12, 32}, 50, "CLN000C", true, false, {true, true}, {false, false}, {false, true}, &TMainWindow::STK_CLN, kLetter},
    {"STK DLT III XT", {&TMainWindow::STK, &TMainWindow::STK_III}, &TMainWindow::OtherMaker, 3, "C", "000000", true,
     {12, 32}, 50, "000000C", true, false, {true, true}, {true, true}, {false, true}, &TMainWindow::STK_III, kZero},
    {"Standard 3 of 9", {&TMainWindow::Breece, &TMainWindow::STD_3of9}, &TMainWindow::OtherMaker, 4, "", "000000", true,
     {24, 32}, 50, "000000", true, false, {true, false}, {true, true}, {true, true}, nullptr, kZero},
    {"Breece Hill", {&TMainWindow::Breece}, &TMainWindow::OtherMaker, 5, "", "000000", true, {28, 16}, 50, "000000",
     false, true, {false, false}, {false, false}, {true, true}, nullptr, kLetter},
    {"Other", {&TMainWindow::OtherMaker}, &TMainWindow::Breece, 6, "", "000000", true, {24, 32}, 30, "000000", true,
     false, {false, false}, {true, true}, {true, true}, nullptr, kZero},
};
// clang-format on

// LBL_1 .. LBL_6 (left, top) on the cells and in the Breece Hill row.
const QPoint kOnCells[6] = {{176, 8}, {144, 8}, {112, 8}, {80, 8}, {48, 8}, {16, 8}};
const QPoint kInRow[6] = {{144, 64}, {128, 64}, {112, 64}, {96, 64}, {80, 64}, {64, 64}};

class MainWindowMediaTest : public MainWindowTest {
 protected:
  // A StorageTek cleaning sheet was set up and edited, then another maker
  // chosen and its serial, barcode and options changed.
  void UseAnotherMakerFirst(TButton maker) {
    Click(menu->STK);
    Click(menu->STK_CLN);
    menu->SerialField->setText(QStringLiteral("CLN555"));
    Click((*menu).*maker);
    menu->SerialField->setText(QStringLiteral("XYZ321"));
    menu->Bar_Rotate->setChecked(false);
    if (menu->Serial_Color->isEnabled()) menu->Serial_Color->setChecked(false);
  }

  void ExpectMode(const TModeRow& row) {
    for (TButton b : row.clicks) Click((*menu).*b);
    const TLabelState& state = menu->LabelState();
    EXPECT_EQ(static_cast<int>(state.MediaMode()), row.mode);
    EXPECT_EQ(menu->Media_Type->Caption(), QString::fromLatin1(row.suffix));
    EXPECT_EQ(Field(), row.serial);
    EXPECT_EQ(state.Serial(), row.serial);
    EXPECT_EQ(menu->SerialField->isEnabled(), row.serialEnabled);
    EXPECT_EQ(menu->SerialField->maxLength(), 6);

    TBarcode& bar = *menu->PreviewBarcode;
    EXPECT_EQ(bar.pos(), row.barcodePos);
    EXPECT_EQ(bar.Bar_HeightPercent(), row.heightPercent);
    EXPECT_EQ(bar.Bar_CodeType(), CODE39);
    EXPECT_EQ(bar.Bar_Ratio(), Ratio_2);
    EXPECT_EQ(bar.Bar_ModuleWidth(), SC5);
    EXPECT_FALSE(bar.Bar_HighDensity());
    EXPECT_FALSE(bar.Bar_HumanReadable());
    EXPECT_TRUE(bar.Bar_WidthReduce());
    EXPECT_TRUE(bar.Bar_ZoomSize());
    EXPECT_EQ(bar.Bar_Fontscaling(), 150);
    EXPECT_EQ(bar.Bar_Caption(), row.barcodeText);
    EXPECT_EQ(state.BarcodeText(), row.barcodeText);
    EXPECT_EQ(bar.Bar_Rotation(), row.rotateBarcode.checked ? rotate_180 : rotate_000);

    EXPECT_EQ(StateOf(menu->Text_Rotate), row.rotated);
    EXPECT_EQ(StateOf(menu->Serial_Color), row.colored);
    EXPECT_EQ(StateOf(menu->Bar_Rotate), row.rotateBarcode);

    for (int n = 1; n <= 6; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(menu->Cell(n)->isVisibleTo(menu.get()), row.cellsVisible);
      EXPECT_EQ(menu->LBL(n)->pos(), (row.labelsInRow ? kInRow : kOnCells)[n - 1]);
      EXPECT_EQ(menu->LBL(n)->LabelStyle().Angle(), row.rotated.checked ? 270 : 0);
    }
    // The characters read left to right either way: rotated puts character 1 on LBL_1.
    std::string expected = row.serial;
    if (!row.rotated.checked) expected.assign(expected.rbegin(), expected.rend());
    EXPECT_EQ(Labels(), expected);
    EXPECT_EQ(CellsLeftToRight(), std::vector<TColor>(6, row.cells));

    for (TButton kind : {&TMainWindow::STK_IV, &TMainWindow::STK_III, &TMainWindow::STK_CLN, &TMainWindow::STK_DGN}) {
      const QRadioButton* b = (*menu).*kind;
      SCOPED_TRACE(b->objectName().toStdString());
      EXPECT_EQ(b->isChecked(), kind == row.kindChecked);
      EXPECT_EQ(b->isEnabled(), row.kindChecked != nullptr);
    }
  }
};

TEST_F(MainWindowMediaTest, EachModeFromAFreshWindow) {
  for (const TModeRow& row : kModes) {
    SCOPED_TRACE(row.name);
    SetUp();
    ExpectMode(row);
  }
}

// Every choice discards what the previous maker left behind; among others,
// "Storagetek" after "STK Cleaning" lands on DLT IV with 000000 and 000000D.
TEST_F(MainWindowMediaTest, EachModeAfterAnotherMaker) {
  for (const TModeRow& row : kModes) {
    SCOPED_TRACE(row.name);
    SetUp();
    UseAnotherMakerFirst(row.previousMaker);
    ExpectMode(row);
  }
}

TEST_F(MainWindowMediaTest, DiagnosticCannotBeColoredAndCleaningReenablesTheField) {
  Click(menu->STK);
  Click(menu->STK_DGN);
  ResetCalls();
  menu->Serial_Color->setChecked(true);
  EXPECT_FALSE(menu->Serial_Color->isChecked());
  EXPECT_EQ(Calls("Serial_ColorClick"), 2) << "checked, then cleared by its own handler";
  EXPECT_EQ(CellsLeftToRight(), std::vector<TColor>(6, 0xFFFFFF));

  Click(menu->Bar_Rotate);
  EXPECT_TRUE(menu->Bar_Rotate->isChecked()) << "StorageTek barcodes stay turned";

  Click(menu->STK_CLN);
  EXPECT_TRUE(menu->SerialField->isEnabled());
  EXPECT_EQ(Field(), "CLN000");
}

TEST_F(MainWindowMediaTest, ReselectingTheCheckedMakerKeepsTheTypedSerial) {
  Click(menu->STK);
  menu->SerialField->setText(QStringLiteral("ABC123"));
  ResetCalls();
  Click(menu->STK);
  Click(menu->STK_IV);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(Field(), "ABC123");
  EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "ABC123D");
}

}  // namespace
}  // namespace vantor::test
