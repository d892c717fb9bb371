// The main window: start-up state, the preview's refresh rules, the toolkit
// notification rules the handlers rely on, and the serial field's input.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <algorithm>

#include "MainWindowFixture.h"

namespace vantor::test {
namespace {

// The start-up digit colours, toolkit form.
constexpr TColor kStart[11] = {0x0000FF, 0x00FFFF, 0xBAFCA7, 0xF2CAB9, 0xC0C0C0, 0x2693FF,
                               0xCB6BFA, 0x46BF4D, 0x75C8F0, 0xBC58A4, 0xFFFFFF};

TEST_F(MainWindowTest, StartsOnStandard3of9WithTheStartUpPreview) {
  EXPECT_EQ(menu->windowTitle(), QStringLiteral("Vantor"));
  EXPECT_EQ(menu->ClientArea->size(), QSize(415, 376)) << "the form's client area; the menu bar stands above it";
  EXPECT_EQ(menu->minimumSize(), menu->maximumSize()) << "not resizable";
  EXPECT_FALSE(menu->windowFlags() & Qt::WindowMaximizeButtonHint);

  for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(Entry(i), kStart[i]) << "entry " << i;
  EXPECT_EQ(menu->LabelState().MediaMode(), TMediaMode::Standard3of9);

  EXPECT_TRUE(menu->STD_3of9->isChecked());
  for (QRadioButton* kind : {menu->STK_IV, menu->STK_III, menu->STK_CLN, menu->STK_DGN}) {
    EXPECT_FALSE(kind->isChecked()) << kind->objectName().toStdString();
    EXPECT_FALSE(kind->isEnabled()) << kind->objectName().toStdString();
  }
  EXPECT_EQ(Field(), "000000");
  EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "000000");
  EXPECT_EQ(menu->LabelState().BarcodeText(), "000000");
  EXPECT_EQ(menu->PreviewBarcode->Bar_CodeType(), CODE39);
  EXPECT_EQ(menu->PreviewBarcode->Bar_Rotation(), rotate_180);
  EXPECT_EQ(menu->PreviewBarcode->pos(), QPoint(24, 32));
  EXPECT_EQ(Labels(), "000000");
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(menu->LBL(n)->LabelStyle().Angle(), 0) << "upright";
  EXPECT_EQ(CellsLeftToRight(), std::vector<TColor>(6, kStart[0]));
  EXPECT_EQ(menu->Media_Type->Caption(), QString());
  EXPECT_EQ(menu->Media_Type->geometry(), TMainWindow::MediaLetterBox(false));
  EXPECT_FALSE(menu->Text_Rotate->isChecked());
  EXPECT_TRUE(menu->Serial_Color->isChecked());
  EXPECT_TRUE(menu->Bar_Rotate->isChecked());
}

// The StorageTek media letter in the preview is drawn whole and stands clear
// of its cell's outline, as on the printed sheet: the pixels it changes are
// those the same letter changes where nothing can cut it off, all of them at
// least a pixel inside the outline.
TEST_F(MainWindowTest, MediaLetterIsWholeAndClearOfItsCellsOutline) {
  menu->STK->click();
  const auto letterPixels = [&] {
    const QImage with = menu->PreviewPanel->grab().toImage();
    menu->Media_Type->SetCaption(QString());
    const QImage without = menu->PreviewPanel->grab().toImage();
    menu->Media_Type->SetCaption(QStringLiteral("D"));
    std::vector<QPoint> changed;
    for (int y = 0; y < with.height(); ++y)
      for (int x = 0; x < with.width(); ++x)
        if (with.pixel(x, y) != without.pixel(x, y)) changed.emplace_back(x, y);
    return changed;
  };
  for (const bool rotated : {false, true}) {
    SCOPED_TRACE(rotated ? "rotated" : "upright");
    menu->Text_Rotate->setChecked(rotated);
    const QRect box = menu->Media_Type->geometry();
    const std::vector<QPoint> drawn = letterPixels();
    menu->Media_Type->setGeometry(box.adjusted(-20, -20, 20, 20));  // the same centre
    const std::vector<QPoint> whole = letterPixels();
    menu->Media_Type->setGeometry(box);
    EXPECT_GT(whole.size(), 10u);
    EXPECT_EQ(drawn, whole) << "the letter is cut off";
    // In the cell of the last character, a pixel clear of its one-pixel outline.
    const QRect clear = (rotated ? menu->Cells[5] : menu->Cells[0])->geometry().adjusted(2, 2, -2, -2);
    EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(), [&](const QPoint& p) { return !clear.contains(p); }), 0);
  }
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesCaptionsAndStyles) {
  const std::pair<const char*, QWidget*> named[] = {{"TitleLabel", menu->TitleLabel},
                                                    {"MakerGroup", menu->MakerGroup},
                                                    {"STD_3of9", menu->STD_3of9},
                                                    {"OtherMaker", menu->OtherMaker},
                                                    {"STK_DGN", menu->STK_DGN},
                                                    {"SerialField", menu->SerialField},
                                                    {"PreviewPanel", menu->PreviewPanel},
                                                    {"PreviewBarcode", menu->PreviewBarcode},
                                                    {"Cell6", menu->Cells[5]},
                                                    {"LBL_1", menu->LBL_1},
                                                    {"Media_Type", menu->Media_Type},
                                                    {"ColorsButton", menu->ColorsButton},
                                                    {"StatusBar", menu->StatusBar}};
  for (const auto& [name, widget] : named) {
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(menu->findChild<QWidget*>(QString::fromLatin1(name)), widget) << name;
  }
  EXPECT_EQ(menu->MakerGroup->title(), QStringLiteral(" Vendor "));
  EXPECT_EQ(menu->StorageTekGroup->title(), QStringLiteral("StorageTek  "));
  EXPECT_EQ(menu->SequenceGroup->title(), QStringLiteral(" Sequence "));
  EXPECT_EQ(menu->QuitButton->text(), QStringLiteral("&Quit"));
  EXPECT_EQ(menu->SerialExample->text(), QStringLiteral("Ex: 000000"));
  EXPECT_EQ(menu->PreviewCaption->text(), QStringLiteral("Barcode sample"));
  EXPECT_EQ(menu->TitleLabel->Caption(), QStringLiteral("Vantor"));
  EXPECT_EQ(menu->TitleLabel->LabelStyle().AStyle3D(), A3dResit);
  EXPECT_EQ(menu->Serial_Color->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
  EXPECT_TRUE(menu->Serial_Color->font().bold());
  EXPECT_EQ(menu->STK->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_FALSE(menu->STK->font().bold());
  EXPECT_NE(menu->STK_IV->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::black))
      << "a disabled media kind looks disabled";

  QStringList panels;
  for (QLabel* l : menu->StatusBar->findChildren<QLabel*>()) panels << l->text();
  EXPECT_EQ(panels, (QStringList{QStringLiteral("Version 3.2"), QStringLiteral("By Orlis")}));
}

// Typing shows black in an active or inactive window; a fixed serial (STK
// Diagnostic's "DG 000") shows in the style's disabled text colour, as any
// disabled field does, not in black.
TEST_F(MainWindowTest, SerialFieldTypesInBlackAndGreysOutWhenFixed) {
  const QPalette styled = QApplication::palette(menu->SerialField);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    EXPECT_EQ(menu->SerialField->palette().color(group, QPalette::Text).name().toStdString(), "#000000") << group;
  Click(menu->STK);
  Click(menu->STK_DGN);
  ASSERT_FALSE(menu->SerialField->isEnabled());
  EXPECT_EQ(menu->SerialField->text(), QStringLiteral("DG 000"));
  const QColor shown = menu->SerialField->palette().color(QPalette::Disabled, QPalette::Text);
  EXPECT_EQ(shown.name().toStdString(), styled.color(QPalette::Disabled, QPalette::Text).name().toStdString());
  EXPECT_NE(shown.name().toStdString(), "#000000");
}

// With "Colored sequence" checked and serial A01234 the cells follow the
// characters: the letter cell in the letter colour, the digits in theirs.
TEST_F(MainWindowTest, CellColorsFollowTheCharactersInEitherOrder) {
  menu->LabelState().Colors[10] = 0x123456;  // make the letter colour tell from white
  menu->SerialField->setText(QStringLiteral("A01234"));
  ResetCalls();
  struct TRow {
    const char* name;
    bool rotated;
    std::string labels;         // LBL_1 .. LBL_6
    std::vector<TColor> cells;  // left to right
    int angle;
  };
  const TRow rows[] = {
      {"upright", false, "43210A", {0x123456, kStart[0], kStart[1], kStart[2], kStart[3], kStart[4]}, 0},
      {"rotated", true, "A01234", {kStart[4], kStart[3], kStart[2], kStart[1], kStart[0], 0x123456}, 270},
      {"upright again", false, "43210A", {0x123456, kStart[0], kStart[1], kStart[2], kStart[3], kStart[4]}, 0},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    menu->Text_Rotate->setChecked(row.rotated);
    EXPECT_EQ(Labels(), row.labels);
    EXPECT_EQ(CellsLeftToRight(), row.cells);
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(menu->LBL(n)->LabelStyle().Angle(), row.angle);
    EXPECT_EQ(menu->Media_Type->LabelStyle().Angle(), row.angle);
    EXPECT_EQ(menu->Media_Type->geometry(), TMainWindow::MediaLetterBox(row.rotated));
  }
  EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "A01234") << "turning the characters leaves the barcode text";
  EXPECT_EQ(Calls("Text_RotateClick"), 2);
}

TEST_F(MainWindowTest, ColoredSequenceWhitensAndRepaints) {
  menu->SerialField->setText(QStringLiteral("123456"));
  menu->LabelState().Colors[10] = 0x00FF00;  // the letter colour is not white
  menu->Serial_Color->setChecked(false);
  EXPECT_EQ(CellsLeftToRight(), std::vector<TColor>(6, 0xFFFFFF)) << "the click whitens";
  menu->Text_Rotate->setChecked(true);
  EXPECT_EQ(CellsLeftToRight(), std::vector<TColor>(6, 0x00FF00)) << "ColorCells uses the letter colour";
  menu->Serial_Color->setChecked(true);
  EXPECT_EQ(CellsLeftToRight(),
            (std::vector<TColor>{kStart[6], kStart[5], kStart[4], kStart[3], kStart[2], kStart[1]}));
}

TEST_F(MainWindowTest, ShortSerialLeavesThePreviewAndFailsAtPrint) {
  menu->SerialField->setText(QStringLiteral("ABC123"));
  menu->SerialField->clear();
  QTest::keyClicks(menu->SerialField, QStringLiteral("12"));
  EXPECT_EQ(Field(), "12");
  EXPECT_EQ(menu->LabelState().Serial(), "12");
  EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "ABC123");
  EXPECT_EQ(Labels(), "321CBA");
  // Cells past the end of a short serial take the letter colour, never garbage.
  menu->Text_Rotate->setChecked(true);
  EXPECT_EQ(CellsLeftToRight(),
            (std::vector<TColor>{kStart[10], kStart[10], kStart[10], kStart[10], kStart[2], kStart[1]}));

  bool jobMade = false;
  menu->SetJobFactory([&]() -> std::unique_ptr<TPrintJob> {
    jobMade = true;
    return nullptr;
  });
  Click(menu->PrintButton);
  ASSERT_EQ(reported.warnings.size(), 1u);
  EXPECT_EQ(reported.warnings[0], QStringLiteral("Error in Sequence Number"));
  EXPECT_FALSE(jobMade);
}

// The status bar says why a typed serial cannot print while the preview keeps
// the last one that can; once the serial is mended the whole client area is
// as it was, panels included.
TEST_F(MainWindowTest, StatusBarSaysWhyTheSerialCannotPrint) {
  menu->show();
  const QImage before = menu->ClientArea->grab().toImage();
  struct Row {
    const char* typed;
    const char* reason;  // empty: printable
  };
  const Row rows[] = {
      {"AB#", "The serial needs six characters, not 3"},
      {"AB#123", "'#' at position 3: the first three characters must be A-Z, 0-9 or a space"},
      {"ABCDEF", "'D' at position 4: the last three characters must be digits"},
      {"", "The serial needs six characters, not 0"},
      {"000000", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.typed);
    menu->SerialField->clear();
    QTest::keyClicks(menu->SerialField, QString::fromLatin1(r.typed));
    EXPECT_EQ(menu->StatusBar->currentMessage().toStdString(), r.reason);
  }
  EXPECT_EQ(menu->ClientArea->grab().toImage(), before);
  // Cleaning forces the prefix CLN, so only the counter can be at fault.
  Click(menu->STK);
  Click(menu->STK_CLN);
  for (const Row& r : {Row{"AB#123", ""}, Row{"AB#12", "The serial needs six characters, not 5"}}) {
    SCOPED_TRACE(r.typed);
    menu->SerialField->clear();
    QTest::keyClicks(menu->SerialField, QString::fromLatin1(r.typed));
    EXPECT_EQ(menu->StatusBar->currentMessage().toStdString(), r.reason);
  }
}

TEST_F(MainWindowTest, RotateBarcodeTurnsThePreviewBarcode) {
  menu->Bar_Rotate->setChecked(false);
  EXPECT_EQ(menu->PreviewBarcode->Bar_Rotation(), rotate_000);
  Click(menu->Bar_Rotate);
  EXPECT_EQ(menu->PreviewBarcode->Bar_Rotation(), rotate_180);
}

// --- Notification rules -------------------------------------------------------

TEST_F(MainWindowTest, CheckBoxHandlersRunOnEveryChangeAndOnlyThen) {
  struct TRow {
    const char* handler;
    QCheckBox* TMainWindow::*box;
  };
  const TRow rows[] = {{"Serial_ColorClick", &TMainWindow::Serial_Color},
                       {"Text_RotateClick", &TMainWindow::Text_Rotate},
                       {"Bar_RotateClick", &TMainWindow::Bar_Rotate}};
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.handler);
    QCheckBox* box = (*menu).*row.box;
    const bool was = box->isChecked();
    ResetCalls();
    box->setChecked(was);
    EXPECT_EQ(Calls(row.handler), 0) << "same state from code";
    box->setChecked(!was);
    EXPECT_EQ(Calls(row.handler), 1) << "changed from code";
    Click(box);
    EXPECT_EQ(Calls(row.handler), 2) << "clicked";
    EXPECT_EQ(box->isChecked(), was);
  }
}

TEST_F(MainWindowTest, RadioHandlersRunWhenCheckedNeverWhenUnchecked) {
  ResetCalls();
  menu->STD_3of9->setChecked(true);
  Click(menu->STD_3of9);
  EXPECT_TRUE(calls.empty()) << "an already checked button runs nothing";

  menu->Breece->setChecked(true);
  EXPECT_EQ(Calls("BreeceClick"), 1);
  EXPECT_EQ(Calls("STD_3of9Click"), 0) << "the button turned off runs nothing";
  EXPECT_FALSE(menu->STD_3of9->isChecked());

  ResetCalls();
  Click(menu->STK);
  // STKClick checks DLT IV, whose own handler runs inside it; both set up the media.
  std::vector<std::string> selection;
  for (const std::string& c : calls)
    if (c == "STKClick" || c == "STK_IVClick" || c == "SetupMedia") selection.push_back(c);
  EXPECT_EQ(selection, (std::vector<std::string>{"STKClick", "STK_IVClick", "SetupMedia", "SetupMedia"}));

  ResetCalls();
  Click(menu->STK_CLN);
  EXPECT_EQ(Calls("STK_CLNClick"), 1);
  EXPECT_EQ(Calls("STK_IVClick"), 0);

  ResetCalls();
  Click(menu->OtherMaker);  // unchecks STK_CLN from code
  EXPECT_EQ(Calls("OtherMakerClick"), 1);
  EXPECT_EQ(Calls("STK_CLNClick") + Calls("STK_IVClick") + Calls("STKClick"), 0);
}

TEST_F(MainWindowTest, SerialChangeHandlerRunsOnRealChangesAtOnce) {
  ResetCalls();
  menu->SerialField->setText(QStringLiteral("000000"));
  EXPECT_EQ(Calls("SerialChange"), 0) << "the text it already holds";
  menu->SerialField->setText(QStringLiteral("ABC123"));
  EXPECT_EQ(Calls("SerialChange"), 1);
  EXPECT_EQ(menu->PreviewBarcode->Bar_Caption(), "ABC123") << "before setText returned";
  // Writes by the label rules reach the field through the model's hook.
  ResetCalls();
  menu->LabelState().SetSerial("XYZ999");
  EXPECT_EQ(Field(), "XYZ999");
  EXPECT_EQ(Calls("SerialChange"), 1);
  EXPECT_EQ(Labels(), "999ZYX");
}

// --- Serial field input ------------------------------------------------------------

TEST_F(MainWindowTest, SerialFieldUpperCasesTypingAndPastingAndTakesSix) {
  struct TRow {
    const char* name;
    const char* typed;
    bool paste;
    const char* field;
    int changes;  // runs of the change handler, none of them with lower case
  };
  const TRow rows[] = {
      {"typed lower case", "ab1", false, "AB1", 3},
      {"typed seventh character", "abc1234", false, "ABC123", 6},
      {"pasted lower case", "xy9", true, "XY9", 1},
      {"pasted past six", "klmnopqr", true, "KLMNOP", 1},
      {"punctuation kept for the check to refuse", "12-456", false, "12-456", 6},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.name);
    menu->SerialField->clear();
    ResetCalls();
    QSignalSpy texts(menu->SerialField, &QLineEdit::textChanged);
    if (row.paste) {
      QGuiApplication::clipboard()->setText(QString::fromLatin1(row.typed));
      menu->SerialField->paste();
    } else {
      QTest::keyClicks(menu->SerialField, QString::fromLatin1(row.typed));
    }
    EXPECT_EQ(Field(), row.field);
    EXPECT_EQ(menu->LabelState().Serial(), row.field);
    EXPECT_EQ(Calls("SerialChange"), row.changes);
    for (const QList<QVariant>& emitted : texts) {
      const QString t = emitted.at(0).toString();
      EXPECT_EQ(t, t.toUpper()) << "the handler saw lower case";
    }
    EXPECT_EQ(menu->SerialField->cursorPosition(), menu->SerialField->text().size());
  }
  // Upper-casing in the middle keeps the cursor where the operator typed.
  menu->SerialField->setText(QStringLiteral("AB"));
  menu->SerialField->setCursorPosition(1);
  QTest::keyClicks(menu->SerialField, QStringLiteral("z"));
  EXPECT_EQ(Field(), "AZB");
  EXPECT_EQ(menu->SerialField->cursorPosition(), 2);
}

TEST_F(MainWindowTest, SerialFieldRefusesCharactersOutsideAscii) {
  menu->SerialField->setText(QStringLiteral("AB"));
  menu->SerialField->end(false);
  menu->SerialField->insert(QStringLiteral("\u00e9"));
  EXPECT_EQ(Field(), "AB");
  menu->SerialField->insert(QStringLiteral("1\u20ac2"));
  EXPECT_EQ(Field(), "AB") << "a paste holding one foreign character is refused whole";
}

}  // namespace
}  // namespace vantor::test
