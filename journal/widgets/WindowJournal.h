// A window's print under the print journal. Every window that prints (the
// main window, its print preview's Print button, the journal window's
// reprints, the LTO window) goes through TWindowJournal::Print:
//
//   1. the journal is opened (first use; a PostgreSQL password is asked for
//      when needed); one that cannot be used refuses the job with a message
//      naming the cause, and nothing prints;
//   2. the job's serials are reserved in one transaction; serials printed
//      before bring up the conflict dialog: Reprint reserves them again as a
//      deliberate reprint, Cancel prints nothing;
//   3. the run is printed through PrintJournalled: each page marked as it
//      reaches the output; the journal's job ends printed, failed (passed on
//      as an exception) or cancelled (the run refused at the printer's
//      resolution, passed on as well).
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "journal/qt/JournalSettings.h"
#include "printing/LabelRun.h"
#include "printing/Output.h"

class QWidget;

namespace vantor {

class TWindowJournal {
 public:
  // true: reprint the serials. Default: the conflict dialog.
  using TAskReprint = std::function<bool(const std::vector<journal::TConflict>&)>;
  // A refusal or failure for the operator. Default: an error message box.
  using TTell = std::function<void(const QString&)>;

  enum class TResult {
    Printed,
    Cancelled,  // the operator cancelled at the conflict: nothing printed
    Refused,    // the journal refused or could not be used: nothing printed
  };

  // `access` must outlive this; `parent` for the dialogs.
  TWindowJournal(journal::TJournalAccess& access, QWidget* parent);

  void SetAskReprint(TAskReprint ask) { ask_ = std::move(ask); }
  void SetTell(TTell tell) { tell_ = std::move(tell); }
  journal::TJournalAccess& Access() { return access_; }

  // Prints `run` on `output`, whose job's dialog is done (its Destination()
  // is recorded). `deliberate`: a reprint chosen as such (the journal
  // window): no question about serials printed before. A failure of the
  // output or the journal during the job is passed on (std::runtime_error)
  // after the job is recorded.
  TResult Print(const TLabelRun& run, TSheetOutput& output, bool deliberate = false);

  // The jobs found interrupted since the journal was opened, once; the
  // journal is opened for it when it is not yet. Empty when it cannot be.
  std::vector<journal::TJobRecord> TakeInterrupted();

 private:
  journal::TJournalAccess& access_;
  QWidget* parent_;
  TAskReprint ask_;
  TTell tell_;
};

// The text a window shows for interrupted jobs, or empty for none.
QString DescribeInterruptedJobs(const std::vector<journal::TJobRecord>& jobs);

// A password prompt for a PostgreSQL journal: a password field, never kept.
std::function<std::optional<std::string>(const std::string& where)> PasswordDialogPrompt(QWidget* parent);

}  // namespace vantor
