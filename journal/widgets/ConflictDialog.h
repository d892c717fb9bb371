// The question a window asks when the journal refuses a job: which serials
// were printed before, when, where and by whom, and whether to reprint them
// deliberately (recorded as a reprint) or cancel. When a job still running
// holds some of them there is nothing to choose: the dialog only says so.
#pragma once

#include <QDialog>
#include <vector>

#include "journal/JobRecord.h"

class QLabel;
class QPushButton;

namespace vantor {

class TConflictDialog : public QDialog {
  Q_OBJECT

 public:
  TConflictDialog(const std::vector<journal::TConflict>& conflicts, QWidget* parent = nullptr);

  // Shows the dialog; true: reprint.
  static bool AskReprint(const std::vector<journal::TConflict>& conflicts, QWidget* parent);

  QLabel* Text = nullptr;                // the conflicts, one a line
  QPushButton* ReprintButton = nullptr;  // null when a running job holds serials
  QPushButton* CancelButton = nullptr;
};

}  // namespace vantor
