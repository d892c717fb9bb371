// Labels > LTO Ultrium labels... opens the LTO window.
#pragma once

class QWidget;

namespace vantor {

class TMainWindow;

// Sets the menu item's hook: it shows the LTO window, made anew (templates
// and settings read again) once the last one was closed, else raised.
void AttachLtoWindow(TMainWindow& menu);
// The LTO window the menu opened and is still there, or null.
QWidget* ShownLtoWindow(TMainWindow& menu);

}  // namespace vantor
