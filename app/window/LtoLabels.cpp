#include "app/window/LtoLabels.h"

#include "app/window/Menu.h"
#include "lto/widgets/LtoWindow.h"

namespace vantor {

QPointer<TLtoWindow> ShownLtoWindow(TMainMenu& menu) { return menu.findChild<TLtoWindow*>(); }

void AttachLtoWindow(TMainMenu& menu) {
  menu.SetLtoLabelsHook([&menu] {
    TLtoWindow* window = ShownLtoWindow(menu);
    if (!window) {
      window = new TLtoWindow(&menu);
      window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
  });
}

}  // namespace vantor
