// Small icons drawn in code: the main window's icon and the two-state glyphs
// of the "Print" and "Colors" buttons (normal and disabled).
#pragma once

#include <QIcon>

namespace vantor {

QIcon MainWindowIcon();    // a tape cartridge with a barcode label
QIcon PrintButtonIcon();   // a printer with a sheet
QIcon ColorsButtonIcon();  // four coloured label cells

}  // namespace vantor
