#include "app/window/Reprints.h"

#include <QCoreApplication>

#include "dlt/DltJournal.h"
#include "dlt/DltRun.h"
#include "dlt/MediaSetup.h"
#include "journal/widgets/JournalWindow.h"
#include "lto/LtoSheet.h"
#include "printing/JournalledJob.h"

namespace vantor {

void AddReprints(TJournalWindow& window, TDltLook look) {
  window.SetReprintRuns(journal::TTapeFamily::Dlt, [look](const journal::TJobRecord& job, const std::string& first,
                                                          int count, int start, const TSheetTemplate* sheet) {
    TJournalWindow::TReprint reprint;
    const std::optional<TMediaMode> mode = DltMediaMode(job.media);
    if (!mode) {
      reprint.refusal =
          QCoreApplication::translate("vantor::TJournalWindow", "The job's media '%1' is not one this program prints.")
              .arg(QString::fromStdString(job.media));
      return reprint;
    }
    THeadlessChoice choice;
    choice.mediaMode = *mode;
    choice.rotated = MediaSetupFor(*mode).rotatedSequence.checked;
    TColorTable colors = THeadlessHost(choice).State().Colors;
    if (look) look(choice, colors);
    choice.mediaMode = *mode;
    choice.serial = first;
    reprint.run = DltReprintRun(choice, colors, count, start);
    reprint.page = sheet ? sheet->page : BuiltInTemplates().back().page;
    return reprint;
  });
  window.SetReprintRuns(journal::TTapeFamily::Lto, [](const journal::TJobRecord& job, const std::string& first,
                                                      int count, int start, const TSheetTemplate* sheet) {
    TJournalWindow::TReprint reprint;
    const TLtoPalette* palette = FindLtoPalette("lto");
    const TVolserRunResult volsers = VolserRunByCount(first, count);
    if (!sheet || !palette || !volsers.run) {
      reprint.refusal = QString::fromStdString(volsers.refusal);
      return reprint;
    }
    TLtoRun run{*sheet, job.media, *volsers.run, *palette};
    run.startLabel = start;
    if (const auto problem = LtoRunProblem(run)) {
      reprint.refusal = QString::fromStdString(*problem);
      return reprint;
    }
    reprint.run = std::make_unique<TLtoLabelRun>(std::move(run));
    reprint.page = sheet->page;
    return reprint;
  });
}

}  // namespace vantor
