#include "colors/widgets/ColorBox.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <functional>
#include <vector>

#include "barcode/widgets/Barcode.h"
#include "colors/widgets/ColorCell.h"

namespace vantor {
namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr std::uint32_t kBreeceHill = 5;

// The start-up table, but with another maker so a write to entry 11 shows.
// Each call-out records the colours the main window would find at that moment.
struct TColorBoxFixture : ::testing::Test {
  TColorTable table{};
  std::vector<TColorTable> callOuts;
  std::unique_ptr<TColorBox> box;

  void SetUp() override {
    ApplyScheme(table, SchemeId::Active_EDP);
    table[11] = kBreeceHill;
    box = std::make_unique<TColorBox>(table, [this] { callOuts.push_back(table); });
  }
  TColorTable Expected(SchemeId id) const {
    TColorTable t = table;
    ApplyScheme(t, id);
    return t;
  }
  std::vector<TColor> Cells() const {
    std::vector<TColor> v;
    for (std::size_t i = 0; i < kSampleCellCount; ++i) v.push_back(box->SampleCell(i)->Color());
    return v;
  }
  std::vector<TColor> CellsShowing(TColor letters) const {
    return {letters, letters, letters, table[0], table[0], table[0]};
  }
};

TEST_F(TColorBoxFixture, ControlsStandWhereTheLayoutPutsThem) {
  const std::pair<const char*, QRect> rows[] = {
      {"GroupBox1", {8, 6, 373, 147}},    {"GroupBox2", {8, 166, 373, 91}},     {"Std_9", {266, 24, 25, 25}},
      {"Std_A", {290, 24, 53, 25}},       {"Active_EDP", {20, 112, 121, 17}},   {"Tab", {150, 88, 121, 17}},
      {"Active_Alpha", {27, 27, 17, 17}}, {"Alpha_Slider", {128, 24, 177, 40}}, {"Panel1", {402, 24, 163, 89}},
      {"Shape6", {128, 8, 25, 25}},       {"Barcode2", {11, 32, 140, 53}},      {"BitBtn2", {440, 184, 91, 33}},
  };
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Colors"));
  EXPECT_EQ(box->size(), QSize(584, 268));
  for (const auto& [name, geometry] : rows) {
    auto* w = box->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    EXPECT_EQ(w->geometry(), geometry) << name;
  }
  EXPECT_EQ(box->SchemeButton(SchemeId::Dataware)->text(), QStringLiteral("Dataware OCR"));

  // The digits stand under the slider, one per position, left to right.
  const QRect slider = box->Alpha_Slider()->geometry();
  int previous = slider.left();
  for (int d = 0; d <= 9; ++d) {
    const QRect g = box->SliderDigit(d)->geometry();
    EXPECT_TRUE(g.center().x() > previous && g.center().x() < slider.right() && g.top() > slider.bottom()) << d;
    previous = g.center().x();
  }

  TBarcode* b = box->Barcode2();
  EXPECT_EQ(b->Bar_CodeType(), CODE39);
  EXPECT_EQ(b->Bar_Caption(), "00000");
  EXPECT_EQ(b->Bar_ModuleWidth(), SC2);
  EXPECT_EQ(b->Bar_HeightPercent(), 75);
  EXPECT_TRUE(b->Bar_WidthReduce() && b->Bar_ZoomSize() && !b->Bar_HumanReadable());
}

TEST_F(TColorBoxFixture, EachSchemeWritesItsColorsAndSelectsStandard3of9) {
  EXPECT_TRUE(box->SchemeButton(SchemeId::Active_EDP)->isChecked());
  EXPECT_TRUE(callOuts.empty()) << "creation writes nothing and calls nothing";
  // Each starts from another scheme, so the chosen button is unchecked before the click.
  const std::pair<SchemeId, SchemeId> rows[] = {
      {SchemeId::EDP_Vibrant, SchemeId::Tab}, {SchemeId::EDP_Pastel, SchemeId::Tab},
      {SchemeId::Active_EDP, SchemeId::Tab},  {SchemeId::Wrightline, SchemeId::Tab},
      {SchemeId::Tab, SchemeId::Dataware},    {SchemeId::Dataware, SchemeId::Tab},
  };
  for (const auto& [chosen, before] : rows) {
    SCOPED_TRACE(Scheme(chosen).caption);
    box->SchemeButton(before)->click();
    callOuts.clear();
    box->SchemeButton(chosen)->click();
    EXPECT_EQ(table, Expected(chosen)) << "entries 0..10 from the scheme";
    EXPECT_EQ(table[11], kBreeceHill);
    EXPECT_FALSE(box->SchemeButton(before)->isChecked());
    ASSERT_EQ(callOuts.size(), 1u);
    EXPECT_EQ(callOuts[0], table) << "the call-out comes after the colours are written";
    for (std::size_t i = 0; i < kSwatchCount; ++i) EXPECT_EQ(box->Swatch(i)->Color(), table[i]) << i;
    EXPECT_EQ(Cells(), CellsShowing(kWhite));
  }
  // Clicking the scheme that is already checked is no change and runs nothing.
  callOuts.clear();
  table[3] = 0x010203;
  box->SchemeButton(SchemeId::Dataware)->click();
  EXPECT_EQ(table[3], 0x010203u);
  EXPECT_TRUE(callOuts.empty());
}

TEST_F(TColorBoxFixture, CustomAlphaAppliesTheSliderDigitWhateverTheBoxSays) {
  auto focusIn = [](Qt::FocusReason reason) {
    return [reason](TColorBox& b) {
      QFocusEvent e(QEvent::FocusIn, reason);
      QCoreApplication::sendEvent(b.Active_Alpha(), &e);
    };
  };
  struct TRow {
    const char* name;
    std::function<void(TColorBox&)> act;
    int digit;  // -1: the letter colour stays white
    bool boxChecked;
  };
  const TRow rows[] = {
      {"box checked with the slider at 0", [](TColorBox& b) { b.Active_Alpha()->click(); }, 0, true},
      {"slider moved to 3", [](TColorBox& b) { b.Alpha_Slider()->setValue(3); }, 3, true},
      {"box cleared again", [](TColorBox& b) { b.Active_Alpha()->click(); }, 3, false},
      {"slider moved to 7 with the box clear", [](TColorBox& b) { b.Alpha_Slider()->setValue(7); }, 7, false},
      {"slider stepped by the keyboard", [](TColorBox& b) { QTest::keyClick(b.Alpha_Slider(), Qt::Key_Right); }, 8,
       false},
      {"tabbing into the box", focusIn(Qt::TabFocusReason), 8, false},
      {"clicking into the box", focusIn(Qt::MouseFocusReason), 8, false},
      // The box keeps the focus while the dialog is hidden; getting it back with
      // the window is not the operator moving into it.
      {"dialog reopened with the focus in the box", focusIn(Qt::ActiveWindowFocusReason), -1, false},
  };
  box->SchemeButton(SchemeId::Dataware)->click();
  const TColorTable scheme = table;
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    table[kAlphaEntry] = kWhite;
    callOuts.clear();
    row.act(*box);
    EXPECT_EQ(box->Active_Alpha()->isChecked(), row.boxChecked);
    TColorTable expected = scheme;
    if (row.digit >= 0) expected[kAlphaEntry] = scheme[static_cast<std::size_t>(row.digit)];
    EXPECT_EQ(table, expected);
    EXPECT_EQ(box->Swatch(kAlphaEntry)->Color(), kWhite) << "the Alpha swatch keeps the scheme's white";
    if (row.digit < 0) {
      EXPECT_TRUE(callOuts.empty());
      continue;
    }
    EXPECT_EQ(Cells(), CellsShowing(table[kAlphaEntry]));
    ASSERT_FALSE(callOuts.empty());
    EXPECT_EQ(callOuts.back(), table) << "the call-out comes after the letter colour is written";
  }
}

TEST_F(TColorBoxFixture, SchemeAfterCustomAlphaClearsTheBoxWhitensLettersKeepsTheSlider) {
  box->Alpha_Slider()->setValue(4);
  box->Active_Alpha()->click();
  const TColorTable custom = table;
  callOuts.clear();

  box->SchemeButton(SchemeId::Tab)->click();
  EXPECT_FALSE(box->Active_Alpha()->isChecked());
  EXPECT_EQ(box->Alpha_Slider()->value(), 4);
  EXPECT_EQ(table, Expected(SchemeId::Tab));
  EXPECT_EQ(Cells(), CellsShowing(kWhite));
  // Clearing the box runs the custom alpha once more against the old table, so
  // the maker switches before the new colours are written; then once after.
  ASSERT_EQ(callOuts.size(), 2u);
  EXPECT_EQ(callOuts[0], custom);
  EXPECT_EQ(callOuts[1], table);
}

TEST_F(TColorBoxFixture, OkAndCancelOnlyCloseAndStateCarriesOverToTheNextOpening) {
  for (QPushButton* closer : {box->CancelButton(), box->OkButton()}) {
    SCOPED_TRACE(closer->text().toStdString());
    box->open();
    box->SchemeButton(SchemeId::Wrightline)->click();
    box->SchemeButton(SchemeId::Tab)->click();
    box->Alpha_Slider()->setValue(6);
    box->Active_Alpha()->click();
    const TColorTable chosen = table;
    closer->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), closer == box->OkButton() ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(table, chosen) << "closing restores nothing";

    callOuts.clear();
    box->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    EXPECT_TRUE(box->SchemeButton(SchemeId::Tab)->isChecked());
    EXPECT_TRUE(box->Active_Alpha()->isChecked());
    EXPECT_EQ(box->Alpha_Slider()->value(), 6);
    EXPECT_EQ(box->Swatch(9)->Color(), table[9]);
    EXPECT_EQ(table, chosen) << "reopening writes nothing";
    EXPECT_TRUE(callOuts.empty());
    box->reject();
    box->Active_Alpha()->click();  // clear it for the next round
  }
}

TEST_F(TColorBoxFixture, GrabShowsTheTableColorsAndTheSampleBarcode) {
  box->SchemeButton(SchemeId::EDP_Vibrant)->click();
  box->Alpha_Slider()->setValue(2);
  box->Active_Alpha()->click();
  const QImage img = box->grab().toImage();
  // Just inside the outline, clear of the caption in the middle.
  auto fill = [&](QWidget* w) { return img.pixelColor(w->mapTo(box.get(), QPoint(3, 3))).rgb() & 0xFFFFFFu; };
  for (std::size_t i = 0; i < kSwatchCount; ++i)
    EXPECT_EQ(fill(box->Swatch(i)), RgbFromColor(i == kAlphaEntry ? kWhite : table[i])) << "swatch " << i;
  const TColor cells[] = {table[2], table[2], table[2], table[0], table[0], table[0]};
  for (std::size_t i = 0; i < kSampleCellCount; ++i)
    EXPECT_EQ(fill(box->SampleCell(i)), RgbFromColor(cells[i])) << "cell " << i + 1;

  // Bars below the cells, on the white panel.
  EXPECT_TRUE(box->Barcode2()->LastPaintError().isEmpty());
  const QRect area(box->Panel1()->mapTo(box.get(), QPoint(2, 34)), QSize(box->Panel1()->width() - 4, 50));
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) dark += qGray(img.pixel(x, y)) < 64;
  EXPECT_GT(dark, 200);
  EXPECT_EQ(img.pixel(area.topLeft()) & 0xFFFFFFu, 0xFFFFFFu) << "the sample panel is white";
}

}  // namespace
}  // namespace vantor
