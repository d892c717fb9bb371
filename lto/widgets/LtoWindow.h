// The LTO Ultrium labels window: media ID, a run of volsers, template,
// palette and start label, a live preview of one label at true size and of
// the first sheet, and Preview, Print and Export PDF on the same painting
// path as the command line.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "lto/LtoForm.h"
#include "lto/LtoSheet.h"
#include "printing/HeadlessRun.h"
#include "templates/SheetTemplate.h"

class QComboBox;
class QGridLayout;
class QKeyEvent;
class QShowEvent;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vantor {

class TWindowJournal;

// Pages and labels are drawn in dots of this resolution (the PDF's) and
// scaled to the screen.
inline constexpr int kLtoPreviewDpi = 600;

// An area of paper shown on the screen: its label places outlined faintly,
// then what the drawing puts on it.
class TLtoPreview : public QWidget {
  Q_OBJECT

 public:
  using TDrawing = std::function<void(TSurface& surface)>;
  explicit TLtoPreview(QWidget* parent = nullptr);

  // `pxPerMm`: a fixed scale (the widget takes the paper's size), or none to
  // fit the paper into the widget.
  void Show(TPageSize paper, std::vector<TLabelRect> places, std::optional<QSizeF> pxPerMm, TDrawing drawing);
  void Clear();
  bool Showing() const { return static_cast<bool>(drawing_); }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TPageSize paper_{};
  std::vector<TLabelRect> places_;
  std::optional<QSizeF> pxPerMm_;
  TDrawing drawing_;
};

// Where a window of frame size `frame` goes over its parent's frame: centred
// on it, then moved (and shrunk when larger) to lie wholly inside `available`,
// the parent's screen less its panels.
QRect PlaceOverParent(const QSize& frame, const QRect& parentFrame, const QRect& available);

// How the window lists a template: "A4, 2 × 15, 79 × 17 mm", a user's own with
// its name; one LTO labels cannot print on says "not usable: " and why.
QString TemplateCaption(const TSheetTemplate& t, bool userTemplate);

class TLtoWindow : public QWidget {
  Q_OBJECT

 public:
  // The user's templates and the program's settings.
  explicit TLtoWindow(QWidget* parent = nullptr);
  TLtoWindow(TTemplateCatalogue templates, QWidget* parent = nullptr);
  ~TLtoWindow() override;

  // The run the fields describe, or nothing when a field is at fault (the
  // reason stands beside it).
  const std::optional<TLtoRun>& Run() const { return run_; }
  // Why there is no run, the first reason; empty when there is one.
  QString Problem() const { return problem_; }

  // Every print goes through here: the printer, the preview's Print button
  // and Export PDF. Refused runs throw ELtoRefused before the dialog; the
  // dialog's Labels tab may change the start label; all pages go as one
  // document, then the output is finished. Once printed, the first volser
  // moves on past the last one printed and the start label goes back to 1.
  // A failure throws and leaves the fields as they were.
  TSheetResult PrintRun(TSheetOutput& output, const TLtoRun& run);

  // What the previews draw, at the surface's resolution: the run's first
  // label with its corner at the origin, and the first page.
  void DrawLabelPreview(TSurface& surface) const;
  void DrawSheetPreview(TSurface& surface) const;

  // Where Print... sends the run (default: the print dialog's printer).
  using TOutputFactory = std::function<std::unique_ptr<TSheetOutput>(const TLtoRun& run)>;
  void SetPrinterOutput(TOutputFactory factory) { printerOutput_ = std::move(factory); }
  // The file Export PDF... writes (default: a file dialog); empty: none.
  void SetPdfPathChooser(std::function<QString()> choose) { choosePdf_ = std::move(choose); }
  // How a failure is told (default: a warning box); it is also on the status line.
  void SetErrorReporter(std::function<void(const QString&)> report) { reportError_ = std::move(report); }
  // The print journal every run goes through (the main window's); none: runs
  // are not journalled (a window on its own, as in some tests).
  void SetJournal(TWindowJournal* journal) { journal_ = journal; }

  QComboBox* MediaId = nullptr;
  QLineEdit* CustomMediaId = nullptr;
  QLineEdit* FirstVolser = nullptr;
  QRadioButton* ByCount = nullptr;
  QSpinBox* Count = nullptr;
  QRadioButton* ByLast = nullptr;
  QLineEdit* LastVolser = nullptr;
  QComboBox* Template = nullptr;
  QLabel* TemplatesRefused = nullptr;  // the user's template files not offered, and why
  QComboBox* Palette = nullptr;
  QSpinBox* StartLabel = nullptr;
  QLabel* StartLabelOf = nullptr;
  // Why a field is at fault, beside it.
  QLabel* MediaProblem = nullptr;
  QLabel* VolserProblem = nullptr;
  QLabel* RunProblem = nullptr;
  QLabel* TemplateProblem = nullptr;
  // "60 labels on 2 sheets, VT0000L8 to VT0059L8": what Print would print.
  QLabel* RunSummary = nullptr;
  TLtoPreview* LabelPreview = nullptr;
  TLtoPreview* SheetPreview = nullptr;
  QLabel* Status = nullptr;
  QPushButton* PreviewButton = nullptr;
  QPushButton* PrintButton = nullptr;
  QPushButton* ExportButton = nullptr;
  QPushButton* CloseButton = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  void Print();
  void Preview();
  void ExportPdf();

 private:
  // The form, top to bottom, then the signals of its fields.
  void BuildMediaRow(QGridLayout* form, int& row);
  void BuildRunRows(QGridLayout* form, int& row);
  void BuildTemplateRows(QGridLayout* form, int& row);
  void BuildPaletteRows(QGridLayout* form, int& row);
  void BuildProblems(QGridLayout* form, int rows);
  void BuildPreviewsAndButtons(QGridLayout* form);
  void ConnectFields();
  // The fields as they stand, with the start label given.
  TLtoForm Evaluate(int startLabel) const;
  void Update();
  void ShowPreviews();  // of run_
  void TemplateChanged();
  void UpperCase(QLineEdit* field);
  const TSheetTemplate* ChosenTemplate() const;
  std::string ChosenMediaId() const;
  void MoveOn(const TLtoRun& printed);
  void ReportError(const QString& text);
  QPrinter& Printer();
  std::unique_ptr<TSheetOutput> DefaultPrinterOutput(const TLtoRun& run);
  void LoadSettings();
  void SaveSettings();

  TTemplateCatalogue templates_;
  std::optional<TLtoRun> run_;
  QString problem_;
  TSheetOptions jobOptions_;  // what the print dialog's Labels tab shows and leaves
  int shownPerPage_ = 0;      // the template the count and start label were set for
  bool loading_ = true;       // settings are not written back while they are read
  std::unique_ptr<QPrinter> printer_;
  TOutputFactory printerOutput_;
  std::function<QString()> choosePdf_;
  std::function<void(const QString&)> reportError_;
  TWindowJournal* journal_ = nullptr;
  // A field chosen but still empty says nothing until it has been typed in or left.
  bool customMediaTouched_ = false;
  bool lastVolserTouched_ = false;
  bool placed_ = false;
};

}  // namespace vantor
