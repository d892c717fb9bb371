// TColorBox: the Colours dialog. The operator picks one of the six digit colour
// schemes, or lets letters take the colour of one digit. Every choice is written
// straight into the label colour table; OK and Cancel only close the dialog.
// It is created once and then only shown and hidden, so its controls keep their
// state from one opening to the next.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "colors/ColorRules.h"
#include "colors/ColorSchemes.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace vantor {

class TBarcode;
class TColorCell;

class TColorBox : public QDialog {
  Q_OBJECT

 public:
  // Selects the maker Standard 3 of 9 in the main window (as if its radio
  // button were checked from code); called after every colour choice.
  using TSelectStandard3of9 = std::function<void()>;

  // `colors` is the label colour table; it must outlive the dialog. Only
  // entries 0..10 are ever written.
  explicit TColorBox(TColorTable& colors, TSelectStandard3of9 selectStandard3of9 = {}, QWidget* parent = nullptr);

  void SetSelectStandard3of9(TSelectStandard3of9 hook) { selectStandard3of9_ = std::move(hook); }

  QGroupBox* GroupBox1() const { return groupBox1_; }
  QGroupBox* GroupBox2() const { return groupBox2_; }
  QRadioButton* SchemeButton(SchemeId id) const { return schemeButtons_[static_cast<std::size_t>(id)]; }
  // Swatches Std_0 .. Std_9 by digit, Std_A at index 10.
  TColorCell* Swatch(std::size_t index) const { return swatches_[index]; }
  // Sample cells Shape1 .. Shape6 at index 0 .. 5.
  TColorCell* SampleCell(std::size_t index) const { return cells_[index]; }
  QCheckBox* Active_Alpha() const { return activeAlpha_; }
  QSlider* Alpha_Slider() const { return alphaSlider_; }
  QLabel* SliderDigit(int digit) const { return sliderDigits_[static_cast<std::size_t>(digit)]; }
  QFrame* Panel1() const { return panel1_; }
  TBarcode* Barcode2() const { return barcode2_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateSwatches();
  void CreateSchemeButtons();
  void CreateCustomAlpha();
  void CreateSample();
  void CreateButtons();
  void PlaceSliderDigits();

  void FormCreate();
  void EDP_VibrantClick();
  void EDP_PastelClick();
  void Active_EDPClick();
  void WrightlineClick();
  void TabClick();
  void DatawareClick();
  void Active_AlphaClick();

  void ChooseScheme(SchemeId id);
  void PaintSwatches();
  void PaintSampleCells(const TSampleCells& colors);
  void SelectStandard3of9();

  TColorTable& colors_;
  TSelectStandard3of9 selectStandard3of9_;

  QGroupBox* groupBox1_ = nullptr;
  QGroupBox* groupBox2_ = nullptr;
  std::array<TColorCell*, kSwatchCount> swatches_{};
  std::array<QRadioButton*, kSchemeCount> schemeButtons_{};
  QCheckBox* activeAlpha_ = nullptr;
  QSlider* alphaSlider_ = nullptr;
  std::array<QLabel*, kAlphaDigitMax + 1> sliderDigits_{};
  QFrame* panel1_ = nullptr;
  std::array<TColorCell*, kSampleCellCount> cells_{};
  TBarcode* barcode2_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace vantor
