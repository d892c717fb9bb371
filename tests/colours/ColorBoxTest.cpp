#include "colours/Color.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

#include "colours/ColorCell.h"

namespace vantor {
namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr std::uint32_t kBreeceHill = 5;

// What the main window sees each time the dialog asks for Standard 3 of 9.
struct TCallOut {
  TColor digit0;
  TColor letters;
};

// The table as the main window leaves it at start-up, but with another maker,
// so a write to entry 11 shows.
struct TColorBoxFixture : ::testing::Test {
  TColorTable table{};
  std::vector<TCallOut> callOuts;
  TColorBox* box = nullptr;

  void SetUp() override {
    ApplyScheme(table, SchemeId::Active_EDP);
    table[11] = kBreeceHill;
    box = new TColorBox(table, [this] { callOuts.push_back({table[0], table[kAlphaEntry]}); });
  }
  void TearDown() override { delete box; }

  TColorTable Expected(SchemeId id) const {
    TColorTable t = table;
    ApplyScheme(t, id);
    return t;
  }
  std::vector<TColor> Swatches() const {
    std::vector<TColor> v;
    for (std::size_t i = 0; i < kSwatchCount; ++i) v.push_back(box->Swatch(i)->Color());
    return v;
  }
  std::vector<TColor> Cells() const {
    std::vector<TColor> v;
    for (std::size_t i = 0; i < kSampleCellCount; ++i) v.push_back(box->SampleCell(i)->Color());
    return v;
  }
  std::vector<TColor> TableSwatches() const { return {table.begin(), table.begin() + kSwatchCount}; }
};

TEST_F(TColorBoxFixture, ControlsStandWhereTheLayoutPutsThem) {
  struct TRow {
    const char* name;
    QRect geometry;  // in the parent's coordinates
    const char* text;
  };
  const TRow rows[] = {
      {"GroupBox1", {8, 6, 373, 147}, "Numerical Colors "},
      {"GroupBox2", {8, 166, 373, 91}, " Custom Alpha "},
      {"Std_0", {50, 24, 25, 25}, "0"},
      {"Std_8", {242, 24, 25, 25}, "8"},
      {"Std_9", {266, 24, 25, 25}, "9"},
      {"Std_A", {290, 24, 53, 25}, "Alpha"},
      {"EDP_Vibrant", {20, 64, 121, 17}, "EDP Vibrant OCR"},
      {"EDP_Pastel", {20, 88, 121, 17}, "EDP Pastel"},
      {"Active_EDP", {20, 112, 121, 17}, "Other EDP"},
      {"Wrightline", {150, 64, 121, 17}, "Wrightline OCR"},
      {"Tab", {150, 88, 121, 17}, "TAB OCR"},
      {"Dataware", {150, 112, 121, 17}, "Dataware OCR"},
      {"Active_Alpha", {27, 27, 17, 17}, ""},
      {"Alpha_Slider", {128, 24, 177, 40}, nullptr},
      {"Panel1", {402, 24, 163, 89}, nullptr},
      {"Shape1", {8, 8, 25, 25}, "A"},
      {"Shape3", {56, 8, 25, 25}, "C"},
      {"Shape4", {80, 8, 25, 25}, "0"},
      {"Shape6", {128, 8, 25, 25}, "0"},
      {"BitBtn1", {440, 136, 91, 33}, "OK"},
      {"BitBtn2", {440, 184, 91, 33}, "Cancel"},
  };
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Colors"));
  EXPECT_EQ(box->size(), QSize(584, 268));
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    auto* w = box->findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), row.geometry);
    if (!row.text) continue;
    const QString text = QString::fromUtf8(row.text);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) EXPECT_EQ(b->text(), text);
    else if (auto* g = qobject_cast<QGroupBox*>(w)) EXPECT_EQ(g->title(), text);
    else if (auto* l = qobject_cast<QLabel*>(w)) EXPECT_EQ(l->text(), text);
    else ADD_FAILURE() << "no caption to compare";
  }
  const QFont cellFont = box->Swatch(3)->font();
  EXPECT_EQ(cellFont.family(), QStringLiteral("Arial"));
  EXPECT_EQ(cellFont.pixelSize(), 16);
  EXPECT_TRUE(cellFont.bold());
}

TEST_F(TColorBoxFixture, SliderRunsOverTheTenDigitsWithMaroonNumbersUnderIt) {
  QSlider* s = box->Alpha_Slider();
  EXPECT_EQ(s->minimum(), 0);
  EXPECT_EQ(s->maximum(), 9);
  EXPECT_EQ(s->singleStep(), 1);
  EXPECT_EQ(s->tickInterval(), 1);
  EXPECT_NE(s->tickPosition(), QSlider::NoTicks);
  int previousCentre = s->geometry().left();
  for (int d = 0; d <= 9; ++d) {
    SCOPED_TRACE(d);
    QLabel* digit = box->SliderDigit(d);
    EXPECT_EQ(digit->text(), QString::number(d));
    EXPECT_EQ(digit->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    EXPECT_EQ(digit->font().pixelSize(), 12);
    EXPECT_TRUE(digit->font().bold());
    const int centre = digit->geometry().center().x();
    EXPECT_GT(centre, previousCentre) << "left to right, one per position";
    EXPECT_LT(centre, s->geometry().right());
    EXPECT_GE(digit->geometry().top(), s->geometry().bottom()) << "under the slider";
    previousCentre = centre;
  }
}

TEST_F(TColorBoxFixture, CreationShowsTheTableWithoutWritingIt) {
  TColorTable before = table;
  EXPECT_TRUE(box->SchemeButton(SchemeId::Active_EDP)->isChecked());
  EXPECT_FALSE(box->Active_Alpha()->isChecked());
  EXPECT_EQ(box->Alpha_Slider()->value(), 0);
  EXPECT_EQ(Swatches(), TableSwatches());
  EXPECT_EQ(Cells(), (std::vector<TColor>{kWhite, kWhite, kWhite, table[0], table[0], table[0]}));
  EXPECT_TRUE(callOuts.empty());

  // A table that differs from "Other EDP" is shown as it stands, not replaced.
  TColorTable custom = before;
  custom[4] = 0x123456;
  TColorBox other(custom);
  EXPECT_EQ(other.Swatch(4)->Color(), 0x123456u);
  EXPECT_EQ(custom[4], 0x123456u);
  EXPECT_EQ(table, before);
}

TEST_F(TColorBoxFixture, EachSchemeWritesItsColoursAndSelectsStandard3of9) {
  // Starting from another scheme so the chosen button is unchecked before the click.
  struct TRow {
    const char* name;
    SchemeId chosen;
    SchemeId before;
  };
  const TRow rows[] = {
      {"EDP Vibrant OCR", SchemeId::EDP_Vibrant, SchemeId::Tab},
      {"EDP Pastel", SchemeId::EDP_Pastel, SchemeId::Tab},
      {"Other EDP", SchemeId::Active_EDP, SchemeId::Tab},
      {"Wrightline OCR", SchemeId::Wrightline, SchemeId::Tab},
      {"TAB OCR", SchemeId::Tab, SchemeId::Dataware},
      {"Dataware OCR", SchemeId::Dataware, SchemeId::Tab},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    box->SchemeButton(row.before)->click();
    table[11] = kBreeceHill;
    callOuts.clear();

    box->SchemeButton(row.chosen)->click();
    EXPECT_EQ(table, Expected(row.chosen)) << "entries 0..10 from the scheme, entry 11 kept";
    EXPECT_EQ(table[11], kBreeceHill);
    EXPECT_FALSE(box->SchemeButton(row.before)->isChecked());
    ASSERT_EQ(callOuts.size(), 1u);
    EXPECT_EQ(callOuts[0].digit0, table[0]) << "the call-out comes after the colours are written";
    EXPECT_EQ(Swatches(), TableSwatches());
    EXPECT_EQ(Cells(), (std::vector<TColor>{kWhite, kWhite, kWhite, table[0], table[0], table[0]}));
  }
  // Wrightline's digit 0 is white, the same as letters.
  box->SchemeButton(SchemeId::Wrightline)->click();
  EXPECT_EQ(table[0], table[kAlphaEntry]);

  // Clicking the scheme that is already checked is no change and runs nothing.
  callOuts.clear();
  table[3] = 0x010203;
  box->SchemeButton(SchemeId::Wrightline)->click();
  EXPECT_EQ(table[3], 0x010203u);
  EXPECT_TRUE(callOuts.empty());
}

TEST_F(TColorBoxFixture, CustomAlphaAppliesTheSliderDigitWhateverTheBoxSays) {
  struct TRow {
    const char* name;
    void (*act)(TColorBox&);
    int digit;
    bool boxChecked;
  };
  const TRow rows[] = {
      {"box checked with the slider at 0", [](TColorBox& b) { b.Active_Alpha()->click(); }, 0, true},
      {"slider moved to 3 with the box checked", [](TColorBox& b) { b.Alpha_Slider()->setValue(3); }, 3, true},
      {"box cleared again", [](TColorBox& b) { b.Active_Alpha()->click(); }, 3, false},
      {"slider moved to 7 with the box clear", [](TColorBox& b) { b.Alpha_Slider()->setValue(7); }, 7, false},
      {"slider stepped by the keyboard", [](TColorBox& b) { QTest::keyClick(b.Alpha_Slider(), Qt::Key_Right); },
       8, false},
  };
  box->SchemeButton(SchemeId::Dataware)->click();
  const TColorTable scheme = table;
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    callOuts.clear();
    row.act(*box);
    EXPECT_EQ(box->Active_Alpha()->isChecked(), row.boxChecked);
    TColorTable expected = scheme;
    expected[kAlphaEntry] = scheme[static_cast<std::size_t>(row.digit)];
    EXPECT_EQ(table, expected);
    const TColor letters = scheme[static_cast<std::size_t>(row.digit)];
    EXPECT_EQ(Cells(), (std::vector<TColor>{letters, letters, letters, table[0], table[0], table[0]}));
    EXPECT_EQ(box->Swatch(kAlphaEntry)->Color(), kWhite) << "the Alpha swatch keeps the scheme's white";
    ASSERT_FALSE(callOuts.empty());
    EXPECT_EQ(callOuts.back().letters, letters) << "the call-out comes after the letter colour is written";
  }
}

TEST_F(TColorBoxFixture, FocusMovingIntoTheBoxAppliesCustomAlphaButReopeningDoesNot) {
  box->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(box));
  box->Alpha_Slider()->setValue(5);
  box->SchemeButton(SchemeId::Tab)->click();  // letters white again
  ASSERT_EQ(table[kAlphaEntry], kWhite);

  box->Alpha_Slider()->setFocus(Qt::OtherFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&] { return box->Alpha_Slider()->hasFocus(); }));
  QTest::keyClick(box->Alpha_Slider(), Qt::Key_Backtab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return box->Active_Alpha()->hasFocus(); }));
  EXPECT_EQ(table[kAlphaEntry], table[5]) << "tabbing into the box applies the slider's digit";
  EXPECT_FALSE(box->Active_Alpha()->isChecked());

  // The box keeps the focus while the dialog is hidden; getting it back with
  // the window is not the operator moving into it.
  struct TRow {
    const char* name;
    Qt::FocusReason reason;
    bool applies;
  };
  const TRow rows[] = {
      {"tab", Qt::TabFocusReason, true},
      {"mouse", Qt::MouseFocusReason, true},
      {"accelerator", Qt::ShortcutFocusReason, true},
      {"window reopened or reactivated", Qt::ActiveWindowFocusReason, false},
      {"popup closed", Qt::PopupFocusReason, false},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    table[kAlphaEntry] = kWhite;
    callOuts.clear();
    QFocusEvent focusIn(QEvent::FocusIn, row.reason);
    QCoreApplication::sendEvent(box->Active_Alpha(), &focusIn);
    EXPECT_EQ(table[kAlphaEntry], row.applies ? table[5] : kWhite);
    EXPECT_EQ(callOuts.size(), row.applies ? 1u : 0u);
  }
}

TEST_F(TColorBoxFixture, SchemeAfterCustomAlphaClearsTheBoxWhitensLettersKeepsTheSlider) {
  box->Alpha_Slider()->setValue(4);
  box->Active_Alpha()->click();
  ASSERT_EQ(table[kAlphaEntry], table[4]);
  const TColor oldDigit0 = table[0];
  callOuts.clear();

  box->SchemeButton(SchemeId::Tab)->click();
  EXPECT_FALSE(box->Active_Alpha()->isChecked());
  EXPECT_EQ(box->Alpha_Slider()->value(), 4);
  EXPECT_EQ(table, Expected(SchemeId::Tab));
  EXPECT_EQ(Cells(), (std::vector<TColor>{kWhite, kWhite, kWhite, table[0], table[0], table[0]}));
  // Clearing the box runs the custom alpha once more against the old table, so
  // the maker is switched before the new colours are written; then once after.
  ASSERT_EQ(callOuts.size(), 2u);
  EXPECT_EQ(callOuts[0].digit0, oldDigit0);
  EXPECT_EQ(callOuts[1].digit0, table[0]);
}

TEST_F(TColorBoxFixture, OkAndCancelOnlyCloseAndStateCarriesOverToTheNextOpening) {
  for (QPushButton* closer : {box->CancelButton(), box->OkButton()}) {
    SCOPED_TRACE(closer->text().toStdString());
    box->open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->isVisible(); }));
    box->SchemeButton(SchemeId::Wrightline)->click();
    box->SchemeButton(SchemeId::Tab)->click();
    box->Alpha_Slider()->setValue(6);
    box->Active_Alpha()->click();
    const TColorTable chosen = table;
    closer->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), closer == box->OkButton() ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(table, chosen) << "closing restores nothing";
    EXPECT_EQ(table[kAlphaEntry], table[6]);

    callOuts.clear();
    box->open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->isVisible(); }));
    EXPECT_TRUE(box->SchemeButton(SchemeId::Tab)->isChecked());
    EXPECT_TRUE(box->Active_Alpha()->isChecked());
    EXPECT_EQ(box->Alpha_Slider()->value(), 6);
    EXPECT_EQ(Swatches()[9], table[9]);
    EXPECT_EQ(table, chosen) << "reopening writes nothing";
    EXPECT_TRUE(callOuts.empty());
    box->reject();
    box->Active_Alpha()->click();  // clear it for the next round
  }
}

TEST_F(TColorBoxFixture, GrabShowsTheTableColoursInSwatchesAndCells) {
  auto pixelIn = [this](const QImage& img, QWidget* w) {
    // Just inside the outline, clear of the caption in the middle.
    return img.pixelColor(w->mapTo(box, QPoint(3, 3))).rgb() & 0xFFFFFF;
  };
  box->SchemeButton(SchemeId::EDP_Vibrant)->click();
  box->Alpha_Slider()->setValue(2);
  box->Active_Alpha()->click();
  const QImage img = box->grab().toImage();
  ASSERT_FALSE(img.isNull());
  for (std::size_t i = 0; i < kSwatchCount; ++i) {
    const TColor shown = i == kAlphaEntry ? kWhite : table[i];  // Std_A keeps the scheme's white
    EXPECT_EQ(pixelIn(img, box->Swatch(i)), RgbFromColor(shown)) << "swatch " << i;
  }
  const TColor expectedCells[] = {table[2], table[2], table[2], table[0], table[0], table[0]};
  for (std::size_t i = 0; i < kSampleCellCount; ++i)
    EXPECT_EQ(pixelIn(img, box->SampleCell(i)), RgbFromColor(expectedCells[i])) << "cell " << i + 1;
  EXPECT_EQ(img.pixelColor(box->Panel1()->mapTo(box, QPoint(5, 70))).rgb() & 0xFFFFFF, 0xFFFFFFu)
      << "the sample panel is white";
}

}  // namespace
}  // namespace vantor
