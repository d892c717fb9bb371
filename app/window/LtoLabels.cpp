#include "app/window/LtoLabels.h"

#include "app/window/MainWindow.h"
#include "lto/widgets/LtoWindow.h"

namespace vantor {

QWidget* ShownLtoWindow(TMainWindow& menu) { return menu.findChild<TLtoWindow*>(); }

void AttachLtoWindow(TMainWindow& menu) {
  menu.SetLtoLabelsHook([&menu] {
    TLtoWindow* window = menu.findChild<TLtoWindow*>();
    if (!window) {
      window = new TLtoWindow(&menu);
      window->SetJournal(&menu.Journal());
      window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
  });
}

}  // namespace vantor
