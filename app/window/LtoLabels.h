// Labels > LTO Ultrium labels... opens the LTO window.
#pragma once

#include <QPointer>

namespace vantor {

class TMainMenu;
class TLtoWindow;

// Sets the menu item's hook: it shows the LTO window, made anew (templates
// and settings read again) once the last one was closed, else raised.
// Returns the window shown last, for tests.
void AttachLtoWindow(TMainMenu& menu);
QPointer<TLtoWindow> ShownLtoWindow(TMainMenu& menu);

}  // namespace vantor
