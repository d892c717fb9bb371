// The print journal's window (Labels > Print Journal...): the jobs the
// journal holds, filtered by serial and date; the reprint of one label or a
// range of a listed job onto a chosen start label of a used sheet, through
// the same journalled path as every print and recorded as a reprint; and
// where the journal is (the settings' location).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <map>

#include "journal/JobRecord.h"
#include "printing/LabelRun.h"
#include "printing/PrintJob.h"
#include "templates/SheetTemplate.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPrinter;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QVBoxLayout;

namespace vantor {

class TWindowJournal;

// The journal model's words for people in the operator's language, from the
// program's catalogue.
journal::TTranslate JournalTranslation();

class TJournalWindow : public QDialog {
  Q_OBJECT

 public:
  // `journal` must outlive the window.
  TJournalWindow(TWindowJournal& journal, QWidget* parent = nullptr);
  ~TJournalWindow() override;

  // The job a reprint prints on, its dialog done; null: the operator
  // cancelled. Default: the print dialog on a printer of the window's own.
  using TJobFactory = std::function<std::unique_ptr<TPrintJob>(journal::TTapeFamily family, const TPageSize& page)>;
  void SetJobFactory(TJobFactory factory) { factory_ = std::move(factory); }
  // A family's reprint of `count` labels from `first` of `job` on a sheet
  // fed again from label `start`: the run and its paper, or why not (run
  // null; an empty reason says nothing more). `sheet`: the template in the
  // Template field, null when there is none of that name. The composition
  // root gives each family's; a family without one is not reprinted.
  struct TReprint {
    std::unique_ptr<TLabelRun> run;
    TPageSize page;
    QString refusal;
  };
  using TReprintRuns = std::function<TReprint(const journal::TJobRecord& job, const std::string& first, int count,
                                              int start, const TSheetTemplate* sheet)>;
  void SetReprintRuns(journal::TTapeFamily family, TReprintRuns runs) { reprints_[family] = std::move(runs); }
  // Messages for the operator (default: message boxes).
  void SetTell(std::function<void(const QString&)> tell) { tell_ = std::move(tell); }
  // A yes/no question for the operator (default: a message box); true: yes.
  void SetAsk(std::function<bool(const QString&)> ask) { ask_ = std::move(ask); }

  // Lists the jobs the filters let through, newest first.
  void Refresh();
  const std::vector<journal::TJobRecord>& Listed() const { return listed_; }
  // Selects a listed job: the reprint fields get its first printed serial and its count.
  void SelectJob(int row);
  // Reprints the serials in the reprint fields of the selected job. True when printed.
  bool Reprint();
  // The location field saved to the settings and used from now on.
  void SaveLocation();
  // Ends the selected job, running elsewhere, as interrupted (asks first).
  bool ReleaseJob();

  QLineEdit* LocationEdit = nullptr;
  QPushButton* SaveLocationButton = nullptr;
  QLabel* InUseLabel = nullptr;
  QLineEdit* SerialFilter = nullptr;
  QCheckBox* DateFilter = nullptr;
  QDateEdit* FromDate = nullptr;
  QDateEdit* ToDate = nullptr;
  QPushButton* SearchButton = nullptr;
  QTableWidget* Jobs = nullptr;
  QLineEdit* FirstSerial = nullptr;
  QSpinBox* Count = nullptr;
  QSpinBox* StartLabel = nullptr;
  QComboBox* Template = nullptr;  // the sheet fed again: the job's family's (DLT: its only one)
  QPushButton* ReprintButton = nullptr;
  QPushButton* ReleaseButton = nullptr;
  QLabel* Status = nullptr;

 private:
  // The window, top to bottom, then the signals of its controls.
  void BuildLocation(QVBoxLayout* layout, const std::string& stored);
  void BuildFilters(QVBoxLayout* layout);
  void BuildJobList(QVBoxLayout* layout);
  void BuildReprintForm(QVBoxLayout* layout);
  void ConnectSignals();
  void FillJobRows();  // of listed_
  void Tell(const QString& text);
  bool Ask(const QString& question);
  void ShowInUse();
  int SelectedRow() const;
  std::unique_ptr<TPrintJob> DefaultJob(const TPageSize& page);
  void UpdateReprintFields();

  TWindowJournal& journal_;
  TJobFactory factory_;
  std::map<journal::TTapeFamily, TReprintRuns> reprints_;
  std::function<void(const QString&)> tell_;
  std::function<bool(const QString&)> ask_;
  std::vector<bool> elsewhere_;  // the listed jobs running where their process cannot be looked up
  std::vector<journal::TJobRecord> listed_;
  TTemplateCatalogue templates_;
  std::unique_ptr<QPrinter> printer_;
  TSheetOptions sheetOptions_;
  QString ltoTemplate_;  // the operator's choice for LTO jobs, kept while a DLT job shows its own
};

}  // namespace vantor
