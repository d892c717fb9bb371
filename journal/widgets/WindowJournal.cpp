#include "journal/widgets/WindowJournal.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include "journal/widgets/ConflictDialog.h"
#include "printing/PrintJournalled.h"

namespace vantor {

TWindowJournal::TWindowJournal(journal::TJournalAccess& access, QWidget* parent) : access_(access), parent_(parent) {
  ask_ = [this](const std::vector<journal::TConflict>& conflicts) {
    return TConflictDialog::AskReprint(conflicts, parent_);
  };
  tell_ = [this](const QString& text) {
    QMessageBox::critical(parent_, QCoreApplication::applicationName(), text, QMessageBox::Ok);
  };
}

TWindowJournal::TResult TWindowJournal::Print(const TLabelRun& run, TSheetOutput& output, bool deliberate) {
  const auto refuse = [&](const std::string& cause) {
    access_.Close();  // opened afresh next time: the fault may be put right meanwhile
    tell_(QCoreApplication::translate("vantor::TWindowJournal",
                                      "The print journal cannot be used, so nothing was printed.\n\n%1")
              .arg(QString::fromStdString(cause)));
    return TResult::Refused;
  };
  TJournalledPrint print;
  try {
    print.journal = &access_.Get();
  } catch (const std::exception& e) {
    return refuse(e.what());
  }
  print.recorded = output.Job().Destination();
  print.reprint = deliberate;
  print.askReprint = ask_;
  const TPrintResult result = PrintJournalled(run, output, print);
  switch (result.outcome) {
    case TPrintOutcome::Printed:
      if (result.endProblem) {
        // The pages went out and were recorded sent; only the job's end is missing.
        access_.Close();
        tell_(QCoreApplication::translate(
                  "vantor::TWindowJournal",
                  "The labels were printed, but the print journal could not record the job's end:\n\n%1")
                  .arg(QString::fromStdString(*result.endProblem)));
      }
      return TResult::Printed;
    case TPrintOutcome::Cancelled: return TResult::Cancelled;
    case TPrintOutcome::JournalError: return refuse(result.message);
    case TPrintOutcome::Refused:
      if (!result.runRefused) {
        // A running job holds them, or the reprint was taken meanwhile: only to be told.
        ask_(result.conflicts);
        return TResult::Refused;
      }
      break;
    case TPrintOutcome::Stopped:
    case TPrintOutcome::Failed: break;
  }
  access_.Close();
  throw std::runtime_error(result.message);
}

std::vector<journal::TJobRecord> TWindowJournal::TakeInterrupted() {
  try {
    access_.Get();
  } catch (const std::exception&) {
    return {};  // told when a job needs the journal
  }
  return access_.TakeInterrupted();
}

QString DescribeInterruptedJobs(const std::vector<journal::TJobRecord>& jobs) {
  if (jobs.empty()) return {};
  QString text = QCoreApplication::translate(
      "vantor::TWindowJournal",
      "These print jobs were interrupted (the program ended while they printed). Check the labels "
      "they may have printed:");
  text += QLatin1Char('\n');
  for (const journal::TJobRecord& job : jobs)
    text += QLatin1Char('\n') + QStringLiteral("\u2022 ") + QString::fromStdString(journal::DescribeInterrupted(job));
  return text;
}

std::function<std::optional<std::string>(const std::string&)> PasswordDialogPrompt(QWidget* parent) {
  QPointer<QWidget> owner(parent);
  return [owner](const std::string& where) -> std::optional<std::string> {
    bool ok = false;
    const QString password = QInputDialog::getText(
        owner, QCoreApplication::translate("vantor::TWindowJournal", "Print journal"),
        QCoreApplication::translate("vantor::TWindowJournal", "Password for the print journal %1 (it is not kept):")
            .arg(QString::fromStdString(where)),
        QLineEdit::Password, QString(), &ok);
    if (!ok) return std::nullopt;
    return password.toStdString();
  };
}

}  // namespace vantor
