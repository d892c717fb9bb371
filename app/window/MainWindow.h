// TMainWindow: the program's main window. It keeps the label state in its
// controls (serial field, preview barcode, option check boxes, maker and media
// radio buttons), shows a live preview of one label and prints sheets.
//
// The label rules live in TLabelState; the window keeps the model and the
// serial field in step: the model's serial write hook sets the field's text,
// and the field's change handler writes the field's text into the model.
//
// Handlers follow the toolkit rules the label logic relies on: a check box's
// handler runs whenever its state changes (from code or a click); a radio
// button's when it becomes checked; the serial field's whenever its text really
// changes, at once.
//
// A menu bar stands above the client area, outside the form: the window is the
// bar's height taller and every control keeps its place in the client area.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dlt/LabelState.h"
#include "dlt/Sheet.h"
#include "surface/CorrectedSurface.h"

class QAction;
class QCheckBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPrinter;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace vantor {

namespace journal {
class TJournalAccess;
}

class TAboutBox;
class TJournalWindow;
class TWindowJournal;
class TBarcode;
class TCalibrationStore;
class TColorBox;
class TMessageReporter;
class TMyLabelRotate;
class TShape;

inline constexpr const char* kSequenceError = QT_TRANSLATE_NOOP("vantor::TMainWindow", "Error in Sequence Number");

class TMainWindow : public QWidget {
  Q_OBJECT

 public:
  // Makes the print job for one Print command.
  using TJobFactory = std::function<std::unique_ptr<TPrintJob>()>;

  // Builds the form and runs FormCreate.
  explicit TMainWindow(QWidget* parent = nullptr);
  ~TMainWindow() override;

  // --- Menu bar ----------------------------------------------------------------
  QMenuBar* MenuBar = nullptr;
  QMenu* FileMenu = nullptr;
  QAction* PrintAction = nullptr;         // "Print...": the Print button's handler
  QAction* PrintPreviewAction = nullptr;  // Qt's print preview of the job Print would print
  QAction* CalibrationAction = nullptr;   // the printer calibration dialog
  QAction* QuitAction = nullptr;
  QMenu* LabelsMenu = nullptr;
  QAction* LtoLabelsAction = nullptr;  // disabled while no LTO labels hook is set
  QAction* JournalAction = nullptr;    // the print journal's window
  QMenu* HelpMenu = nullptr;
  QAction* ContentsAction = nullptr;  // the Help button's handler
  QAction* AboutAction = nullptr;
  // The form's client area, 415 x 376, below the menu bar: the controls'
  // positions are relative to it.
  QWidget* ClientArea = nullptr;

  // --- The form's controls -----------------------------------------------
  TMyLabelRotate* TitleLabel = nullptr;
  QGroupBox* MakerGroup = nullptr;  // " Vendor "
  QRadioButton* STD_3of9 = nullptr;
  QRadioButton* STK = nullptr;
  QRadioButton* Breece = nullptr;
  QRadioButton* OtherMaker = nullptr;    // "Other"
  QGroupBox* StorageTekGroup = nullptr;  // "StorageTek  "
  QRadioButton* STK_IV = nullptr;
  QRadioButton* STK_III = nullptr;
  QRadioButton* STK_CLN = nullptr;
  QRadioButton* STK_DGN = nullptr;
  QGroupBox* SequenceGroup = nullptr;  // " Sequence "
  QLineEdit* SerialField = nullptr;
  QLabel* SerialExample = nullptr;
  QLabel* PreviewCaption = nullptr;
  QFrame* PreviewPanel = nullptr;
  TBarcode* PreviewBarcode = nullptr;
  // The preview's colour cells behind the characters, rightmost first
  // (objects "Cell1" .. "Cell6").
  std::array<TShape*, 6> Cells{};
  TMyLabelRotate* LBL_1 = nullptr;
  TMyLabelRotate* LBL_2 = nullptr;
  TMyLabelRotate* LBL_3 = nullptr;
  TMyLabelRotate* LBL_4 = nullptr;
  TMyLabelRotate* LBL_5 = nullptr;
  TMyLabelRotate* LBL_6 = nullptr;
  TMyLabelRotate* Media_Type = nullptr;
  QPushButton* PrintButton = nullptr;
  QPushButton* HelpButton = nullptr;    // "Help"
  QPushButton* QuitButton = nullptr;    // "&Quit"
  QCheckBox* Serial_Color = nullptr;    // "Colored sequence"
  QCheckBox* Text_Rotate = nullptr;     // "Rotated sequence"
  QCheckBox* Bar_Rotate = nullptr;      // "Rotate barcode"
  QPushButton* ColorsButton = nullptr;  // "Colors"
  QStatusBar* StatusBar = nullptr;

  // Cell n (1..6) and character label n (1..6).
  TShape* Cell(int n) const { return Cells[static_cast<std::size_t>(n - 1)]; }
  TMyLabelRotate* LBL(int n) const { return labels_[static_cast<std::size_t>(n - 1)]; }
  // The media letter's box in the preview panel, where the printed sheet puts
  // the letter: low in the cell of the last character (the leftmost cell when
  // the characters are turned), clear of the cell's outline, and large enough
  // for the whole letter turned or not.
  static QRect MediaLetterBox(bool rotated);

  // --- Handlers -------------------------------------------------------------
  void FormCreate();
  void STD_3of9Click();
  void STKClick();
  void BreeceClick();
  void OtherMakerClick();
  void STK_IVClick();
  void STK_IIIClick();
  void STK_CLNClick();
  void STK_DGNClick();
  // Applies the configuration of the media mode in colour table entry 11.
  void SetupMedia();
  void SerialChange();
  void ColorCells();
  void Serial_ColorClick();
  void Text_RotateClick();
  void Bar_RotateClick();
  void PrintClick();
  void HelpClick();    // help, modal
  void ColorsClick();  // colours
  void LtoLabelsClick();
  void JournalClick();  // opens the print journal's window, refreshed
  void AboutClick();    // opens the About dialog window-modally, without waiting for it

  // --- Commands for the menu bar ----------------------------------------------
  // Qt's print preview of the job Print would print (the options of the last
  // print dialog), on the run's printer; its Print button prints it as Print does.
  void PrintPreview();
  // The Printer Calibration dialog, for the run's printer.
  void PrinterCalibration();
  // Draws the job Print prints on `job`, which has shown its dialog (if any).
  // preview: everything in the window is as before afterwards, and the
  // journal is not touched; otherwise the job goes through the print journal
  // (refused, or the operator asked, when its serials were printed before),
  // the serial moves on as Print moves it, and the start label goes back to 1.
  void DrawJob(TPrintJob& job, bool preview);
  // Tells the operator of jobs the journal found interrupted (once).
  void ShowInterruptedJobs();

  // --- The serial field and the preview ---------------------------------------
  void SetSerialText(const std::string& text);  // runs the field's change handling
  void EnableSerialField();
  void RefreshPreview();  // barcode text, characters and cells from the serial

  // --- Collaborators ----------------------------------------------------------
  TLabelState& LabelState() { return state_; }
  const TLabelState& LabelState() const { return state_; }
  TSheetOptions& SheetOptions() { return sheetOptions_; }
  void SetJobFactory(TJobFactory factory);  // empty: the print dialog on the run's printer
  // Where printer calibrations are kept (default: the user's settings).
  void SetCalibrationStore(std::unique_ptr<TCalibrationStore> store);
  TCalibrationStore& CalibrationStore();
  QPrinter& Printer();  // the run's printer, made when first needed
  void SetReporter(std::unique_ptr<TMessageReporter> reporter);
  void SetColorsHook(std::function<void()> hook) { colorsHook_ = std::move(hook); }
  // Connects the Colours dialog: "Colors" opens it modally (its result is not
  // used) and every colour choice there selects "Standard 3 of 9" here. The
  // dialog must write this window's colour table and outlive the window's use of it.
  void AttachColorBox(TColorBox& box);
  void SetHelpBox(QDialog* helpBox) { helpBox_ = helpBox; }
  // Opens the LTO Ultrium labels window; Labels > LTO Ultrium labels... is
  // enabled only while one is set.
  void SetLtoLabelsHook(std::function<void()> hook);
  TAboutBox* AboutBox() const { return aboutBox_; }  // null until first opened
  // The print journal every print of this window (and of the windows it
  // opens) goes through; `given`: a location for this run (--journal),
  // none: the settings' one.
  TWindowJournal& Journal();
  void SetJournalLocation(std::optional<std::string> given);
  TJournalWindow* JournalWindow() const { return journalWindow_; }  // null until first opened
  // Called with a handler's name each time the handler starts; lets tests
  // check which handlers a change runs, and in which order.
  using THandlerTrace = std::function<void(const char* handler)>;
  void SetHandlerTrace(THandlerTrace trace) { trace_ = std::move(trace); }

 private:
  void BuildForm();
  void BuildSelection();
  void BuildPreview();
  void BuildButtons();
  void BuildMenuBar();
  void BuildFileMenu();
  void BuildLabelsMenu();
  void BuildHelpMenu();
  void ConnectHandlers();
  void SelectMediaMode(TMediaMode mode);  // entry 11 first, as every selection handler does
  void MakerWithoutMediaKinds(TMediaMode mode);
  void SetupSerialField(TMediaMode mode);
  void WhitenCells();
  void SyncBarcodeText(const std::string& text);
  // The reason the serial cannot be printed in the status bar, or none.
  void ShowSerialProblem();
  std::unique_ptr<TPrintJob> DefaultJob();
  // Why the job the options describe cannot print from the current serial, or nothing.
  std::optional<std::string> JobRefusal(const TSheetOptions& options) const;
  TCalibration CalibrationFor(const QString& printer);
  void Trace(const char* handler) const {
    if (trace_) trace_(handler);
  }

  TLabelState state_;
  std::array<TMyLabelRotate*, 6> labels_{};
  TJobFactory jobFactory_;
  std::unique_ptr<TMessageReporter> reporter_;
  std::function<void()> colorsHook_;
  std::function<void()> ltoLabelsHook_;
  QDialog* helpBox_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  THandlerTrace trace_;
  // Kept for the run, so the printer chosen and "Print label outlines" stay.
  std::unique_ptr<QPrinter> printer_;
  TSheetOptions sheetOptions_;
  std::unique_ptr<TCalibrationStore> calibrations_;
  std::unique_ptr<journal::TJournalAccess> journalAccess_;
  std::unique_ptr<TWindowJournal> journal_;
  TJournalWindow* journalWindow_ = nullptr;
};

}  // namespace vantor
