#include "journal/widgets/ConflictDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "journal/JobLog.h"

namespace vantor {

TConflictDialog::TConflictDialog(const std::vector<journal::TConflict>& conflicts, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ConflictDialog"));
  setWindowTitle(tr("Printed before"));
  const bool canReprint = journal::ReprintWouldPass(conflicts);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
  top->addWidget(icon, 0, Qt::AlignTop);
  QString lines;
  for (const journal::TConflict& c : conflicts)
    lines += QStringLiteral("\u2022 ") + QString::fromStdString(journal::DescribeConflict(c)) + QLatin1Char('\n');
  const QString question = canReprint ? tr("Nothing has been printed yet. Print these serials again deliberately? "
                                           "The job is recorded in the journal as a reprint.")
                                      : tr("A job still running holds some of these serials, so this job cannot "
                                           "print now. Nothing was printed.");
  Text = new QLabel(tr("Some serials of this job are in the print journal already:") + QStringLiteral("\n\n") + lines +
                        QLatin1Char('\n') + question,
                    this);
  Text->setObjectName(QStringLiteral("ConflictText"));
  Text->setWordWrap(true);
  Text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Text->setMinimumWidth(480);
  top->addWidget(Text, 1);
  layout->addLayout(top);
  auto* buttons = new QDialogButtonBox(this);
  if (canReprint) {
    ReprintButton = buttons->addButton(tr("&Reprint"), QDialogButtonBox::AcceptRole);
    ReprintButton->setObjectName(QStringLiteral("ReprintButton"));
    // Printing serials twice cannot be taken back: only a click or Alt+R
    // reprints, never Enter, not even once the button has the focus.
    ReprintButton->setAutoDefault(false);
  }
  CancelButton = buttons->addButton(QDialogButtonBox::Cancel);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  CancelButton->setDefault(true);  // the safe choice for a stray Enter
  CancelButton->setFocus();
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

bool TConflictDialog::AskReprint(const std::vector<journal::TConflict>& conflicts, QWidget* parent) {
  TConflictDialog dialog(conflicts, parent);
  return dialog.exec() == QDialog::Accepted && dialog.ReprintButton != nullptr;
}

}  // namespace vantor
