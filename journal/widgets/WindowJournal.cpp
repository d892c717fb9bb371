#include "journal/widgets/WindowJournal.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include "journal/widgets/ConflictDialog.h"

namespace vantor {

TWindowJournal::TWindowJournal(journal::TJournalAccess& access, QWidget* parent) : access_(access), parent_(parent) {
  ask_ = [this](const std::vector<journal::TConflict>& conflicts) {
    return TConflictDialog::AskReprint(conflicts, parent_);
  };
  tell_ = [this](const QString& text) {
    QMessageBox::critical(parent_, QCoreApplication::applicationName(), text, QMessageBox::Ok);
  };
}

TWindowJournal::TResult TWindowJournal::Print(journal::TTapeFamily family, const std::string& media, TPageSerials pages,
                                              TPrintJob& inner, TDelivery delivery,
                                              const std::function<bool(TPrintJob&)>& draw, bool deliberate,
                                              const std::function<void()>& put) {
  const TJobDestination destination = inner.Destination();
  journal::TJobRequest request;
  request.family = family;
  request.media = media;
  request.output = OutputKindOf(destination.kind);
  request.target = destination.target;
  const auto refuse = [&](const std::string& cause) {
    access_.Close();  // opened afresh next time: the fault may be put right meanwhile
    tell_(QCoreApplication::translate("vantor::TWindowJournal",
                                      "The print journal cannot be used, so nothing was printed.\n\n%1")
              .arg(QString::fromStdString(cause)));
    return TResult::Refused;
  };
  journal::TJobLog* log = nullptr;
  try {
    log = &access_.Get();
  } catch (const std::exception& e) {
    return refuse(e.what());
  }
  TJournalledRun run(log, request, std::move(pages));
  try {
    if (!run.Reserve(deliberate)) {
      const std::vector<journal::TConflict> conflicts = run.Conflicts();
      if (deliberate || !journal::ReprintWouldPass(conflicts)) {
        // A running job holds them: nothing to choose, only to be told.
        ask_(conflicts);
        return TResult::Refused;
      }
      if (!ask_(conflicts)) return TResult::Cancelled;
      if (!run.Reserve(true)) {
        ask_(run.Conflicts());  // taken by a job that started meanwhile
        return TResult::Refused;
      }
    }
  } catch (const std::exception& e) {
    return refuse(e.what());
  }
  bool printed = false;
  try {
    printed = draw(run.Job(inner, delivery));
    if (printed) run.Deliver(put);
  } catch (...) {
    run.EndQuietly(journal::TJobOutcome::Failed);
    access_.Close();
    throw;
  }
  if (!printed) {
    if (auto problem = run.EndQuietly(journal::TJobOutcome::Cancelled)) tell_(QString::fromStdString(*problem));
    return TResult::Cancelled;
  }
  if (auto problem = run.EndQuietly(journal::TJobOutcome::Printed)) {
    // The pages went out and were recorded sent; only the job's end is missing.
    access_.Close();
    tell_(QCoreApplication::translate(
              "vantor::TWindowJournal",
              "The labels were printed, but the print journal could not record the job's end:\n\n%1")
              .arg(QString::fromStdString(*problem)));
  }
  return TResult::Printed;
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
